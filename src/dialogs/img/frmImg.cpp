#include "dialogs/Views.h"

#include "dialogs/img/ImgRes.h"

namespace mq::win32 {

template <>
const int frmImg::kTemplate = IDD_FRMIMG;

template <>
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
