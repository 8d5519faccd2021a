#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// UTF-8 inside the program, UTF-16 right at the W calls.
namespace mq::win32 {

std::wstring Widen(std::string_view utf8);
// The same into `out`, whose storage is reused: for many short texts in a
// row (thousands of list lines), one conversion each and no allocation.
void WidenInto(std::string_view utf8, std::wstring& out);
std::string Narrow(std::wstring_view wide);

// A window's or control's text, as it shows it.
std::wstring WindowText(HWND window);

}  // namespace mq::win32
