#pragma once
#include "dialogs/Controls.h"
#include "dialogs/TagDialog.h"
#include "dialogs/navi/NaviAttributeSet.h"

namespace mq {

// frmNaviAction: a soft-key action, one <ACTION ...> tag in front of the
// selection. TYPE and TASK are always written, in the head; the other
// attributes of the navigation set follow, then ICON and SRC.
class NaviActionModel : public TagDialogModel {
public:
    NaviActionModel();

    void Form_Load() override;
    void Reset();
    void cmdOK_Click() override;

    ui::TextBox txtEd;
    ui::ComboBox cboType;
    NaviAttributeSet attrs;
    ui::CheckBox chkSrc;
    ui::TextBox txtSrc;
    ui::CheckBox chkIcon;
    ui::TextBox txtIcon;
};

}  // namespace mq
