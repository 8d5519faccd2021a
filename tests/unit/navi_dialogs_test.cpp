#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/naviA/NaviAModel.h"
#include "dialogs/naviAction/NaviActionModel.h"
#include "hostlink/HostLink.h"
#include "support/NaviChoices.h"
#include "support/TagDialogOpening.h"

namespace mq {
namespace {

using test::CheckEverything;

constexpr const char* kFullA =
    R"(<A  TASK="GOSUB" REL="NEXT" LABEL="L" DEST="D" VARS="V" NEXT="N" RECEIVE="R" )"
    R"(CANCEL="C" CLEAR="False" SENDREFERER="S" FRIEND="False" RETVALS="RV" )"
    R"(POSTMETHOD="POST" POSTDATA="PD" NUMBER="0" ACCEPTCHARSET="UTF-8">)";

constexpr const char* kFullAction =
    R"(<ACTION TYPE="SOFT1" TASK="GOSUB" REL="NEXT" DEST="D" LABEL="L" VARS="V" NEXT="N" )"
    R"(RECEIVE="R" CANCEL="C" CLEAR="False" SENDREFERER="S" FRIEND="False" RETVALS="RV" )"
    R"(POSTMETHOD="POST" POSTDATA="PD" NUMBER="0" ACCEPTCHARSET="UTF-8" ICON="i" SRC="s">)";

// The visible state of all sixteen pairs, to see that touching one leaves
// the others alone.
std::vector<std::string> Snapshot(const NaviAttributeSet& s) {
    std::vector<std::string> out;
    for (const NaviAttrSpec& info : kNaviAttrs) {
        out.push_back(std::string(s.Check(info.attr).Value() ? "1" : "0") + std::string(s.Value(info.attr)));
    }
    return out;
}

std::string Without(std::string text, const std::string& fragment) {
    const auto at = text.find(fragment);
    if (at == std::string::npos) ADD_FAILURE() << "no " << fragment << " in " << text;
    else text.erase(at, fragment.size());
    return text;
}

class NaviA : public ::testing::Test {
protected:
    void SetUp() override { test::OpenAfterAnEarlierDialog(m); }
    NaviAModel m;
};

TEST_F(NaviA, WorkedExamples) {
    EXPECT_EQ(m.txtEd.Text(), R"(<A  LABEL="OK" DEST="">)");

    NaviAModel gosub;
    gosub.Form_Load();
    auto& s = gosub.attrs;
    s.Check(NaviAttr::Task).SetValue(true);
    s.Combo(NaviAttr::Task).SetListIndex(1);
    s.Text(NaviAttr::Dest).SetText("#sub");
    s.Check(NaviAttr::Receive).SetValue(true);
    s.Text(NaviAttr::Receive).SetText("a;b");
    s.Check(NaviAttr::Friend).SetValue(true);
    s.Combo(NaviAttr::Friend).SetListIndex(1);
    s.Check(NaviAttr::PostMethod).SetValue(true);
    s.Combo(NaviAttr::PostMethod).SetListIndex(1);
    s.Check(NaviAttr::PostData).SetValue(true);
    s.Text(NaviAttr::PostData).SetText("x=1");
    EXPECT_EQ(gosub.txtEd.Text(), R"(<A  TASK="GOSUB" LABEL="OK" DEST="#sub" RECEIVE="a;b" )"
                                  R"(FRIEND="False" POSTMETHOD="POST" POSTDATA="x=1">)");

    NaviAModel call;
    call.Form_Load();
    call.attrs.Check(NaviAttr::Task).SetValue(true);
    call.attrs.Combo(NaviAttr::Task).SetListIndex(5);
    call.attrs.Check(NaviAttr::Label).SetValue(false);
    call.attrs.Check(NaviAttr::Dest).SetValue(false);
    call.attrs.Check(NaviAttr::Number).SetValue(true);
    call.attrs.Text(NaviAttr::Number).SetText("0000");
    EXPECT_EQ(call.txtEd.Text(), R"(<A  TASK="CALL" NUMBER="0000">)");

    EXPECT_TRUE(test::OkLeaves(m, R"(<A  LABEL="OK" DEST="">)", "</A>"));
}

TEST_F(NaviA, HeadAloneAndRelAlone) {
    m.attrs.Check(NaviAttr::Label).SetValue(false);
    m.attrs.Check(NaviAttr::Dest).SetValue(false);
    EXPECT_EQ(m.txtEd.Text(), "<A >");
    m.attrs.Check(NaviAttr::Rel).SetValue(true);
    EXPECT_EQ(m.txtEd.Text(), R"(<A  REL="NEXT">)");
    m.attrs.Check(NaviAttr::Rel).SetValue(false);
    EXPECT_TRUE(test::OkLeaves(m, "<A >", "</A>"));
}

TEST_F(NaviA, WritesAllSixteenInItsOrderAndEachOneAlone) {
    CheckEverything(m.attrs);
    EXPECT_EQ(m.txtEd.Text(), kFullA);
    for (const NaviAttrSpec& info : kNaviAttrs) {
        SCOPED_TRACE(std::string(info.name));
        const auto before = Snapshot(m.attrs);
        const std::string fragment = " " + std::string(info.name) + "=\"" + std::string(m.attrs.Value(info.attr)) + "\"";
        m.attrs.Check(info.attr).SetValue(false);
        EXPECT_EQ(m.txtEd.Text(), Without(kFullA, fragment));
        m.attrs.Check(info.attr).SetValue(true);
        EXPECT_EQ(m.txtEd.Text(), kFullA);
        EXPECT_EQ(Snapshot(m.attrs), before);
    }
}

TEST_F(NaviA, NoTaskHidesOrDropsAnyOtherAttribute) {
    CheckEverything(m.attrs);
    const auto others = [&] {
        auto s = Snapshot(m.attrs);
        s.erase(s.begin());  // TASK itself
        return s;
    };
    const auto before = others();
    for (int i = 0; i < static_cast<int>(kTaskItems.size()); ++i) {
        m.attrs.Combo(NaviAttr::Task).SetListIndex(i);
        EXPECT_EQ(others(), before);
        const std::string task = " TASK=\"" + std::string(kTaskItems[static_cast<std::size_t>(i)]) + "\"";
        EXPECT_EQ(Without(m.txtEd.Text(), task), Without(kFullA, R"( TASK="GOSUB")"));
    }
}

TEST_F(NaviA, UncheckedValuesStayAndComeBack) {
    m.attrs.Text(NaviAttr::Dest).SetText("#a");
    m.attrs.Check(NaviAttr::Dest).SetValue(false);
    EXPECT_EQ(m.attrs.Text(NaviAttr::Dest).Text(), "#a");
    m.attrs.Combo(NaviAttr::Friend).SetListIndex(1);  // unchecked: no change
    EXPECT_EQ(m.txtEd.Text(), R"(<A  LABEL="OK">)");
    m.attrs.Check(NaviAttr::Friend).SetValue(true);
    m.attrs.Check(NaviAttr::Dest).SetValue(true);
    EXPECT_EQ(m.txtEd.Text(), R"(<A  LABEL="OK" DEST="#a" FRIEND="False">)");
}

TEST_F(NaviA, LabelPrecedesDestWhicheverIsCheckedFirst) {
    m.attrs.Check(NaviAttr::Label).SetValue(false);
    m.attrs.Check(NaviAttr::Dest).SetValue(false);
    m.attrs.Check(NaviAttr::Dest).SetValue(true);
    m.attrs.Check(NaviAttr::Label).SetValue(true);
    EXPECT_EQ(m.txtEd.Text(), R"(<A  LABEL="OK" DEST="">)");
}

TEST_F(NaviA, TypedTaskKeepsItsSpace) {
    m.attrs.Check(NaviAttr::Task).SetValue(true);
    m.attrs.Combo(NaviAttr::Task).SetText("GO ");
    EXPECT_EQ(m.txtEd.Text(), R"(<A  TASK="GO " LABEL="OK" DEST="">)");
}

// The preview follows LABEL's box and text at once, like every other pair.
TEST_F(NaviA, LabelRebuildsThePreviewAtOnce) {
    m.attrs.Text(NaviAttr::Label).SetText("次へ");
    EXPECT_EQ(m.txtEd.Text(), R"(<A  LABEL="次へ" DEST="">)");
    m.attrs.Check(NaviAttr::Label).SetValue(false);
    EXPECT_EQ(m.txtEd.Text(), R"(<A  DEST="">)");
}

TEST_F(NaviA, OkStoresTheRebuiltTagNotTheTypedPreview) {
    m.attrs.Text(NaviAttr::Dest).SetText("#x");
    m.txtEd.SetText("<A HREF=\"typed\">");
    EXPECT_TRUE(test::OkLeaves(m, R"(<A  LABEL="OK" DEST="#x">)", "</A>"));
}

class NaviAction : public ::testing::Test {
protected:
    void SetUp() override { test::OpenAfterAnEarlierDialog(m); }
    NaviActionModel m;
};

TEST_F(NaviAction, WorkedExamples) {
    EXPECT_EQ(m.txtEd.Text(), R"(<ACTION TYPE="ACCEPT" TASK="GO" DEST="" LABEL="OK">)");

    NaviActionModel menu;
    menu.Form_Load();
    menu.cboType.SetListIndex(1);
    menu.attrs.Combo(NaviAttr::Task).SetListIndex(1);
    menu.attrs.Check(NaviAttr::Rel).SetValue(true);
    menu.attrs.Text(NaviAttr::Dest).SetText("#menu");
    menu.attrs.Text(NaviAttr::Label).SetText("Menu");
    menu.attrs.Check(NaviAttr::Vars).SetValue(true);
    menu.attrs.Text(NaviAttr::Vars).SetText("a=1");
    menu.chkIcon.SetValue(true);
    menu.txtIcon.SetText("star");
    menu.chkSrc.SetValue(true);
    menu.txtSrc.SetText("img.bmp");
    EXPECT_EQ(menu.txtEd.Text(), R"(<ACTION TYPE="SOFT1" TASK="GOSUB" REL="NEXT" DEST="#menu" )"
                                 R"(LABEL="Menu" VARS="a=1" ICON="star" SRC="img.bmp">)");

    NaviActionModel soft2;
    soft2.Form_Load();
    soft2.cboType.SetText("SOFT2");
    soft2.attrs.Check(NaviAttr::Label).SetValue(false);
    soft2.attrs.Check(NaviAttr::Dest).SetValue(false);
    EXPECT_EQ(soft2.txtEd.Text(), R"(<ACTION TYPE="SOFT2" TASK="GO">)");

    EXPECT_TRUE(test::OkLeaves(m, R"(<ACTION TYPE="ACCEPT" TASK="GO" DEST="" LABEL="OK">)", ""));
}

TEST_F(NaviAction, WritesAllSeventeenInItsOrderAndEachOneAlone) {
    m.cboType.SetListIndex(1);
    CheckEverything(m.attrs);
    m.chkIcon.SetValue(true);
    m.txtIcon.SetText("i");
    m.chkSrc.SetValue(true);
    m.txtSrc.SetText("s");
    EXPECT_EQ(m.txtEd.Text(), kFullAction);
    for (NaviAttr a : kNaviActionOrder) {
        SCOPED_TRACE(std::string(SpecOf(a).name));
        const auto before = Snapshot(m.attrs);
        const std::string fragment = " " + std::string(SpecOf(a).name) + "=\"" + std::string(m.attrs.Value(a)) + "\"";
        m.attrs.Check(a).SetValue(false);
        EXPECT_EQ(m.txtEd.Text(), Without(kFullAction, fragment));
        m.attrs.Check(a).SetValue(true);
        EXPECT_EQ(Snapshot(m.attrs), before);
    }
    m.chkIcon.SetValue(false);
    EXPECT_EQ(m.txtEd.Text(), Without(kFullAction, R"( ICON="i")"));
    m.chkIcon.SetValue(true);
    m.chkSrc.SetValue(false);
    EXPECT_EQ(m.txtEd.Text(), Without(kFullAction, R"( SRC="s")"));
}

TEST_F(NaviAction, TypeAndTaskAreWrittenWhateverTheBoxesSay) {
    for (const NaviAttrSpec& info : kNaviAttrs) m.attrs.Check(info.attr).SetValue(false);
    EXPECT_EQ(m.txtEd.Text(), R"(<ACTION TYPE="ACCEPT" TASK="GO">)");
    m.attrs.Check(NaviAttr::Task).SetValue(true);
    EXPECT_EQ(m.txtEd.Text(), R"(<ACTION TYPE="ACCEPT" TASK="GO">)");
    m.cboType.SetText("");
    m.attrs.Combo(NaviAttr::Task).SetText("");
    EXPECT_EQ(m.txtEd.Text(), R"(<ACTION TYPE="" TASK="">)");
}

// Its box is shown checked, since TASK is always written, and clicking it
// changes nothing.
TEST_F(NaviAction, TaskBoxIsShownCheckedAndRebuildsNothing) {
    EXPECT_TRUE(m.attrs.Check(NaviAttr::Task).Value());
    m.txtEd.SetText("typed");
    m.attrs.Check(NaviAttr::Task).SetValue(false);
    EXPECT_EQ(m.txtEd.Text(), "typed");
    m.cmdOK_Click();
    EXPECT_EQ(InsertBefore, R"(<ACTION TYPE="ACCEPT" TASK="GO" DEST="" LABEL="OK">)");
}

TEST_F(NaviAction, LabelRebuildsThePreviewAtOnce) {
    m.attrs.Text(NaviAttr::Label).SetText("戻る");
    EXPECT_EQ(m.txtEd.Text(), R"(<ACTION TYPE="ACCEPT" TASK="GO" DEST="" LABEL="戻る">)");
    m.attrs.Check(NaviAttr::Label).SetValue(false);
    EXPECT_EQ(m.txtEd.Text(), R"(<ACTION TYPE="ACCEPT" TASK="GO" DEST="">)");
}

// The same choices in both dialogs give the same attributes; only the head
// and the order of LABEL and DEST differ.
TEST(NaviDialogs, SameChoicesGiveTheSameAttributes) {
    NaviAModel a;
    NaviActionModel action;
    a.Form_Load();
    action.Form_Load();
    CheckEverything(a.attrs);
    CheckEverything(action.attrs);
    auto tail = [](const std::string& tag, const char* from) { return tag.substr(tag.find(from)); };
    EXPECT_EQ(tail(Without(a.txtEd.Text(), R"( LABEL="L")"), " REL="),
              tail(Without(action.txtEd.Text(), R"( LABEL="L")"), " REL="));
    EXPECT_LT(a.txtEd.Text().find(" LABEL="), a.txtEd.Text().find(" DEST="));
    EXPECT_GT(action.txtEd.Text().find(" LABEL="), action.txtEd.Text().find(" DEST="));
}

}  // namespace
}  // namespace mq
