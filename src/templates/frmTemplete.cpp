#include "dialogs/Views.h"

#include "templates/TempleteRes.h"

namespace mq::win32 {

template <>
const int frmTemplete::kTemplate = IDD_FRMTEMPLETE;

template <>
void frmTemplete::OnBind() {
    HWND self = Window();
    model.owner = reinterpret_cast<WindowHandle>(self);
    BindList(self, IDC_FILE, model.File);
    BindText(self, IDC_TXTFOLDER, model.txtFolder);
    BindText(self, IDC_TXTED, model.txtEd);
    BindText(self, IDC_TXTTAGNAME, model.txtTagName);
    BindText(self, IDC_TXTEDITED, model.txtEdited);
    // The captions are static controls: their text follows the model too.
    BindText(self, IDC_LBL1, model.lbl1);
    BindText(self, IDC_LBL2, model.lbl2);
    BindText(self, IDC_LBL3, model.lbl3);
    BindText(self, IDC_TXTELEMENT1, model.txtElement1);
    BindText(self, IDC_TXTELEMENT2, model.txtElement2);
    BindText(self, IDC_TXTELEMENT3, model.txtElement3);
    BindButton(self, IDC_CMDCHANGEFOLDER, [this] { model.cmdChangeFolder_Click(); });
}

}  // namespace mq::win32
