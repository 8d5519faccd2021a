#include "dialogs/Views.h"

#include <string>

#include "dialogs/naviA/NaviARes.h"

namespace mq::win32 {

template <>
const int frmNaviA::kTemplate = IDD_FRMNAVIA;

template <>
void frmNaviA::OnBind() {
    BindText(Window(), IDC_TXTED, model.txtEd);
    const auto windows = AddTabPages(IDC_NAVIA_TAB, {{std::string(kNaviPageCaptions[0]), IDD_NAVIA_PAGE1},
                                                     {std::string(kNaviPageCaptions[1]), IDD_NAVIA_PAGE2},
                                                     {std::string(kNaviPageCaptions[2]), IDD_NAVIA_PAGE3}});
    // REL stands at the right end of TASK's row.
    const auto pages = AttributePages(model.attrs, IDC_NAVIA_ATTR_FIRST, NaviAttr::Task);
    LayOutPages(windows, {pages.begin(), pages.end()});
}

}  // namespace mq::win32
