#pragma once
// Typing into a model's box as a user does: the first key replaces the
// whole (selected) text, every further key adds one character. Each key is
// one change, so the handlers see every prefix, as with the real control.
#include <string>
#include <string_view>

#include "dialogs/Controls.h"

namespace mq::test {

template <class Box>
void Type(Box& box, std::string_view text) {
    for (std::size_t n = 1; n <= text.size(); ++n) {
        // Whole characters only: stop after the last byte of each.
        if (n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) continue;
        box.SetText(std::string(text.substr(0, n)));
    }
}

}  // namespace mq::test
