#pragma once
#include "dialogs/Controls.h"
#include "dialogs/TagDialog.h"

namespace mq {

// frmCard: the opening tag of one card with its name and up to eight
// attributes, and the matching closing tag behind the selection. Every
// attribute is offered for every kind of card; Esc does nothing here.
class CardModel : public TagDialogModel {
public:
    CardModel();

    void Form_Load() override;
    void Reset();
    void cmdOK_Click() override;
    bool EscCancels() const override { return false; }

    ui::TextBox txtEd;
    // Page "カード".
    ui::ComboBox cboCard;
    ui::TextBox txtName{"NewCard"};
    ui::CheckBox chkTitle{true};
    ui::TextBox txtTitle{"新しいカード"};
    ui::CheckBox chkBookMark;
    ui::TextBox txtBookMark;
    ui::CheckBox chkMethod;
    ui::ComboBox cboMethod;
    // Page "アクセス".
    ui::CheckBox chkMarkble{true};
    ui::ComboBox cboMarkble;
    // Page "変数".
    ui::CheckBox chkKey;
    ui::TextBox txtKey;
    ui::CheckBox chkDefault;
    ui::TextBox txtDefault;
    ui::CheckBox chkIkey;
    ui::TextBox txtIkey;
    ui::CheckBox chkIDefault;
    ui::TextBox txtIDefault;
};

}  // namespace mq
