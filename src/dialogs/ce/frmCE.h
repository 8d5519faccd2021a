#pragma once
#include "dialogs/ModelDialog.h"
#include "dialogs/ce/CEModel.h"
#include "platform/win32/Win32Ui.h"

namespace mq::win32 {

// The choice entries dialog's window; every rule is in CEModel.
class frmCE final : public ModelDialog {
public:
    frmCE();

private:
    Win32Messages messages_;  // the beep of a delete with nothing selected

public:
    CEModel model{messages_};

private:
    void OnBind() override;
};

}  // namespace mq::win32
