#include "palette/Dialogs.h"

#include "dialogs/text/frmText.h"

namespace mq::win32 {
namespace {

template <class Dialog>
void Show(HINSTANCE instance, HWND anchor) {
    Dialog dialog;
    dialog.ShowModal(instance, anchor);
}

using Shower = void (*)(HINSTANCE, HWND);

Shower ShowerFor(Command command) {
    switch (command) {
    case Command::Text: return &Show<frmText>;
    default: return nullptr;
    }
}

}  // namespace

bool HasCommandDialog(Command command) { return ShowerFor(command) != nullptr; }

bool ShowCommandDialog(Command command, HINSTANCE instance, HWND anchor) {
    Shower show = ShowerFor(command);
    if (show == nullptr) return false;
    show(instance, anchor);
    return true;
}

}  // namespace mq::win32
