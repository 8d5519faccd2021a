#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "hostlink/HostLink.h"
#include "palette/Commands.h"
#include "platform/Ui.h"
#include "templates/TagTemplate.h"

namespace mq {

// SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW
inline constexpr unsigned kZenmenFlags = 0x43;
// The same and SWP_NOACTIVATE: the way back into the band after a dialog.
// The host gets the keyboard then, and a palette that took it first would
// be taking it from the host: under Wine its own focus request can reach
// the X server after the host's, and the host then drops the foreground.
inline constexpr unsigned kZenmenQuietFlags = kZenmenFlags | 0x10;

// Mode 1 puts the window into the topmost band, 0 takes it out, any other
// mode does nothing and answers 0. Shows the window as a side effect.
int SetZenmen(WindowPort& windows, WindowHandle form, std::int16_t mode,
              unsigned flags = kZenmenFlags);

// The palette's state and sequences, apart from its window.
class Palette {
public:
    Palette(WindowPort& windows, HostLink& link);

    void SetWindow(WindowHandle self) { self_ = self; }

    // Start-up, before the window is shown: capture the host (warning once
    // when unbound), let `placeWindow` position the still hidden window,
    // read the saved state from `savedTopMost`, then apply it with the
    // toggle, which also shows the window. The check mark holds the
    // opposite of the saved state until the toggle flips it, so with
    // nothing saved (an empty `savedTopMost`) the palette floats.
    void Form_Load(const std::function<bool()>& savedTopMost,
                   const std::function<void()>& placeWindow = {});

    // The always-on-top toggle.
    void mnuSaizenmen_Click() { Toggle(kZenmenFlags); }
    // The check mark as it stands (lifted while a dialog is open).
    bool TopMostChecked() const { return checked_; }
    // The state as the user chose it, the one to save: while a dialog is
    // open, the mark from before the modal sequence lifted it.
    bool ChosenTopMost() const { return modalDepth_ > 0 ? markBeforeModal_ : checked_; }

    // Runs whenever the toggle has changed the check mark, so the menu can
    // show it at once (also while a dialog is open).
    std::function<void()> CheckChanged;

    // Shows a dialog modally around the topmost band: leave it while the
    // dialog is open, come back afterwards; tag dialogs then insert. A tag
    // dialog starts from empty insertion texts, so only its OK can leave
    // anything to insert, however else it ends.
    void RunModal(const std::function<void()>& showDialog, bool insertAfterwards);
    bool DialogOpen() const { return modalDepth_ > 0; }

    // A request to close the palette (close box, taskbar, another program).
    // Answers whether it may close now. While a dialog is open it may not:
    // the request is kept, and once the dialog has gone (and its result, if
    // any, inserted) ClosePending tells the caller to close.
    bool RequestClose();
    bool ClosePending() const { return closePending_ && modalDepth_ == 0; }

    // The Windows session is ending: from now on nothing is inserted, even
    // by a dialog that is still open.
    void EndSession() { sessionEnded_ = true; }
    bool SessionEnded() const { return sessionEnded_; }

    // The template the template dialog loaded last: it outlives each
    // opening of the dialog, for the run (empty before the first pick).
    TagTemplate& TemplateInUse() { return templateInUse_; }

private:
    void Toggle(unsigned flags);

    WindowPort& windows_;
    HostLink& link_;
    WindowHandle self_ = 0;
    bool checked_ = false;
    int modalDepth_ = 0;
    bool markBeforeModal_ = false;
    bool closePending_ = false;
    bool sessionEnded_ = false;
    TagTemplate templateInUse_;
};

}  // namespace mq
