#include "dialogs/naviA/NaviAModel.h"

namespace mq {

// Every attribute control rebuilds the preview at once, LABEL's included:
// a preview that lags behind the controls would show the user a tag that
// OK does not store.
NaviAModel::NaviAModel() { attrs.OnChange([this] { Reset(); }); }

void NaviAModel::Form_Load() {
    attrs.SelectFirstItems();
    Reset();
}

void NaviAModel::Reset() {
    std::string tag = kHead;
    attrs.AppendFragments(tag, kNaviAOrder);
    tag += '>';
    txtEd.SetText(std::move(tag));
}

void NaviAModel::cmdOK_Click() {
    Reset();
    CloseWith(txtEd.Text(), kCloseTag);
}

}  // namespace mq
