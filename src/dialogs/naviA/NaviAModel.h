#pragma once
#include "dialogs/Controls.h"
#include "dialogs/TagDialog.h"
#include "dialogs/navi/NaviAttributeSet.h"

namespace mq {

// frmNaviA: a link. The start tag "<A " and the checked attributes goes in
// front of the selection, "</A>" behind it.
class NaviAModel : public TagDialogModel {
public:
    static constexpr const char* kHead = "<A ";
    static constexpr const char* kCloseTag = "</A>";

    NaviAModel();

    void Form_Load() override;
    void Reset();
    void cmdOK_Click() override;

    ui::TextBox txtEd;
    NaviAttributeSet attrs;
};

}  // namespace mq
