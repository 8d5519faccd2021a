#include "dialogs/text/frmText.h"

#include "dialogs/text/TextRes.h"

namespace mq::win32 {

// The base only keeps a reference to the model; it is not used before
// the dialog is shown.
frmText::frmText() : ModelDialog(model, IDD_FRMTEXT) {}

void frmText::OnBind() {
    BindCombo(Window(), IDC_CBOTAG, model.cboTag);
    BindCheck(Window(), IDC_CHKCLOSETAG, model.chkCloseTag);
}

}  // namespace mq::win32
