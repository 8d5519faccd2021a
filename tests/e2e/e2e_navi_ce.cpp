// The link, soft-key action and choice entries dialogs, end to end: each
// one's worked examples land in the stand-in host; Cancel after editing
// leaves it alone; the choice list is built, trimmed and inserted.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/ce/CERes.h"
#include "dialogs/navi/NaviAttributeSet.h"
#include "dialogs/naviA/NaviARes.h"
#include "dialogs/naviAction/NaviActionRes.h"
#include "e2e/DialogKeys.h"
#include "e2e/DialogSteps.h"
#include "e2e/Driver.h"
#include "platform/win32/WideText.h"

namespace mq::e2e {
namespace {


// The controls of attribute `a` in a dialog whose attribute rows start at
// `first`: the check box (offset 0), then its value control (offset 1).
constexpr int AttrId(int first, NaviAttr a, int offset) { return first + 2 * static_cast<int>(IndexOf(a)) + offset; }
constexpr int AId(NaviAttr a, int offset) { return AttrId(IDC_NAVIA_ATTR_FIRST, a, offset); }
constexpr int ActionId(NaviAttr a, int offset) { return AttrId(IDC_NAVIACTION_ATTR_FIRST, a, offset); }
HWND AttrCheck(HWND dlg, int first, NaviAttr a) { return DeepItem(dlg, AttrId(first, a, 0)); }
HWND AttrValue(HWND dlg, int first, NaviAttr a) { return DeepItem(dlg, AttrId(first, a, 1)); }

// Picks a line of the entry list with the arrow keys, as a user would.
void SelectListLine(HWND list, int index) {
    FocusOn(list);
    const auto line = [&] { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); };
    for (int step = 0; step < 16 && line() != index; ++step) {
        const int now = line();
        PressKey(list, now < index ? VK_DOWN : VK_UP);
        WaitUntil([&] { return line() != now; });
    }
    ASSERT_EQ(line(), index);
}

int LineCount(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); }

TEST(NaviA, OpenedAndConfirmedAtOnceWrapsTheSelection) {
    Session s(Selected("次へ"));
    HWND dlg = s.Open(Command::NaviA);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Preview(dlg), LR"(<A  LABEL="OK" DEST="">)");
    OkInserts(s, dlg, R"(<A  LABEL="OK" DEST="">次へ</A>)");
}

TEST(NaviA, GosubAndCallExamples) {
    Session s(Selected("x"));
    const int f = IDC_NAVIA_ATTR_FIRST;

    HWND dlg = s.Open(Command::NaviA);
    ASSERT_NE(dlg, nullptr);
    SetCheck(AttrCheck(dlg, f, NaviAttr::Task), true);
    SelectComboItem(AttrValue(dlg, f, NaviAttr::Task), 1);
    TypeInto(AttrValue(dlg, f, NaviAttr::Dest), L"#sub");
    SetCheck(AttrCheck(dlg, f, NaviAttr::Receive), true);
    TypeInto(AttrValue(dlg, f, NaviAttr::Receive), L"a;b");
    SetCheck(AttrCheck(dlg, f, NaviAttr::Friend), true);
    SelectComboItem(AttrValue(dlg, f, NaviAttr::Friend), 1);
    SetCheck(AttrCheck(dlg, f, NaviAttr::PostMethod), true);
    SelectComboItem(AttrValue(dlg, f, NaviAttr::PostMethod), 1);
    SetCheck(AttrCheck(dlg, f, NaviAttr::PostData), true);
    TypeInto(AttrValue(dlg, f, NaviAttr::PostData), L"x=1");
    const std::string gosub = R"(<A  TASK="GOSUB" LABEL="OK" DEST="#sub" RECEIVE="a;b" )"
                              R"(FRIEND="False" POSTMETHOD="POST" POSTDATA="x=1">)";
    EXPECT_EQ(Preview(dlg), win32::Widen(gosub));
    OkInserts(s, dlg, gosub + "x</A>");

    const std::string before = s.HostText();
    s.SetHostText("", 0, 0);
    dlg = s.Open(Command::NaviA);
    ASSERT_NE(dlg, nullptr);
    SetCheck(AttrCheck(dlg, f, NaviAttr::Task), true);
    SelectComboItem(AttrValue(dlg, f, NaviAttr::Task), 5);
    SetCheck(AttrCheck(dlg, f, NaviAttr::Label), false);
    SetCheck(AttrCheck(dlg, f, NaviAttr::Dest), false);
    SetCheck(AttrCheck(dlg, f, NaviAttr::Number), true);
    TypeInto(AttrValue(dlg, f, NaviAttr::Number), L"0000");
    OkInserts(s, dlg, R"(<A  TASK="CALL" NUMBER="0000"></A>)");
}

TEST(NaviA, CancelAfterEditingLeavesTheHostAlone) {
    Session s(Selected("次へ"));
    const int f = IDC_NAVIA_ATTR_FIRST;
    HWND dlg = s.Open(Command::NaviA);
    ASSERT_NE(dlg, nullptr);
    SetCheck(AttrCheck(dlg, f, NaviAttr::Rel), true);
    TypeInto(AttrValue(dlg, f, NaviAttr::Label), L"戻る");
    // The preview follows LABEL at once.
    EXPECT_EQ(Preview(dlg), LR"(<A  REL="NEXT" LABEL="戻る" DEST="">)");
    ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);
}

