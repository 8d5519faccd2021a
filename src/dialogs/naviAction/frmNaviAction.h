#pragma once
#include "dialogs/naviAction/NaviActionModel.h"
#include "dialogs/navi/NaviView.h"

namespace mq::win32 {

// The soft-key action dialog's window; every rule is in NaviActionModel.
class frmNaviAction final : public NaviDialogView {
public:
    frmNaviAction();
    NaviActionModel model;

private:
    void OnBind() override;
};

}  // namespace mq::win32
