#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// UTF-8 inside the program, UTF-16 right at the W calls.
namespace mq::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// A window's or control's text, as it shows it.
std::wstring WindowText(HWND window);

}  // namespace mq::win32
