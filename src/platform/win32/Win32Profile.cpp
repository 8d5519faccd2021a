#include "platform/win32/Win32Profile.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "platform/win32/Win32CodePage.h"

namespace mq {
ProfileFile::Read Win32ProfileFile::GetString(std::string_view section, std::string_view key,
                                              std::string_view def, std::size_t bufferSize,
                                              std::string_view path) {
    if (bufferSize == 0) return {};
    const std::optional<std::string> file = ExactAnsiPath(path);
    const std::string defText(def);
    if (!file) {
        // What the function answers for a missing file.
        std::string_view d(defText.c_str());
        while (!d.empty() && d.back() == ' ') d.remove_suffix(1);
        Read r;
        r.count = std::min(d.size(), bufferSize - 1);
        r.bytes.assign(d.substr(0, r.count));
        return r;
    }
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bufferSize, MAXDWORD));
    // Zeroed, so that a byte the function leaves unwritten reads as NUL.
    std::string buffer(size, '\0');
    const DWORD n = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                             defText.c_str(), buffer.data(), size, file->c_str());
    Read r;
    r.count = std::min<std::size_t>(n, size);
    r.bytes.assign(buffer, 0, r.count);
    return r;
}

bool Win32ProfileFile::WriteString(std::string_view section, std::string_view key,
                                   std::string_view value, std::string_view path) {
    const std::optional<std::string> file = ExactAnsiPath(path);
    if (!file) return false;
    return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                      std::string(value).c_str(), file->c_str()) != 0;
}

std::optional<std::string> Win32ProfileFile::ReadAll(std::string_view path) {
    const std::optional<std::string> file = ExactAnsiPath(path);
    if (!file) return std::nullopt;
    HANDLE h = CreateFileA(file->c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;  // missing, a folder, no access
    std::string bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(h, &size) && size.QuadPart > 0 && size.QuadPart < (LONGLONG{1} << 31))
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char chunk[1 << 16];
    DWORD n = 0;
    bool ok = true;
    while ((ok = ReadFile(h, chunk, sizeof chunk, &n, nullptr) != 0) && n > 0)
        bytes.append(chunk, n);
    CloseHandle(h);
    if (!ok) return std::nullopt;
    return bytes;
}

}  // namespace mq
