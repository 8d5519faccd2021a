#pragma once
#include <optional>
#include <string>
#include <string_view>

// The profile file format on a file's bytes in memory, with the rules of
// the Windows profile functions (PosixProfile.h lists them). Plain C++:
// the portable profile port writes and reads files through it, and the
// template reader parses the text of templates saved as UTF-8 with it.
namespace mq {
namespace profile {

// How the text spells characters beyond ASCII. It matters where a byte of
// such a character could pass for "[", "]" or a letter: in code page 932
// the second byte of a double-byte character can, in UTF-8 no byte can.
enum class Encoding { Cp932, Utf8 };

// The value of `key` in `section`, or nothing when either is missing.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key,
                                          Encoding encoding = Encoding::Cp932);

// The file's bytes (code page 932) after writing `value` as the value of
// `key` in `section`; nothing when the write is refused (a UTF-16 file, a
// name or value holding a line break).
std::optional<std::string> WithValue(std::string_view text, std::string_view section,
                                     std::string_view key, std::string_view value);

// True when the bytes start with a UTF-16 byte order mark.
bool IsUtf16(std::string_view text);

}  // namespace profile
}  // namespace mq
