#include "platform/win32/WideText.h"

#include <windows.h>

namespace mq::win32 {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

void WidenInto(std::string_view utf8, std::wstring& out) {
    // A UTF-8 text never has more UTF-16 units than bytes.
    out.resize(utf8.size());
    const int n = utf8.empty() ? 0
                               : MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                                     static_cast<int>(utf8.size()), out.data(),
                                                     static_cast<int>(out.size()));
    out.resize(static_cast<std::size_t>(n));
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring WindowText(HWND window) {
    const int n = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

}  // namespace mq::win32
