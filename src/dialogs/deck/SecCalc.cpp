#include "dialogs/deck/SecCalc.h"

#include <array>
#include <charconv>
#include <cmath>

namespace mq::seccalc {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Advances past a run of digits; answers how many there were.
std::size_t SkipDigits(std::string_view s, std::size_t& pos) {
    const std::size_t begin = pos;
    while (pos < s.size() && IsDigit(s[pos])) ++pos;
    return pos - begin;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t mantissa = pos;
    std::size_t digits = SkipDigits(text, pos);
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        digits += SkipDigits(text, pos);
    }
    if (digits == 0) return std::nullopt;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
        if (SkipDigits(text, pos) == 0) return std::nullopt;
    }
    if (pos != text.size()) return std::nullopt;

    // The syntax is checked; from_chars does the correctly rounded reading.
    // Beyond the range of a double (1e400, 1e-400) it fails, and so does
    // the number: no such value could become a count of seconds anyway.
    double value = 0;
    auto [end, ec] = std::from_chars(text.data() + mantissa, text.data() + text.size(), value,
                                     std::chars_format::general);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int32_t> ToSeconds(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless someone changed it; do not rely on that.
    double whole = std::floor(value);
    const double rest = value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    if (whole < 0.0 || whole > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

Parts Decompose(std::int32_t ttl) {
    Parts p;
    const std::int32_t r1 = ttl % kSecondsPerDay;
    p.days = (ttl - r1) / kSecondsPerDay;
    const std::int32_t r2 = r1 % kSecondsPerHour;
    p.hours = (r1 - r2) / kSecondsPerHour;
    const std::int32_t s = r2 % kSecondsPerMinute;
    p.minutes = (r2 - s) / kSecondsPerMinute;
    p.seconds = s;
    return p;
}

std::string FormatShortest(double value) {
    if (value == 0.0) return "0";
    std::array<char, 400> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                   std::chars_format::fixed);
    if (ec != std::errc()) return {};
    return std::string(buf.data(), end);
}

}  // namespace mq::seccalc