TEST(NaviAction, OpenedAndConfirmedAtOnceGoesInFrontOfTheSelection) {
    Session s(Selected("次へ"));
    HWND dlg = s.Open(Command::NaviAction);
    ASSERT_NE(dlg, nullptr);
    // TASK is always written: its box is shown checked and cannot be used.
    HWND task = AttrCheck(dlg, IDC_NAVIACTION_ATTR_FIRST, NaviAttr::Task);
    EXPECT_TRUE(IsChecked(task));
    EXPECT_FALSE(IsWindowEnabled(task));
    OkInserts(s, dlg, R"(<ACTION TYPE="ACCEPT" TASK="GO" DEST="" LABEL="OK">次へ)");
}

TEST(NaviAction, MenuAndTypedTypeExamples) {
    Session s(Selected("y"));
    const int f = IDC_NAVIACTION_ATTR_FIRST;

    HWND dlg = s.Open(Command::NaviAction);
    ASSERT_NE(dlg, nullptr);
    SelectComboItem(DeepItem(dlg, IDC_NAVIACTION_CBOTYPE), 1);
    SelectComboItem(AttrValue(dlg, f, NaviAttr::Task), 1);
    SetCheck(AttrCheck(dlg, f, NaviAttr::Rel), true);
    TypeInto(AttrValue(dlg, f, NaviAttr::Dest), L"#menu");
    TypeInto(AttrValue(dlg, f, NaviAttr::Label), L"Menu");
    SetCheck(AttrCheck(dlg, f, NaviAttr::Vars), true);
    TypeInto(AttrValue(dlg, f, NaviAttr::Vars), L"a=1");
    SetCheck(DeepItem(dlg, IDC_NAVIACTION_CHKICON), true);
    TypeInto(DeepItem(dlg, IDC_NAVIACTION_TXTICON), L"star");
    SetCheck(DeepItem(dlg, IDC_NAVIACTION_CHKSRC), true);
    TypeInto(DeepItem(dlg, IDC_NAVIACTION_TXTSRC), L"img.bmp");
    OkInserts(s, dlg,
              R"(<ACTION TYPE="SOFT1" TASK="GOSUB" REL="NEXT" DEST="#menu" LABEL="Menu" VARS="a=1" )"
              R"(ICON="star" SRC="img.bmp">y)");

    s.SetHostText("", 0, 0);
    dlg = s.Open(Command::NaviAction);
    ASSERT_NE(dlg, nullptr);
    TypeIntoCombo(DeepItem(dlg, IDC_NAVIACTION_CBOTYPE), L"SOFT2");
    SetCheck(AttrCheck(dlg, f, NaviAttr::Label), false);
    SetCheck(AttrCheck(dlg, f, NaviAttr::Dest), false);
    EXPECT_EQ(Preview(dlg), LR"(<ACTION TYPE="SOFT2" TASK="GO">)");
    OkInserts(s, dlg, R"(<ACTION TYPE="SOFT2" TASK="GO">)");
}

TEST(NaviAction, CancelAfterEditingLeavesTheHostAlone) {
    Session s(Selected("次へ"));
    HWND dlg = s.Open(Command::NaviAction);
    ASSERT_NE(dlg, nullptr);
    SelectComboItem(DeepItem(dlg, IDC_NAVIACTION_CBOTYPE), 1);
    SetCheck(DeepItem(dlg, IDC_NAVIACTION_CHKSRC), true);
    EXPECT_EQ(Preview(dlg), LR"(<ACTION TYPE="SOFT1" TASK="GO" DEST="" LABEL="OK" SRC="">)");
    ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);
}

