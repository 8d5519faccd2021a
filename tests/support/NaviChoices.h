#pragma once
// Choices made in the navigation attributes of the link and action dialogs.
#include "dialogs/navi/NaviAttributeSet.h"

namespace mq::test {

// Every attribute checked, each with a value of its own.
inline void CheckEverything(NaviAttributeSet& s) {
    for (const NaviAttrSpec& info : kNaviAttrs) s.Check(info.attr).SetValue(true);
    s.Combo(NaviAttr::Task).SetListIndex(1);  // GOSUB
    s.Text(NaviAttr::Label).SetText("L");
    s.Text(NaviAttr::Dest).SetText("D");
    s.Text(NaviAttr::Vars).SetText("V");
    s.Text(NaviAttr::Next).SetText("N");
    s.Text(NaviAttr::Receive).SetText("R");
    s.Text(NaviAttr::Cancel).SetText("C");
    s.Combo(NaviAttr::Clear).SetListIndex(1);
    s.Text(NaviAttr::SendReferer).SetText("S");
    s.Combo(NaviAttr::Friend).SetListIndex(1);
    s.Text(NaviAttr::Retvals).SetText("RV");
    s.Combo(NaviAttr::PostMethod).SetListIndex(1);
    s.Text(NaviAttr::PostData).SetText("PD");
    s.Text(NaviAttr::Number).SetText("0");
    s.Text(NaviAttr::AcceptCharset).SetText("UTF-8");
}

}  // namespace mq::test
