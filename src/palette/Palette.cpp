#include "palette/Palette.h"

namespace mq {

std::optional<Command> ToolbarCommandForKey(std::string_view key) {
    for (const auto& slot : kToolbarSlots) {
        if (!slot.key.empty() && key == slot.key) return slot.command;
    }
    return std::nullopt;
}

int SetZenmen(WindowPort& windows, WindowHandle form, std::int16_t mode, unsigned flags) {
    if (mode != 0 && mode != 1) return 0;
    WindowHandle band = mode == 1 ? WindowPort::kTopmost : WindowPort::kNotTopmost;
    return windows.SetWindowPos(form, band, 0, 0, 0, 0, flags) ? 1 : 0;
}

Palette::Palette(WindowPort& windows, HostLink& link) : windows_(windows), link_(link) {}

void Palette::Form_Load(const std::function<bool()>& savedTopMost,
                        const std::function<void()>& placeWindow) {
    link_.FindHostEditor();
    // The palette is not shown yet: the warning stands on its own.
    link_.StartupCheck(0);
    if (placeWindow) placeWindow();
    checked_ = savedTopMost ? !savedTopMost() : false;
    mnuSaizenmen_Click();
}

void Palette::Toggle(unsigned flags) {
    if (!checked_) {
        SetZenmen(windows_, self_, 1, flags);
        checked_ = true;
    } else {
        SetZenmen(windows_, self_, 0, flags);
        checked_ = false;
    }
    if (CheckChanged) CheckChanged();
}

void Palette::RunModal(const std::function<void()>& showDialog, bool insertAfterwards) {
    const bool wasOnTop = checked_;
    if (modalDepth_ == 0) markBeforeModal_ = wasOnTop;
    // A dialog that ends without OK (an exception caught at its window
    // procedure, its loop broken by WM_QUIT) writes nothing: what an earlier
    // OK left must not be inserted a second time.
    if (insertAfterwards) {
        InsertBefore.clear();
        InsertAfter.clear();
    }
    if (wasOnTop) mnuSaizenmen_Click();
    ++modalDepth_;
    struct Restore {
        Palette& p;
        bool wasOnTop;
        ~Restore() {
            --p.modalDepth_;
            if (wasOnTop) p.Toggle(kZenmenQuietFlags);
        }
    };
    {
        Restore restore{*this, wasOnTop};
        showDialog();
    }
    if (insertAfterwards && !sessionEnded_) link_.InsertIntoHost();
}

bool Palette::RequestClose() {
    if (modalDepth_ == 0) return true;
    closePending_ = true;
    return false;
}

}  // namespace mq
