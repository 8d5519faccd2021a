#include "dialogs/naviAction/NaviActionModel.h"

#include "dialogs/AttributeFragment.h"

namespace mq {

NaviActionModel::NaviActionModel() : cboType(ToItems(kSoftKeyTypes), /*editable=*/true) {
    const auto rebuild = [this] { Reset(); };
    attrs.OnChange(rebuild);
    // TASK is written whatever its box says, so the box is shown checked
    // (and locked by the view) rather than inviting a click that does
    // nothing; it rebuilds nothing.
    ui::CheckBox& chkTask = attrs.Check(NaviAttr::Task);
    chkTask.Click = nullptr;
    chkTask.SetValue(true);
    cboType.Click = rebuild;
    cboType.Change = rebuild;
    chkSrc.Click = rebuild;
    txtSrc.Change = rebuild;
    chkIcon.Click = rebuild;
    txtIcon.Change = rebuild;
}

void NaviActionModel::Form_Load() {
    cboType.SetListIndex(0);
    attrs.SelectFirstItems();
    Reset();
}

void NaviActionModel::Reset() {
    std::string tag = "<ACTION";
    AppendAttribute(tag, "TYPE", cboType.Text());
    AppendAttribute(tag, SpecOf(NaviAttr::Task).name, attrs.Value(NaviAttr::Task));
    attrs.AppendFragments(tag, kNaviActionOrder);
    if (chkIcon.Value()) AppendAttribute(tag, "ICON", txtIcon.Text());
    if (chkSrc.Value()) AppendAttribute(tag, "SRC", txtSrc.Text());
    tag += '>';
    txtEd.SetText(std::move(tag));
}

void NaviActionModel::cmdOK_Click() {
    Reset();
    CloseWith(txtEd.Text(), {});
}

}  // namespace mq