TEST(CE, ListBuiltWithAddDeleteAndEnterGoesInWithCrLf) {
    Session s(Selected("末尾"));
    HWND dlg = s.Open(Command::CE);
    ASSERT_NE(dlg, nullptr);
    HWND list = Item(dlg, IDC_LSTSNDATA);
    EXPECT_EQ(Preview(dlg), LR"(<CE TYPE="ACCEPT" DEST="">新しい項目)");
    EXPECT_FALSE(IsWindowEnabled(Item(dlg, IDC_CMDUP)));
    EXPECT_FALSE(IsWindowEnabled(Item(dlg, IDC_CMDDOWN)));

    TypeInto(Item(dlg, IDC_CE_TXTDEST), L"#news");
    TypeInto(Item(dlg, IDC_CE_TXTMOJI), L"ニュース");
    Click(dlg, IDC_CMDADD);
    ASSERT_TRUE(WaitUntil([&] { return LineCount(list) == 1; }));

    // A spare line, selected and deleted; a second delete finds nothing
    // selected and only beeps.
    TypeInto(Item(dlg, IDC_CE_TXTMOJI), L"余分");
    Click(dlg, IDC_CMDADD);
    ASSERT_TRUE(WaitUntil([&] { return LineCount(list) == 2; }));
    SelectListLine(list, 1);
    Click(dlg, IDC_CMDITEMDELETE);
    ASSERT_TRUE(WaitUntil([&] { return LineCount(list) == 1; }));
    // Sent, so that it has been handled when the call returns.
    SendMessageW(Item(dlg, IDC_CMDITEMDELETE), BM_CLICK, 0, 0);
    EXPECT_EQ(LineCount(list), 1);
    TypeInto(Item(dlg, IDC_CE_TXTDEST), L"#weather");
    EXPECT_EQ(FindMessageBox(s.PaletteProcessId()), nullptr);

    // Enter in a text box presses Add, not OK.
    TypeInto(Item(dlg, IDC_CE_TXTMOJI), L"天気");
    SetCheck(Item(dlg, IDC_CE_CHKVALUE), true);
    HWND value = Item(dlg, IDC_CE_TXTVALUE);
    TypeInto(value, L"w");
    PostMessageW(value, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(value, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(dlg) == value; }));
    PressKey(dlg, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return LineCount(list) == 2; }));
    EXPECT_TRUE(IsWindow(dlg));

    OkInserts(s, dlg,
              "<CE TYPE=\"ACCEPT\" DEST=\"#news\">ニュース\r\n"
              "<CE TYPE=\"ACCEPT\" DEST=\"#weather\" VALUE=\"w\">天気末尾");
}

TEST(CE, OkWithAnEmptyListAndCancelInsertNothing) {
    Session s(Selected("末尾"));
    for (int button : {IDC_CMDOK, IDC_CMDCANCEL}) {
        HWND dlg = s.Open(Command::CE);
        ASSERT_NE(dlg, nullptr);
        if (button == IDC_CMDCANCEL) {
            Click(dlg, IDC_CMDADD);
            ASSERT_TRUE(WaitUntil([&] { return LineCount(Item(dlg, IDC_LSTSNDATA)) == 1; }));
        }
        ClosesWithoutInserting(s, dlg, button);
    }
}

const DialogCase kAKeys{"NaviA", Command::NaviA, IDC_NAVIA_TAB,
                        {IDC_TXTED, AId(NaviAttr::Task, 1), AId(NaviAttr::Dest, 1),
                         AId(NaviAttr::Vars, 1), AId(NaviAttr::PostData, 1)},
                        "</A>"};
const DialogCase kActionKeys{"NaviAction", Command::NaviAction, IDC_NAVIACTION_TAB,
                             {IDC_TXTED, IDC_NAVIACTION_CBOTYPE, ActionId(NaviAttr::Task, 1),
                              ActionId(NaviAttr::Dest, 1), ActionId(NaviAttr::Vars, 1),
                              ActionId(NaviAttr::PostData, 1), IDC_NAVIACTION_TXTSRC},
                             ""};
const DialogCase kCEKeys{"CE", Command::CE, 0,
                         {IDC_TXTED, IDC_CE_CBOTYPE, IDC_CE_TXTDEST}, "", true, IDC_LSTSNDATA};
INSTANTIATE_TEST_SUITE_P(Navi, DialogKeys, ::testing::Values(kAKeys, kActionKeys, kCEKeys), CaseName());
INSTANTIATE_TEST_SUITE_P(Navi, TabbedDialogs, ::testing::Values(kAKeys, kActionKeys), CaseName());
INSTANTIATE_TEST_SUITE_P(
    Navi, EditableLists,
    ::testing::Values(
        ListCase{"ATask", Command::NaviA, IDC_NAVIA_TAB, AId(NaviAttr::Task, 1),
                 AId(NaviAttr::Task, 0), LR"( TASK="TEXT")"},
        ListCase{"ActionType", Command::NaviAction, IDC_NAVIACTION_TAB,
                 IDC_NAVIACTION_CBOTYPE, 0, LR"( TYPE="TEXT")"},
        ListCase{"ActionTask", Command::NaviAction, IDC_NAVIACTION_TAB,
                 ActionId(NaviAttr::Task, 1), 0, LR"( TASK="TEXT")"},
        ListCase{"CEType", Command::CE, 0, IDC_CE_CBOTYPE, 0, LR"( TYPE="TEXT")"},
        ListCase{"CETask", Command::CE, 0, IDC_CE_CBOTASK, IDC_CE_CHKTASK,
                 LR"( TASK="TEXT")"}),
    CaseName());
INSTANTIATE_TEST_SUITE_P(
    Navi, TypedBoxes,
    ::testing::Values(BoxCase{"ADest", Command::NaviA, IDC_NAVIA_TAB, AId(NaviAttr::Dest, 1), 0},
                      BoxCase{"ActionDest", Command::NaviAction, IDC_NAVIACTION_TAB,
                              ActionId(NaviAttr::Dest, 1), ActionId(NaviAttr::Dest, 0)},
                      BoxCase{"CEDest", Command::CE, 0, IDC_CE_TXTDEST, IDC_CE_CHKDEST,
                              IDC_LSTSNDATA}),
    CaseName());

}  // namespace
}  // namespace mq::e2e
