// The deck dialog (with its seconds calculator) and the image dialog, end
// to end: worked examples typed through the real controls land in the
// stand-in host; Cancel after an earlier OK leaves it alone; Tab walks the
// documented order; the image dialog's browse button drives the system's
// open-file dialog, and cancelling that keeps the typed source.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/deck/DeckRes.h"
#include "dialogs/img/ImgRes.h"
#include "e2e/DialogKeys.h"
#include "e2e/DialogSteps.h"
#include "platform/win32/WideText.h"

namespace mq::e2e {
namespace {


std::wstring Calculator(HWND dlg) {
    std::wstring parts;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) parts += L",";
        parts += Text(DeepItem(dlg, IDC_TXTSECCALC0 + i));
    }
    return parts;
}

// --- Deck --------------------------------------------------------------------

TEST(Deck, WorkedExampleTypedThroughTheControls) {
    Session s(Selected("cards"));
    HWND dlg = s.Open(Command::Deck);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Preview(dlg), LR"(<HDML VERSION="3.0" TTL="3" MARKABLE="True">)");
    EXPECT_EQ(Calculator(dlg), L"0,0,0,3");

    TypeInto(DeepItem(dlg, IDC_TXTTTL), L"3600");
    EXPECT_EQ(Calculator(dlg), L"0,1,0,0");
    ShowPage(dlg, IDC_SSTAB1, 1, DeepItem(dlg, IDC_CBOMARKBLE));
    EXPECT_FALSE(IsWindowVisible(DeepItem(dlg, IDC_TXTSECCALC0)));  // the calculator goes with its page
    SelectComboItem(DeepItem(dlg, IDC_CBOMARKBLE), 1);
    SetCheck(DeepItem(dlg, IDC_CHKACCESSPATH), true);
    TypeInto(DeepItem(dlg, IDC_TXTACCESSPATH), L"/members");
    OkInserts(s, dlg, R"(<HDML VERSION="3.0" TTL="3600" MARKABLE="False" ACCESSPATH="/members">cards</HDML>)");

    // Reopened: the initial values again; Cancel after editing inserts nothing.
    dlg = s.Open(Command::Deck);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Text(DeepItem(dlg, IDC_TXTTTL)), L"3");
    TypeInto(DeepItem(dlg, IDC_TXTTTL), L"90061");
    ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);
}

