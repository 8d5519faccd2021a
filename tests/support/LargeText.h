#pragma once
// About a mebibyte of host text: numbered lines of 100 bytes, each begun
// with Japanese, so that a cut in the wrong place shows.
#include <cstdio>
#include <functional>
#include <string>

namespace mq::test {

// `toHost` turns UTF-8 into the host's code page. Whole lines up to at
// least `size` bytes: 1,048,600 for the default.
inline std::string LargeText(const std::function<std::string(const std::string&)>& toHost,
                             std::size_t size = 1u << 20) {
    const std::string japanese = toHost("日本語のテキストを挿入する場所の確認です");
    std::string text;
    text.reserve(size + 100);
    char number[16];
    for (int line = 0; text.size() < size; ++line) {
        std::snprintf(number, sizeof number, " line %07d ", line);
        std::string row = japanese + number;
        for (char c = 'a'; row.size() < 98; c = c == 'z' ? 'a' : static_cast<char>(c + 1)) row += c;
        text += row + "\r\n";
    }
    return text;
}

}  // namespace mq::test
