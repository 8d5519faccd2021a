#pragma once
#include <cstddef>
#include <string_view>

namespace mq::ui {

// The one run in which `to` differs from `from`: the units [start, end) of
// `from` give way to the units [start, toEnd) of `to`. A rebuilt preview
// mostly changes in one place, so a view can write only that part. A
// boundary never falls between the two halves of a surrogate pair.
struct Splice {
    std::size_t start = 0;
    std::size_t end = 0;    // in `from`
    std::size_t toEnd = 0;  // in `to`
};

template <class Char>
constexpr Splice DifferingPart(std::basic_string_view<Char> from, std::basic_string_view<Char> to) {
    const auto high = [](Char c) { return c >= 0xD800 && c <= 0xDBFF; };
    const auto low = [](Char c) { return c >= 0xDC00 && c <= 0xDFFF; };
    std::size_t head = 0;
    while (head < from.size() && head < to.size() && from[head] == to[head]) ++head;
    if (head > 0 && high(to[head - 1])) --head;
    std::size_t tail = 0;
    while (tail < from.size() - head && tail < to.size() - head &&
           from[from.size() - 1 - tail] == to[to.size() - 1 - tail]) {
        ++tail;
    }
    if (tail > 0 && low(to[to.size() - tail])) --tail;
    return {head, from.size() - tail, to.size() - tail};
}

}  // namespace mq::ui
