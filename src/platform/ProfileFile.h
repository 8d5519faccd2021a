#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mq {

// Profile (INI) files, one value per call, with the behaviour of the
// Windows profile functions. Section, key, default and value are bytes in
// the ANSI code page; the caller converts. The path is UTF-8, like every
// other text inside the program.
class ProfileFile {
public:
    struct Read {
        // What the function returned: bytes copied, without the final NUL.
        std::size_t count = 0;
        // The first `count` bytes of the buffer.
        std::string bytes;
    };

    virtual ~ProfileFile() = default;

    // As GetPrivateProfileStringA with a section and a key: the value, or
    // `def` (trailing spaces removed) when the file, section or key is
    // missing; cut to bufferSize - 1 bytes so that the NUL fits.
    virtual Read GetString(std::string_view section, std::string_view key, std::string_view def,
                           std::size_t bufferSize, std::string_view path) = 0;

    // As WritePrivateProfileStringA with a section, a key and a value:
    // creates the file, the section and the key as needed, or replaces the
    // value. False when nothing could be written.
    virtual bool WriteString(std::string_view section, std::string_view key,
                             std::string_view value, std::string_view path) = 0;

    // The file's bytes as they are, the same file GetString would read;
    // nothing when it is missing or cannot be read. For a reader that must
    // see how a file spells its text before it takes values from it.
    virtual std::optional<std::string> ReadAll(std::string_view path) = 0;
};

}  // namespace mq
