#include "dialogs/ce/CEModel.h"

#include "dialogs/AttributeFragment.h"
#include "dialogs/navi/NaviAttributeSet.h"

namespace mq {

CEModel::CEModel(MessagePort& messages)
    : cboType(ToItems(kSoftKeyTypes), /*editable=*/true),
      cboTask(ToItems(SpecOf(NaviAttr::Task).items), /*editable=*/true),
      messages_(messages) {
    cboType.SetText(std::string(kSoftKeyTypes[0]));
    cboTask.SetText(std::string(SpecOf(NaviAttr::Task).items[0]));

    const auto compose = [this] { ComposeEntry(); };
    for (ui::ComboBox* box : {&cboType, &cboTask}) {
        box->Click = compose;
        box->Change = compose;
    }
    for (ui::CheckBox* box : {&chkTask, &chkLabel, &chkDest, &chkValue, &chkMoji}) {
        box->Click = compose;
    }
    for (ui::TextBox* box : {&txtLabel, &txtDest, &txtVALUE, &txtMoji}) box->Change = compose;
}

void CEModel::Form_Load() {
    while (!lstSnData.Items().empty()) lstSnData.RemoveItem(0);
    ComposeEntry();
}

void CEModel::ComposeEntry() {
    std::string entry = "<CE";
    AppendAttribute(entry, "TYPE", cboType.Text());
    if (chkTask.Value()) AppendAttribute(entry, "TASK", cboTask.Text());
    if (chkLabel.Value()) AppendAttribute(entry, "LABEL", txtLabel.Text());
    if (chkDest.Value()) AppendAttribute(entry, "DEST", txtDest.Text());
    if (chkValue.Value()) AppendAttribute(entry, "VALUE", txtVALUE.Text());
    entry += '>';
    if (chkMoji.Value()) entry += txtMoji.Text();
    txtEd.SetText(std::move(entry));
}

void CEModel::cmdAdd_Click() {
    ComposeEntry();
    lstSnData.AddItem(txtEd.Text());
}

void CEModel::cmdItemDelete_Click() {
    const int selected = lstSnData.ListIndex();
    if (selected < 0) {
        messages_.Beep();
        return;
    }
    lstSnData.RemoveItem(selected);
}

void CEModel::cmdOK_Click() {
    std::string lines;
    const auto& items = lstSnData.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) lines += "\r\n";
        lines += items[i];
    }
    CloseWith(std::move(lines), {});
}

}  // namespace mq
