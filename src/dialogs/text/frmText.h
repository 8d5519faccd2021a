#pragma once
#include "dialogs/ModelDialog.h"
#include "dialogs/text/TextModel.h"

namespace mq::win32 {

// The text formatting dialog's window; every rule is in TextModel.
class frmText final : public ModelDialog {
public:
    frmText();
    TextModel model;

private:
    void OnBind() override;
};

}  // namespace mq::win32
