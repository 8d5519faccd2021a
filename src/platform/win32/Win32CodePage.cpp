#include "platform/win32/Win32CodePage.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace mq {

std::string Win32CodePage::ToUtf8(std::string_view ansi) const {
    if (ansi.empty()) return {};
    const int len = static_cast<int>(ansi.size());
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), len, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), len, wide.data(), n);
    return win32::Narrow(wide);
}

std::string Win32CodePage::FromUtf8(std::string_view utf8) const {
    std::wstring wide = win32::Widen(utf8);
    if (wide.empty()) return {};
    const int len = static_cast<int>(wide.size());
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), len, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), len, out.data(), n, nullptr, nullptr);
    return out;
}

std::optional<std::string> ExactAnsiPath(std::string_view utf8) {
    const std::wstring wide = win32::Widen(utf8.substr(0, utf8.find('\0')));
    if (wide.empty()) return std::nullopt;
    const int len = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), len, nullptr, 0,
                                      nullptr, &lossy);
    if (n <= 0 || lossy) return std::nullopt;
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), len, out.data(), n, nullptr,
                        &lossy);
    if (lossy) return std::nullopt;
    return out;
}

}  // namespace mq
