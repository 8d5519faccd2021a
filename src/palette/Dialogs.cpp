#include "palette/Dialogs.h"

#include "dialogs/Views.h"
#include "palette/frmVersion.h"

namespace mq::win32 {
namespace {

// One opening: the dialog is built with what it needs of the context.
template <class Dialog, class... Needs>
void Show(HINSTANCE instance, HWND anchor, Needs&... needs) {
    Dialog dialog(needs...);
    dialog.ShowModal(instance, anchor);
}

}  // namespace

bool ShowCommandDialog(Command command, HINSTANCE instance, HWND anchor, const CommandContext& c) {
    switch (command) {
    case Command::Deck: Show<frmDeck>(instance, anchor); return true;
    case Command::Card: Show<frmCard>(instance, anchor); return true;
    case Command::Text: Show<frmText>(instance, anchor); return true;
    case Command::NaviA: Show<frmNaviA>(instance, anchor); return true;
    case Command::NaviAction: Show<frmNaviAction>(instance, anchor); return true;
    case Command::CE: Show<frmCE>(instance, anchor, c.messages); return true;
    case Command::Image: Show<frmImg>(instance, anchor, c.files); return true;
    case Command::Templete:
        Show<frmTemplete>(instance, anchor, c.templates, c.folders, c.messages, c.templateInUse);
        return true;
    case Command::Version: Show<frmVersion>(instance, anchor, c.shell); return true;
    case Command::Exit:
    case Command::Saizenmen:
    case Command::InportFromHDMLEditor:
    case Command::OpenHelp: return false;
    }
    return false;
}

}  // namespace mq::win32
