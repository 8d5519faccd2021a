#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The arithmetic of the deck dialog's seconds calculator: reading the
// boxes as numbers, seconds to days, hours, minutes and seconds, and back.
namespace mq::seccalc {

inline constexpr std::int32_t kSecondsPerDay = 86400;
inline constexpr std::int32_t kSecondsPerHour = 3600;
inline constexpr std::int32_t kSecondsPerMinute = 60;

// A number as the calculator accepts it: an optional sign, digits with an
// optional point and fraction (at least one digit in all), an optional
// exponent ("e" or "E", an optional sign, digits). Nothing else, not even
// spaces: a lone "-" or ".", or an exponent still being typed ("1e", "1e-"),
// is not a number yet. Neither is a value beyond the range of a double.
std::optional<double> ParseNumber(std::string_view text);

// Whole seconds: rounded to the nearest integer, ties to the even one.
// Nothing when that lies outside 0 .. 2147483647, where the conversion
// stops (a cache lifetime is never negative, and it is a 32-bit count).
std::optional<std::int32_t> ToSeconds(double value);

struct Parts {
    std::int32_t days = 0;
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
};
// Remainders take the sign of `ttl`.
Parts Decompose(std::int32_t ttl);

// The shortest decimal text that reads back as `value`, without exponent:
// 90061, 5400.5. Zero is written without a sign.
std::string FormatShortest(double value);

}  // namespace mq::seccalc
