#pragma once
#include "dialogs/ModelDialog.h"
#include "dialogs/img/ImgModel.h"
#include "platform/win32/Win32FileChooser.h"

namespace mq::win32 {

// The image dialog's window; every rule is in ImgModel.
class frmImg final : public ModelDialog {
public:
    frmImg();
    Win32FileChooser chooser;
    ImgModel model{chooser};

private:
    void OnBind() override;
};

}  // namespace mq::win32
