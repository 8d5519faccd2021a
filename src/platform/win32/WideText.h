#pragma once
#include <string>
#include <string_view>

// UTF-8 inside the program, UTF-16 right at the W calls.
namespace mq::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace mq::win32
