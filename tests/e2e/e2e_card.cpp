// The card dialog, end to end: the worked example typed through the real
// controls, a typed card kind, the tab order, and Esc doing nothing while
// Cancel and the close box insert nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/card/CardRes.h"
#include "e2e/DialogKeys.h"
#include "e2e/DialogSteps.h"
#include "platform/win32/WideText.h"

namespace mq::e2e {
namespace {


TEST(Card, WorkedExampleTypedThroughTheControls) {
    Session s(Selected("メニュー"));
    HWND dlg = s.Open(Command::Card);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Preview(dlg), LR"(<DISPLAY NAME="NewCard" MARKABLE="True" TITLE="新しいカード">)");

    SelectComboItem(DeepItem(dlg, IDC_CBOCARD), 1);
    TypeInto(DeepItem(dlg, IDC_TXTNAME), L"menu");
    SetCheck(DeepItem(dlg, IDC_CHKTITLE), false);
    SetCheck(DeepItem(dlg, IDC_CHKMETHOD), true);
    SelectComboItem(DeepItem(dlg, IDC_CBOMETHOD), 1);
    ShowPage(dlg, IDC_SSTAB1, 2, DeepItem(dlg, IDC_CHKKEY));
    SetCheck(DeepItem(dlg, IDC_CHKKEY), true);
    TypeInto(DeepItem(dlg, IDC_TXTKEY), L"sel");
    OkInserts(s, dlg, R"(<CHOICE NAME="menu" MARKABLE="True" KEY="sel" METHOD="ALPHA">メニュー</CHOICE>)");
}

TEST(Card, TypedKindClosesWithItself) {
    Session s(Selected("x"));
    HWND dlg = s.Open(Command::Card);
    ASSERT_NE(dlg, nullptr);
    TypeIntoCombo(DeepItem(dlg, IDC_CBOCARD), L"CARD");
    EXPECT_EQ(Preview(dlg), LR"(<CARD NAME="NewCard" MARKABLE="True" TITLE="新しいカード">)");
    OkInserts(s, dlg, R"(<CARD NAME="NewCard" MARKABLE="True" TITLE="新しいカード">x</CARD>)");
}

TEST(Card, EscDoesNothingCancelAndCloseBoxInsertNothing) {
    Session s(Selected("x"));
    HWND dlg = s.Open(Command::Card);
    ASSERT_NE(dlg, nullptr);
    OkInserts(s, dlg, R"(<DISPLAY NAME="NewCard" MARKABLE="True" TITLE="新しいカード">x</DISPLAY>)");

    dlg = s.Open(Command::Card);
    ASSERT_NE(dlg, nullptr);
    PressKey(dlg, VK_ESCAPE);
    // Messages are handled in order: once the click after Esc has shown,
    // Esc has been handled too, and the dialog is still there.
    ClickControl(DeepItem(dlg, IDC_CHKBOOKMARK));
    ASSERT_TRUE(WaitUntil([&] { return Preview(dlg).find(L"BOOKMARK") != std::wstring::npos; }));
    EXPECT_TRUE(IsWindow(dlg));
    EXPECT_TRUE(IsWindowVisible(dlg));
    ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);

    dlg = s.Open(Command::Card);
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(IsChecked(DeepItem(dlg, IDC_CHKBOOKMARK)));  // nothing carried over
    ClosesWithoutInserting(s, dlg, 0);
}

TEST(Card, TabWalksTheDocumentedOrder) {
    Session s(Selected("x"));
    HWND dlg = s.Open(Command::Card);
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return FocusedId(dlg) == IDC_TXTED; }));
    const std::vector<int> expected{IDC_SSTAB1,    IDC_CBOCARD,     IDC_TXTNAME,  IDC_CHKTITLE,
                                    IDC_TXTTITLE,  IDC_CHKBOOKMARK, IDC_TXTBOOKMARK, IDC_CHKMETHOD,
                                    IDC_CBOMETHOD, IDC_CMDOK,       IDC_CMDCANCEL, IDC_TXTED};
    EXPECT_EQ(TabWalk(dlg, static_cast<int>(expected.size())), expected);
    ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);
}

const DialogCase kCardKeys{"Card", Command::Card, IDC_SSTAB1,
                           {IDC_TXTED, IDC_CBOCARD, IDC_TXTNAME, IDC_CBOMARKBLE, IDC_TXTKEY},
                           "</DISPLAY>", /*escCancels=*/false};
INSTANTIATE_TEST_SUITE_P(Card, DialogKeys, ::testing::Values(kCardKeys), CaseName());
INSTANTIATE_TEST_SUITE_P(Card, TabbedDialogs, ::testing::Values(kCardKeys), CaseName());
INSTANTIATE_TEST_SUITE_P(Card, EditableLists,
                         ::testing::Values(ListCase{"Kind", Command::Card, IDC_SSTAB1,
                                                    IDC_CBOCARD, 0, L"<TEXT"}),
                         CaseName());
INSTANTIATE_TEST_SUITE_P(Card, TypedBoxes,
                         ::testing::Values(BoxCase{"Name", Command::Card, IDC_SSTAB1,
                                                   IDC_TXTNAME, 0}),
                         CaseName());

}  // namespace
}  // namespace mq::e2e
