#pragma once
#include <string>

#include "dialogs/Controls.h"
#include "dialogs/TagDialog.h"
#include "platform/Ui.h"

namespace mq {

// frmCE: a list of choice entries, one <CE ...> tag and its display text
// per line. The user composes one entry at a time in the preview, adds it
// to the list, may delete lines, and OK inserts the list.
class CEModel : public TagDialogModel {
public:
    explicit CEModel(MessagePort& messages);

    void Form_Load() override;
    // This dialog's rebuild of the preview.
    void ComposeEntry();
    void cmdAdd_Click();
    void cmdItemDelete_Click();
    void cmdOK_Click() override;

    ui::ListBox lstSnData;
    ui::TextBox txtEd;
    // Common to the entries: TYPE, TASK, LABEL.
    ui::ComboBox cboType;
    ui::CheckBox chkTask;
    ui::ComboBox cboTask;
    ui::CheckBox chkLabel;
    ui::TextBox txtLabel;
    // Per entry: DEST, VALUE and the text shown.
    ui::CheckBox chkDest{true};
    ui::TextBox txtDest;
    ui::CheckBox chkValue;
    ui::TextBox txtVALUE;
    ui::CheckBox chkMoji{true};
    ui::TextBox txtMoji{"新しい項目"};

private:
    MessagePort& messages_;
};

}  // namespace mq
