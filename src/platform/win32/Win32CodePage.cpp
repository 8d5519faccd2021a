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

}  // namespace mq
