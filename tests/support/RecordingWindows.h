#pragma once
// The palette's window placement, recorded: every SetWindowPos and whether
// the window is in the topmost band now.
#include <vector>

#include "palette/Palette.h"

namespace mq::test {

class RecordingWindows final : public WindowPort {
public:
    struct Call {
        WindowHandle window, insertAfter;
        int x, y, cx, cy;
        unsigned flags;
    };
    bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                      unsigned flags) override {
        calls.push_back({window, insertAfter, x, y, cx, cy, flags});
        if (insertAfter == kTopmost) topmost = true;
        if (insertAfter == kNotTopmost) topmost = false;
        return true;
    }
    std::vector<Call> calls;
    bool topmost = false;
};

}  // namespace mq::test
