#include "palette/Dialogs.h"

#include "dialogs/Views.h"
#include "palette/frmVersion.h"

namespace mq::win32 {
namespace {

// Each dialog is built for one opening with what it needs of the context.
template <class Dialog>
void Show(HINSTANCE instance, HWND anchor, const DialogContext&) {
    Dialog dialog;
    dialog.ShowModal(instance, anchor);
}

template <>
void Show<frmCE>(HINSTANCE instance, HWND anchor, const DialogContext& c) {
    frmCE dialog(c.messages);
    dialog.ShowModal(instance, anchor);
}

template <>
void Show<frmImg>(HINSTANCE instance, HWND anchor, const DialogContext& c) {
    frmImg dialog(c.files);
    dialog.ShowModal(instance, anchor);
}

template <>
void Show<frmTemplete>(HINSTANCE instance, HWND anchor, const DialogContext& c) {
    frmTemplete dialog(c.templates, c.folders, c.messages, c.templateInUse);
    dialog.ShowModal(instance, anchor);
}

template <>
void Show<frmVersion>(HINSTANCE instance, HWND anchor, const DialogContext& c) {
    frmVersion dialog(c.shell);
    dialog.ShowModal(instance, anchor);
}

using Shower = void (*)(HINSTANCE, HWND, const DialogContext&);

Shower ShowerFor(Command command) {
    switch (command) {
    case Command::Deck: return &Show<frmDeck>;
    case Command::Card: return &Show<frmCard>;
    case Command::Text: return &Show<frmText>;
    case Command::NaviA: return &Show<frmNaviA>;
    case Command::NaviAction: return &Show<frmNaviAction>;
    case Command::CE: return &Show<frmCE>;
    case Command::Image: return &Show<frmImg>;
    case Command::Templete: return &Show<frmTemplete>;
    case Command::Version: return &Show<frmVersion>;
    default: return nullptr;
    }
}

}  // namespace

bool HasCommandDialog(Command command) { return ShowerFor(command) != nullptr; }

bool ShowCommandDialog(Command command, HINSTANCE instance, HWND anchor, const DialogContext& context) {
    Shower show = ShowerFor(command);
    if (show == nullptr) return false;
    show(instance, anchor, context);
    return true;
}

}  // namespace mq::win32
