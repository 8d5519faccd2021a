#pragma once
// A Unix path from the build turned into one Wine understands (Z: drive).
#include <string>

#include "platform/win32/WideText.h"

namespace mq::test {

inline std::wstring WinPath(const std::string& path) {
    std::wstring wide = win32::Widen(path);
    if (!wide.empty() && wide[0] == L'/') {
        wide = L"Z:" + wide;
        for (auto& c : wide) {
            if (c == L'/') c = L'\\';
        }
    }
    return wide;
}

}  // namespace mq::test
