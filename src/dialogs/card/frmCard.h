#pragma once
#include "dialogs/ModelDialog.h"
#include "dialogs/card/CardModel.h"

namespace mq::win32 {

// The card dialog's window; every rule is in CardModel.
class frmCard final : public ModelDialog {
public:
    frmCard();
    CardModel model;

private:
    void OnBind() override;
};

}  // namespace mq::win32
