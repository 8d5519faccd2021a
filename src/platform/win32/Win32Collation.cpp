#include "platform/win32/Win32Collation.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace mq {

namespace {
// The flags under which the keys order names as a sorted list box does.
constexpr DWORD kKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
}  // namespace

std::string Win32Collation::SortKey(std::string_view name) const {
    const std::wstring wide = win32::Widen(name);
    // A key is a few bytes per character; one call mostly suffices.
    std::string key(wide.size() * 8 + 16, '\0');
    int n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kKeyFlags, wide.c_str(),
                          static_cast<int>(wide.size()), reinterpret_cast<LPWSTR>(key.data()),
                          static_cast<int>(key.size()), nullptr, nullptr, 0);
    if (n == 0) {
        n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kKeyFlags, wide.c_str(),
                          static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr, 0);
        if (n <= 0) return std::string(name);  // no key: the name as it is
        key.assign(static_cast<std::size_t>(n), '\0');
        n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kKeyFlags, wide.c_str(),
                          static_cast<int>(wide.size()), reinterpret_cast<LPWSTR>(key.data()),
                          static_cast<int>(key.size()), nullptr, nullptr, 0);
    }
    key.resize(static_cast<std::size_t>(n));
    return key;
}

}  // namespace mq
