#include "dialogs/Views.h"

#include "dialogs/ce/CERes.h"

namespace mq::win32 {

template <>
const int frmCE::kTemplate = IDD_FRMCE;

template <>
void frmCE::OnBind() {
    HWND w = Window();
    BindList(w, IDC_LSTSNDATA, model.lstSnData);
    BindText(w, IDC_TXTED, model.txtEd);
    BindCombo(w, IDC_CE_CBOTYPE, model.cboType);
    BindCheck(w, IDC_CE_CHKTASK, model.chkTask);
    BindCombo(w, IDC_CE_CBOTASK, model.cboTask);
    BindCheck(w, IDC_CE_CHKLABEL, model.chkLabel);
    BindText(w, IDC_CE_TXTLABEL, model.txtLabel);
    BindCheck(w, IDC_CE_CHKDEST, model.chkDest);
    BindText(w, IDC_CE_TXTDEST, model.txtDest);
    BindCheck(w, IDC_CE_CHKVALUE, model.chkValue);
    BindText(w, IDC_CE_TXTVALUE, model.txtVALUE);
    BindCheck(w, IDC_CE_CHKMOJI, model.chkMoji);
    BindText(w, IDC_CE_TXTMOJI, model.txtMoji);
    BindButton(w, IDC_CMDADD, [this] { model.cmdAdd_Click(); });
    BindButton(w, IDC_CMDITEMDELETE, [this] { model.cmdItemDelete_Click(); });
}

}  // namespace mq::win32
