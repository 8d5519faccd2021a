#include "dialogs/navi/NaviAttributeSet.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

namespace mq {
namespace {

TEST(NaviAttributeSet, OpensWithLabelOkAndEmptyDestCheckedAndListsOnTheirFirstItem) {
    NaviAttributeSet set;
    set.SelectFirstItems();
    std::string out;
    set.AppendFragments(out, kNaviAOrder);
    EXPECT_EQ(out, R"( LABEL="OK" DEST="")");
    EXPECT_EQ(set.Value(NaviAttr::Task), "GO");
    EXPECT_EQ(set.Value(NaviAttr::Clear), "True");
    EXPECT_EQ(set.Value(NaviAttr::Friend), "True");
    EXPECT_EQ(set.Value(NaviAttr::PostMethod), "GET");
    EXPECT_EQ(set.Value(NaviAttr::Rel), "NEXT");
}

TEST(NaviAttributeSet, ControlsAreOfTheKindTheTableNames) {
    NaviAttributeSet set;
    for (const NaviAttrSpec& info : kNaviAttrs) {
        SCOPED_TRACE(std::string(info.name));
        // The control's name says its kind: a text box, a list, or none.
        const std::string_view prefix = info.valueControl.substr(0, 3);
        const bool text = prefix == "txt";
        const bool list = prefix == "cbo";
        ASSERT_TRUE(text || list || info.valueControl.empty()) << info.valueControl;
        if (text) {
            EXPECT_NO_THROW(set.Text(info.attr));
        } else {
            EXPECT_THROW(set.Text(info.attr), std::logic_error);
        }
        if (list) {
            EXPECT_EQ(set.Combo(info.attr).Editable(), info.kind == NaviValueKind::EditableList);
        } else {
            EXPECT_THROW(set.Combo(info.attr), std::logic_error);
        }
        EXPECT_EQ(info.checkBox.substr(0, 3), "chk");
    }
    // Only TASK can be typed into; CLEAR, FRIEND and POSTMETHOD are lists only.
    EXPECT_TRUE(set.Combo(NaviAttr::Task).Editable());
    EXPECT_FALSE(set.Combo(NaviAttr::Friend).Editable());
}

// A keyboard user reaches each check box by its accelerator: no two on one
// page may share one, and the three captions without one have none.
TEST(NaviAttributeSet, AcceleratorsAreUniqueOnEveryPage) {
    std::set<std::pair<NaviPage, char>> seen;
    int without = 0;
    for (const NaviAttrSpec& info : kNaviAttrs) {
        const auto amp = info.caption.find('&');
        if (amp == std::string_view::npos) {
            ++without;
            continue;
        }
        ASSERT_LT(amp + 1, info.caption.size());
        EXPECT_EQ(info.caption.find('&', amp + 1), std::string_view::npos) << info.caption;
        EXPECT_TRUE(seen.insert({info.page, info.caption[amp + 1]}).second) << info.caption;
    }
    EXPECT_EQ(without, 3);  // TASK, POSTDATA, NUMBER
}

TEST(NaviAttributeSet, ValuesAreWrittenExactlyAsTheyStand) {
    NaviAttributeSet set;
    set.SelectFirstItems();
    set.Check(NaviAttr::Label).SetValue(false);
    set.Check(NaviAttr::Dest).SetValue(false);
    set.Check(NaviAttr::Vars).SetValue(true);
    set.Text(NaviAttr::Vars).SetText(R"(  a="<b>"&c )");
    set.Check(NaviAttr::Task).SetValue(true);
    set.Combo(NaviAttr::Task).SetText("go");  // not an item: written as typed
    set.Check(NaviAttr::Number).SetValue(true);
    std::string out;
    set.AppendFragments(out, kNaviAOrder);
    EXPECT_EQ(out, R"( TASK="go" VARS="  a="<b>"&c " NUMBER="")");
}

TEST(NaviAttributeSet, EveryCheckBoxAndValueControlRunsTheRebuild) {
    NaviAttributeSet set;
    int rebuilds = 0;
    set.OnChange([&] { ++rebuilds; });
    for (const NaviAttrSpec& info : kNaviAttrs) {
        SCOPED_TRACE(std::string(info.name));
        rebuilds = 0;
        set.Check(info.attr).SetValue(!set.Check(info.attr).Value());
        EXPECT_EQ(rebuilds, 1);
        if (info.kind == NaviValueKind::None) continue;  // REL: nothing beside its box
        rebuilds = 0;
        switch (info.kind) {
        case NaviValueKind::Text: set.Text(info.attr).SetText("x"); break;
        case NaviValueKind::EditableList: set.Combo(info.attr).SetText("x"); break;
        case NaviValueKind::FixedList: set.Combo(info.attr).SetListIndex(1); break;
        case NaviValueKind::None: break;
        }
        EXPECT_GE(rebuilds, 1);
    }
}

}  // namespace
}  // namespace mq
