#include "platform/win32/Win32Collation.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace mq {

namespace {
// The flags under which the keys order names as a sorted list box does.
constexpr DWORD kKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
}  // namespace

std::string Win32Collation::SortKey(std::string_view name) const {
    win32::WidenInto(name, wide_);
    const int length = static_cast<int>(wide_.size());
    // A key takes a few bytes per character; one call mostly suffices.
    if (key_.size() < wide_.size() * 8 + 16) key_.resize(wide_.size() * 8 + 16);
    int n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kKeyFlags, wide_.c_str(), length,
                          reinterpret_cast<LPWSTR>(key_.data()), static_cast<int>(key_.size()),
                          nullptr, nullptr, 0);
    if (n == 0) {
        n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kKeyFlags, wide_.c_str(), length, nullptr, 0,
                          nullptr, nullptr, 0);
        if (n <= 0) return std::string(name);  // no key: the name as it is
        key_.resize(static_cast<std::size_t>(n));
        n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kKeyFlags, wide_.c_str(), length,
                          reinterpret_cast<LPWSTR>(key_.data()), n, nullptr, nullptr, 0);
    }
    return key_.substr(0, static_cast<std::size_t>(n));
}

}  // namespace mq
