#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/ProfileFile.h"
#include "platform/ProfileText.h"

namespace mq {

// The profile file format without Windows, for the native build (and, as
// plain C++, for the Windows build's tests too). It reads and writes like
// GetPrivateProfileStringA / WritePrivateProfileStringA:
//
// - a line is ended by LF, CR LF or a lone CR; a line whose first
//   character after spaces and tabs is "[" and which holds a "]" names a
//   section (the text up to the first "]", trimmed); a line beginning
//   with ";" after spaces and tabs is a comment; any other line holding
//   "=" is a key (trimmed) and its value (trimmed, then one matching pair
//   of outer quotes removed); every other line means nothing;
// - lines before the first section belong to no section;
// - names match without regard to the case of ASCII letters; the first
//   section of a name and, in it, the first key of a name win;
// - bytes are code page 932: a double-byte character whose second byte
//   looks like "]" or a letter is one character, never a bracket or a
//   letter to fold;
// - a write changes only the bytes it must: a value is replaced in place,
//   a new key goes after its section's last key line, a new section is
//   appended at the end; new lines end in CR LF;
// - a UTF-8 byte order mark is not understood: it spoils the first line,
//   as on Windows;
// - a file that starts with a UTF-16 byte order mark is not read (reads
//   give the default) and never written (writes fail and leave it as it
//   is). Windows would read it as Unicode; Marquill itself never writes
//   such files, and refusing keeps one that someone else made intact;
// - a write replaces the file in one step (a temporary file beside it,
//   then a rename), so a failed write leaves the old file whole; a
//   read-only file or a file that cannot be read is not written; a name
//   or value holding a line break is refused, since it would write other
//   lines than the one asked for.
//
// On POSIX systems "\" in a path counts as a folder separator, since the
// core builds Windows paths.
class PosixProfileFile final : public ProfileFile {
public:
    Read GetString(std::string_view section, std::string_view key, std::string_view def,
                   std::size_t bufferSize, std::string_view path) override;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                     std::string_view path) override;
    std::optional<std::string> ReadAll(std::string_view path) override;
};

}  // namespace mq
