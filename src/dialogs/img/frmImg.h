#pragma once
#include "dialogs/ModelDialog.h"
#include "dialogs/img/ImgModel.h"
#include "platform/FileChooser.h"

namespace mq::win32 {

// The image dialog's window; every rule is in ImgModel.
class frmImg final : public ModelDialog {
public:
    explicit frmImg(FileChooser& chooser);
    ImgModel model;

private:
    void OnBind() override;
};

}  // namespace mq::win32