TEST(Deck, CalculatorBoxesTypedThroughTheControls) {
    Session s(Selected("x"));
    HWND dlg = s.Open(Command::Deck);
    ASSERT_NE(dlg, nullptr);
    HWND ttl = DeepItem(dlg, IDC_TXTTTL);

    TypeInto(DeepItem(dlg, IDC_TXTSECCALC0 + 1), L"30");  // cut to 23
    EXPECT_EQ(Calculator(dlg), L"0,23,0,3");
    EXPECT_EQ(Text(ttl), L"82803");
    EXPECT_EQ(Preview(dlg), LR"(<HDML VERSION="3.0" TTL="82803" MARKABLE="True">)");

    TypeInto(DeepItem(dlg, IDC_TXTSECCALC0 + 1), L"1.5");
    EXPECT_EQ(Calculator(dlg), L"0,1,30,3");
    EXPECT_EQ(Text(ttl), L"5403");

    // Emptied: back to 0 at once.
    HWND seconds = DeepItem(dlg, IDC_TXTSECCALC0 + 3);
    SendMessageW(seconds, EM_SETSEL, 0, -1);
    SendMessageW(seconds, WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(Text(seconds), L"0");
    EXPECT_EQ(Text(ttl), L"5400");

    // Not a number ("1e" on the way to "1e2"): the parts stay as "1" left
    // them, the text goes into the preview as typed.
    TypeInto(ttl, L"1e");
    EXPECT_EQ(Calculator(dlg), L"0,0,0,1");
    EXPECT_EQ(Preview(dlg), LR"(<HDML VERSION="3.0" TTL="1e" MARKABLE="True">)");
    TypeChars(ttl, L"2");
    EXPECT_EQ(Calculator(dlg), L"0,0,1,40");

    OkInserts(s, dlg, R"(<HDML VERSION="3.0" TTL="100" MARKABLE="True">x</HDML>)");
}

TEST(Deck, TabWalksTheDocumentedOrderAndSelectsCalculatorBoxes) {
    Session s(Selected("x"));
    HWND dlg = s.Open(Command::Deck);
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return FocusedId(dlg) == IDC_TXTED; }));
    TypeInto(DeepItem(dlg, IDC_TXTSECCALC0 + 2), L"12");
    const std::vector<int> expected{IDC_SSTAB1,      IDC_CHKVERSION,      IDC_CBOVERSION,
                                    IDC_CHKTTL,      IDC_TXTTTL,          IDC_CMDOK,
                                    IDC_CMDCANCEL,   IDC_TXTSECCALC0,     IDC_TXTSECCALC0 + 1,
                                    IDC_TXTSECCALC0 + 2};
    EXPECT_EQ(TabWalk(dlg, static_cast<int>(expected.size())), expected);
    // Tabbing in selected the whole text, so a key replaces it.
    HWND minutes = DeepItem(dlg, IDC_TXTSECCALC0 + 2);
    EXPECT_EQ(EditSelection(minutes), std::make_pair(DWORD{0}, DWORD{2}));
    PostMessageW(minutes, WM_CHAR, L'5', 1);
    ASSERT_TRUE(WaitUntil([&] { return Text(DeepItem(dlg, IDC_TXTTTL)) == L"303"; }));
    EXPECT_EQ(Calculator(dlg), L"0,0,5,3");
    EXPECT_EQ(TabWalk(dlg, 2), (std::vector<int>{IDC_TXTSECCALC0 + 3, IDC_TXTED}));
    ClosesWithoutInserting(s, dlg, 0);
}

// --- Image -------------------------------------------------------------------

// The system's open-file dialog of the palette's process.
HWND WaitChooser(Session& s) { return s.WaitDialog(caption::kImageChooser); }

// Its file name box: a combo box (cmb13) in the Explorer style, an edit
// (edt1) in older ones.
HWND ChooserFileName(HWND chooser) {
    if (HWND combo = GetDlgItem(chooser, 0x47c)) {
        if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) return edit;
        return combo;
    }
    return DeepItem(chooser, 0x480);
}

std::vector<std::wstring> ChooserFilters(HWND chooser) {
    return ListLines(DeepItem(chooser, 0x470));  // cmb1
}

TEST(Image, WorkedExampleTypedThroughTheControls) {
    Session s(Selected("abc"));
    HWND dlg = s.Open(Command::Image);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Preview(dlg), LR"(<IMG SRC="">)");
    TypeInto(Item(dlg, IDC_TXTSRC), L"logo.bmp");
    SetCheck(Item(dlg, IDC_CHKALT), true);
    TypeInto(Item(dlg, IDC_TXTALT), L"ロゴ");
    TypeInto(Item(dlg, IDC_TXTICON), L"left");
    EXPECT_EQ(Preview(dlg), LR"(<IMG SRC="logo.bmp" ALT="ロゴ">)");
    OkInserts(s, dlg, R"(<IMG SRC="logo.bmp" ALT="ロゴ">abc)");

    // Cancel after that OK inserts nothing.
    dlg = s.Open(Command::Image);
    ASSERT_NE(dlg, nullptr);
    TypeInto(Item(dlg, IDC_TXTSRC), L"other.bmp");
    ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);
}

