#include "dialogs/Views.h"

#include "dialogs/text/TextRes.h"

namespace mq::win32 {

template <>
const int frmText::kTemplate = IDD_FRMTEXT;

template <>
void frmText::OnBind() {
    BindCombo(Window(), IDC_CBOTAG, model.cboTag);
    BindCheck(Window(), IDC_CHKCLOSETAG, model.chkCloseTag);
}

}  // namespace mq::win32
