#pragma once
#include "dialogs/ModelDialog.h"
#include "dialogs/ce/CEModel.h"
#include "platform/Ui.h"

namespace mq::win32 {

// The choice entries dialog's window; every rule is in CEModel.
class frmCE final : public ModelDialog {
public:
    // `messages` beeps for a delete with nothing selected.
    explicit frmCE(MessagePort& messages);
    CEModel model;

private:
    void OnBind() override;
};

}  // namespace mq::win32
