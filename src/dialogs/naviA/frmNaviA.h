#pragma once
#include "dialogs/naviA/NaviAModel.h"
#include "dialogs/navi/NaviView.h"

namespace mq::win32 {

// The link dialog's window; every rule is in NaviAModel.
class frmNaviA final : public NaviDialogView {
public:
    frmNaviA();
    NaviAModel model;

private:
    void OnBind() override;
};

}  // namespace mq::win32
