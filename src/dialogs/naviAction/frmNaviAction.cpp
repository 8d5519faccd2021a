#include "dialogs/Views.h"

#include <string>

#include "dialogs/naviAction/NaviActionRes.h"

namespace mq::win32 {

template <>
const int frmNaviAction::kTemplate = IDD_FRMNAVIACTION;

template <>
void frmNaviAction::OnBind() {
    BindText(Window(), IDC_TXTED, model.txtEd);
    const auto windows =
        AddTabPages(IDC_NAVIACTION_TAB, {{std::string(kNaviPageCaptions[0]), IDD_NAVIACTION_PAGE1},
                                         {std::string(kNaviPageCaptions[1]), IDD_NAVIACTION_PAGE2},
                                         {std::string(kNaviPageCaptions[2]), IDD_NAVIACTION_PAGE3},
                                         {"画像", IDD_NAVIACTION_PAGE4}});
    // REL stands at the right end of LABEL's row; TYPE goes in front of
    // TASK on the first row.
    auto pages = AttributePages(model.attrs, IDC_NAVIACTION_ATTR_FIRST, NaviAttr::Label);
    Row& taskRow = pages[static_cast<std::size_t>(NaviPage::Navigation)].front();
    // TASK is always written: its box stays checked and cannot be clicked.
    taskRow.cells.front().locked = true;
    taskRow.cells.insert(taskRow.cells.begin(),
                         {Cell{IDC_NAVIACTION_LABEL1, "使うソフトキー&TYPE", {}},
                          Cell{IDC_NAVIACTION_CBOTYPE, {}, &model.cboType}});
    const Page images{
        Row{{Cell{IDC_NAVIACTION_CHKSRC, "表示される画像S&RC", &model.chkSrc},
             Cell{IDC_NAVIACTION_TXTSRC, {}, &model.txtSrc}},
            {}},
        Row{{Cell{IDC_NAVIACTION_CHKICON, "端末の画像&ICON", &model.chkIcon},
             Cell{IDC_NAVIACTION_TXTICON, {}, &model.txtIcon}},
            {}},
    };
    std::vector<Page> all(pages.begin(), pages.end());
    all.push_back(images);
    LayOutPages(windows, all);
}

}  // namespace mq::win32