TEST(Image, BrowseChoosesAFileAndCancellingKeepsTheTypedSource) {
    Session s(Selected("abc"));
    const std::wstring picture = s.Folder() + L"\\pic.bmp";
    HANDLE f = CreateFileW(picture.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);

    HWND dlg = s.Open(Command::Image);
    ASSERT_NE(dlg, nullptr);
    HWND src = Item(dlg, IDC_TXTSRC);
    TypeInto(src, L"typed.bmp");

    // Cancelled before any choice: the chooser showed the bitmap pattern
    // and both filters; the typed source stays.
    Click(dlg, IDC_CMDBROWSE);
    HWND chooser = WaitChooser(s);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(Text(ChooserFileName(chooser)), L"*.bmp");
    EXPECT_EQ(ChooserFilters(chooser),
              (std::vector<std::wstring>{L"白黒ビットマップ(*.bmp)", L"Portable Network Graphics(*.PNG)"}));
    Click(chooser, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(dlg) != FALSE; }));
    EXPECT_EQ(Text(src), L"typed.bmp");
    EXPECT_EQ(Preview(dlg), LR"(<IMG SRC="typed.bmp">)");

    // A chosen file: its full path goes into the source and the preview.
    Click(dlg, IDC_CMDBROWSE);
    chooser = WaitChooser(s);
    ASSERT_NE(chooser, nullptr);
    // The user pastes the picture's full path into the system's file name
    // box (typed key by key, Wine's box completes and browses as it goes).
    PasteText(ChooserFileName(chooser), picture);
    Click(chooser, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }));
    ASSERT_TRUE(WaitUntil([&] { return Text(src) != L"typed.bmp"; }));
    const std::wstring chosen = Text(src);
    EXPECT_EQ(_wcsicmp(chosen.c_str(), picture.c_str()), 0) << win32::Narrow(chosen);
    EXPECT_EQ(Preview(dlg), L"<IMG SRC=\"" + chosen + L"\">");

    // The next browse starts from that file; cancelling it keeps what the
    // user typed since.
    TypeInto(src, L"edited.bmp");
    Click(dlg, IDC_CMDBROWSE);
    chooser = WaitChooser(s);
    ASSERT_NE(chooser, nullptr);
    EXPECT_NE(Text(ChooserFileName(chooser)).find(L"pic.bmp"), std::wstring::npos);
    Click(chooser, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(dlg) != FALSE; }));
    EXPECT_EQ(Text(src), L"edited.bmp");
    OkInserts(s, dlg, R"(<IMG SRC="edited.bmp">abc)");
}

const DialogCase kImageKeys{"Image", Command::Image, 0,
                            {IDC_TXTED, IDC_TXTSRC, IDC_CHKALT}, ""};
const DialogCase kDeckKeys{"Deck", Command::Deck, IDC_SSTAB1,
                           {IDC_TXTED, IDC_SSTAB1, IDC_CBOVERSION, IDC_TXTTTL, IDC_TXTSECCALC0,
                            IDC_CBOMARKBLE, IDC_TXTACCESSPATH},
                           "</HDML>"};
INSTANTIATE_TEST_SUITE_P(Image, DialogKeys, ::testing::Values(kImageKeys), CaseName());
INSTANTIATE_TEST_SUITE_P(Deck, DialogKeys, ::testing::Values(kDeckKeys), CaseName());
INSTANTIATE_TEST_SUITE_P(Deck, TabbedDialogs, ::testing::Values(kDeckKeys), CaseName());
INSTANTIATE_TEST_SUITE_P(Deck, EditableLists,
                         ::testing::Values(ListCase{"Version", Command::Deck,
                                                    IDC_SSTAB1, IDC_CBOVERSION, IDC_CHKVERSION,
                                                    LR"( VERSION="TEXT")"}),
                         CaseName());
INSTANTIATE_TEST_SUITE_P(
    Boxes, TypedBoxes,
    ::testing::Values(BoxCase{"ImageSrc", Command::Image, 0, IDC_TXTSRC, 0},
                      BoxCase{"DeckAccessPath", Command::Deck, IDC_SSTAB1,
                              IDC_TXTACCESSPATH, IDC_CHKACCESSPATH}),
    CaseName());

}  // namespace
}  // namespace mq::e2e
