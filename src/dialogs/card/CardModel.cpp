#include "dialogs/card/CardModel.h"

#include <string>

#include "dialogs/AttributeFragment.h"

namespace mq {

CardModel::CardModel()
    : cboCard({"DISPLAY", "CHOICE", "ENTRY", "NODISPLAY"}, /*editable=*/true),
      cboMethod({"NUMBER", "ALPHA"}, /*editable=*/false),
      cboMarkble({"True", "False"}, /*editable=*/false) {
    for (ui::ComboBox* list : {&cboCard, &cboMarkble, &cboMethod}) {
        list->Click = [this] { Reset(); };
        list->Change = [this] { Reset(); };
    }
    for (ui::CheckBox* box : {&chkTitle, &chkBookMark, &chkMethod, &chkMarkble, &chkKey, &chkDefault,
                              &chkIkey, &chkIDefault}) {
        box->Click = [this] { Reset(); };
    }
    for (ui::TextBox* box : {&txtName, &txtTitle, &txtBookMark, &txtKey, &txtDefault, &txtIkey,
                             &txtIDefault}) {
        box->Change = [this] { Reset(); };
    }
}

void CardModel::Form_Load() {
    cboCard.SetListIndex(0);
    cboMarkble.SetListIndex(0);
    cboMethod.SetListIndex(0);
    Reset();
}

// The attributes go out in their own fixed order, not the order of the
// pages (MARKABLE before TITLE, KEY before BOOKMARK).
void CardModel::Reset() {
    std::string tag = "<" + cboCard.Text();
    AppendAttribute(tag, "NAME", txtName.Text());  // always, even when empty
    if (chkMarkble.Value()) AppendAttribute(tag, "MARKABLE", cboMarkble.Text());
    if (chkTitle.Value()) AppendAttribute(tag, "TITLE", txtTitle.Text());
    if (chkKey.Value()) AppendAttribute(tag, "KEY", txtKey.Text());
    if (chkBookMark.Value()) AppendAttribute(tag, "BOOKMARK", txtBookMark.Text());
    if (chkMethod.Value()) AppendAttribute(tag, "METHOD", cboMethod.Text());
    if (chkDefault.Value()) AppendAttribute(tag, "DEFAULT", txtDefault.Text());
    if (chkIkey.Value()) AppendAttribute(tag, "IKEY", txtIkey.Text());
    if (chkIDefault.Value()) AppendAttribute(tag, "IDEFAULT", txtIDefault.Text());
    tag += '>';
    txtEd.SetText(std::move(tag));
}

void CardModel::cmdOK_Click() {
    Reset();
    CloseWith(txtEd.Text(), "</" + cboCard.Text() + ">");
}

}  // namespace mq
