#include "dialogs/img/frmImg.h"

#include "dialogs/img/ImgRes.h"

namespace mq::win32 {

// The base only keeps a reference to the model; it is not used before
// the dialog is shown.
frmImg::frmImg(FileChooser& chooser) : ModelDialog(model, IDD_FRMIMG), model(chooser) {}

void frmImg::OnBind() {
    HWND self = Window();
    model.CommonDialog1.owner = reinterpret_cast<WindowHandle>(self);
    BindText(self, IDC_TXTED, model.txtEd);
    BindText(self, IDC_TXTSRC, model.txtSrc);
    BindButton(self, IDC_CMDBROWSE, [this] { model.cmdBrowse_Click(); });
    BindCheck(self, IDC_CHKALT, model.chkAlt);
    BindText(self, IDC_TXTALT, model.txtAlt);
    BindCheck(self, IDC_CHKICON, model.chkIcon);
    BindText(self, IDC_TXTICON, model.txtIcon);
}

}  // namespace mq::win32
