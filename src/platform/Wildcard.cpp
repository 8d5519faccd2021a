#include "platform/Wildcard.h"

#include <cstddef>

namespace mq {
namespace {

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Bytes of the UTF-8 character starting at `s[i]` (1 for a stray byte).
std::size_t CharLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    std::size_t k = 1;
    while (k < n && i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80) ++k;
    return k;
}

}  // namespace

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
    // Greedy with one back-track point: linear in practice, never
    // exponential, whatever the pattern.
    std::size_t n = 0, p = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += CharLength(name, n);
        } else if (p < pattern.size() && Fold(pattern[p]) == Fold(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            starN += CharLength(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace mq
