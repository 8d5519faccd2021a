#pragma once
#include "dialogs/Controls.h"
#include "dialogs/TagDialog.h"

namespace mq {

// frmText: one text formatting tag in front of the selection and, when
// asked, its closing tag behind it. Nothing is composed before OK.
class TextModel : public TagDialogModel {
public:
    TextModel();

    void Form_Load() override;
    void cmdOK_Click() override;

    ui::ComboBox cboTag;
    ui::CheckBox chkCloseTag;
};

}  // namespace mq
