#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// UTF-8 helpers shared by the code page conversions.
namespace mq::utf {

inline constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at `pos` and advances it; a malformed sequence
// yields U+FFFD and skips one byte.
char32_t Next(std::string_view s, std::size_t& pos);
void Append(std::string& out, char32_t cp);
std::u16string ToUtf16(std::string_view utf8);
std::string FromUtf16(std::u16string_view utf16);

}  // namespace mq::utf
