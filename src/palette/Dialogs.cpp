#include "palette/Dialogs.h"

#include "dialogs/card/frmCard.h"
#include "dialogs/ce/frmCE.h"
#include "dialogs/deck/frmDeck.h"
#include "dialogs/img/frmImg.h"
#include "dialogs/naviA/frmNaviA.h"
#include "dialogs/naviAction/frmNaviAction.h"
#include "dialogs/text/frmText.h"
#include "palette/frmVersion.h"
#include "templates/frmTemplete.h"

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

bool ShowCommandDialog(Command command, HINSTANCE instance, HWND anchor) {
    Shower show = ShowerFor(command);
    if (show == nullptr) return false;
    show(instance, anchor);
    return true;
}

}  // namespace mq::win32
