#pragma once
#include "platform/ProfileFile.h"

namespace mq {

// The system's profile functions, GetPrivateProfileStringA and
// WritePrivateProfileStringA. The UTF-8 path is handed over in the ANSI
// code page; a path that code page cannot spell exactly is not opened at
// all (reads give the default, writes fail), since a best-fit spelling
// could name another file.
class Win32ProfileFile final : public ProfileFile {
public:
    Read GetString(std::string_view section, std::string_view key, std::string_view def,
                   std::size_t bufferSize, std::string_view path) override;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                     std::string_view path) override;
    // Opened by the same ANSI spelling of the path as the profile
    // functions use.
    std::optional<std::string> ReadAll(std::string_view path) override;
};

}  // namespace mq
