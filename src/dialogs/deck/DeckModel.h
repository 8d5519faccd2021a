#pragma once
#include <array>

#include "dialogs/Controls.h"
#include "dialogs/TagDialog.h"

namespace mq {

// frmDeck: the deck's opening tag <HDML ...> with its five attributes, and
// "</HDML>" behind the selection. The TTL box is tied to the seconds
// calculator: four boxes showing the same lifetime as days, hours, minutes
// and seconds, each side rewriting the other as the user types.
//
// The calculator converts only what it can: a text that is not a number,
// a negative value, or a lifetime beyond 2147483647 seconds leaves the
// other side as it was (the TTL text still goes into the preview exactly
// as typed) until the text is a number again.
class DeckModel : public TagDialogModel {
public:
    DeckModel();

    void Form_Load() override;
    void Reset();
    void cmdOK_Click() override;

    // The calculator's handlers.
    void txtTTL_Change();
    void txtSecCalc_Change(int index);
    void txtSecCalc_GotFocus(int index);

    ui::TextBox txtEd;
    // Page "デッキ".
    ui::CheckBox chkVersion{true};
    ui::ComboBox cboVersion;
    ui::CheckBox chkTTL{true};
    ui::TextBox txtTTL{"3"};
    // Days, hours, minutes, seconds.
    std::array<ui::TextBox, 4> txtSecCalc{ui::TextBox{"0"}, ui::TextBox{"0"}, ui::TextBox{"0"},
                                          ui::TextBox{"3"}};
    // Page "アクセス".
    ui::CheckBox chkMarkble{true};
    ui::ComboBox cboMarkble;
    ui::CheckBox chkAccessDomain;
    ui::TextBox txtAccessDomain;
    ui::CheckBox chkAccessPath;
    ui::TextBox txtAccessPath;
};

}  // namespace mq
