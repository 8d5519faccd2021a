// The palette, the host link and the text formatting dialog, end to end.
#include <gtest/gtest.h>

#include "dialogs/text/TextRes.h"
#include "e2e/DialogKeys.h"
#include "e2e/DialogSteps.h"
#include "e2e/Driver.h"
#include "palette/frmMain.h"

namespace mq::e2e {
namespace {

// Opens the text dialog, sees it start from its initial values ("BR", no
// closing tag) and confirms them with OK (or the key `vk`).
void InitialValuesInsert(Session& s, const std::string& expected, UINT vk = 0) {
    HWND dlg = s.Open(Command::Text);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Text(Item(dlg, IDC_CBOTAG)), L"BR");
    EXPECT_FALSE(IsChecked(Item(dlg, IDC_CHKCLOSETAG)));
    OkInserts(s, dlg, expected, vk);
}

TEST(Palette, WorkedExampleWrapsTheSelectionAndGivesTheFocusBack) {
    Session s(Selected("Hello"));
    ASSERT_NE(s.Palette(), nullptr);
    ASSERT_NO_FATAL_FAILURE(InsertTextTag(s, 1, true, "<CENTER>Hello</CENTER>"));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == s.Host(); }));
}

TEST(Palette, OkAtOnceInsertsBrAtTheCaretAndUncheckedBoxLeavesNoClosingTag) {
    HostOptions o;
    o.text = "abc";
    o.selStart = o.selEnd = 1;
    Session s(o);
    InitialValuesInsert(s, "a<BR>bc");
}

TEST(Palette, CancelEscAndCloseBoxInsertNothingAfterAnEarlierOk) {
    Session s(Selected("Hello"));
    ASSERT_NO_FATAL_FAILURE(InsertTextTag(s, 1, false, "<CENTER>Hello"));
    const std::string after = s.HostText();

    // Cancel, Esc, the close box: each after editing the controls.
    for (int way = 0; way < 3; ++way) {
        HWND dlg = s.Open(Command::Text);
        ASSERT_NE(dlg, nullptr) << way;
        SelectComboItem(Item(dlg, IDC_CBOTAG), 2);
        if (way == 0) Click(dlg, IDC_CMDCANCEL);
        if (way == 1) PressKey(dlg, VK_ESCAPE);
        if (way == 2) PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); })) << way;
        // The palette is back (enabled) once the sequence has finished.
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(s.Palette()) != FALSE; }));
        EXPECT_EQ(s.HostText(), after) << way;
    }
}

TEST(Palette, EnterPressesOkAndReopeningStartsFromTheInitialValues) {
    Session s(Selected("Hello"));
    ASSERT_NO_FATAL_FAILURE(InsertTextTag(s, 3, true, "<TAB>Hello</TAB>"));

    s.SetHostText("xyz", 0, 3);
    InitialValuesInsert(s, "<BR>xyz", VK_RETURN);
}

TEST(Palette, DoubleByteCutIsReadAsBytes) {
    HostOptions o;
    o.text = ToCp932("日本語abc");
    ASSERT_EQ(o.text.size(), 9u);
    o.selStart = 2;
    o.selEnd = 6;
    Session s(o);
    InsertTextTag(s, 1, true, "日<CENTER>本語</CENTER>abc");
}

TEST(Palette, LargeHostTextIsCutExactlyPast64KiB) {
    // 1 MB of recognisable lines; the selection lies far past 16 bits.
    HostOptions o;
    std::string line = "<P>0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz</P>\r\n";
    while (o.text.size() < 1000000 + 10) o.text += line;
    o.text.resize(1000010);
    o.selStart = 1000000;
    o.selEnd = 1000005;
    Session s(o);
    InsertTextTag(s, 1, true);
    ASSERT_TRUE(s.WaitTextChange(o.text));
    std::string expected = o.text.substr(0, 1000000) + "<CENTER>" + o.text.substr(1000000, 5) +
                           "</CENTER>" + o.text.substr(1000005);
    EXPECT_TRUE(s.HostText() == expected) << "the host text differs from the expected insertion";
}

TEST(Palette, WithoutAnEditorOneWarningThenInsertionsChangeNothing) {
    HostOptions o = Selected("Hello");
    o.extraArgs = {L"--nested-editor"};
    Session s(o);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(s.PaletteProcessId())) != nullptr; }));
    EXPECT_EQ(MessageBoxText(box), L"TeraPadを発見できませんでした。\r\nTeraPadへの送信は実行できません。");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_NE(s.Palette(), nullptr);
    EXPECT_EQ(FindMessageBox(s.PaletteProcessId()), nullptr);

    InsertTextTag(s, 1, true);
    // The insertion over, nothing has changed, and the window in front at
    // the start is in front again.
    ASSERT_TRUE(s.WaitPaletteIdle());
    EXPECT_EQ(s.HostText(), "Hello");
    EXPECT_EQ(FindMessageBox(s.PaletteProcessId()), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == s.Host(); }));
}

TEST(Palette, StartsOnTopLeavesTheBandWhileADialogIsOpenAndComesBack) {
    Session s(Selected("Hello"));
    const LRESULT both = win32::kStateChecked | win32::kStateTopmost;
    ASSERT_TRUE(WaitUntil([&] { return s.PaletteState() == both; }));

    HWND dlg = s.Open(Command::Text);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(s.PaletteState(), 0);
    EXPECT_FALSE(IsWindowEnabled(s.Palette()));
    Click(dlg, IDC_CMDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return s.PaletteState() == both; }));

    // Switched off, it stays off around a dialog.
    s.Command(Command::Saizenmen);
    ASSERT_TRUE(WaitUntil([&] { return s.PaletteState() == 0; }));
    dlg = s.Open(Command::Text);
    ASSERT_NE(dlg, nullptr);
    Click(dlg, IDC_CMDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg) && IsWindowEnabled(s.Palette()); }));
    EXPECT_EQ(s.PaletteState(), 0);
}

TEST(Palette, ToolbarButtonsDispatchByKey) {
    Session s(Selected("Hello"));
    s.ToolbarClick(4);  // "テキスト整形"
    HWND dlg = s.WaitDialog(DialogCaption(Command::Text));
    ASSERT_NE(dlg, nullptr);
    OkInserts(s, dlg, "<BR>Hello");
}

TEST(Palette, ToolbarExitEndsTheProgram) {
    Session s(Selected("Hello"));
    ASSERT_NE(s.Palette(), nullptr);
    s.ToolbarClick(0);  // "終了"
    EXPECT_TRUE(s.WaitPaletteExit());
}

TEST(Palette, CloseBoxAndMenuExitEndTheProgram) {
    {
        Session s(Selected("Hello"));
        PostMessageW(s.Palette(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(s.WaitPaletteExit());
    }
    {
        Session s(Selected("Hello"));
        s.Command(Command::Exit);
        EXPECT_TRUE(s.WaitPaletteExit());
    }
}

TEST(Palette, ClientAreaIsTheToolbarAndTheWindowIsFullyOnScreen) {
    Session s(Selected("Hello"));
    HWND palette = s.Palette();
    RECT client, window;
    GetClientRect(palette, &client);
    EXPECT_EQ(client.right, 223);
    EXPECT_EQ(client.bottom, 24);
    GetWindowRect(palette, &window);
    EXPECT_GE(window.left, 0);
    EXPECT_GE(window.top, 0);
    EXPECT_LE(window.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(window.bottom, GetSystemMetrics(SM_CYSCREEN));
    const LONG style = GetWindowLongW(palette, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
}

const DialogCase kTextKeys{"Text", Command::Text, 0,
                           {IDC_CBOTAG, IDC_CHKCLOSETAG}, ""};
INSTANTIATE_TEST_SUITE_P(Text, DialogKeys, ::testing::Values(kTextKeys), CaseName());

TEST(Palette, MovingToAMonitorOfAnotherScaleKeepsTheClientAreaTheToolbar) {
    Session s(Selected("Hello"));
    HWND palette = s.Palette();
    auto client = [&] {
        RECT r;
        GetClientRect(palette, &r);
        return std::make_pair(r.right, r.bottom);
    };
    RECT window;
    GetWindowRect(palette, &window);
    RECT suggested{window.left, window.top, window.left + 500, window.top + 140};
    SendMessageW(palette, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(client(), std::make_pair(LONG{446}, LONG{48}));
    SendMessageW(palette, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&window));
    EXPECT_EQ(client(), std::make_pair(LONG{223}, LONG{24}));

    // The rebuilt toolbar still dispatches by key.
    s.ToolbarClick(4);
    HWND dlg = s.WaitDialog(DialogCaption(Command::Text));
    ASSERT_NE(dlg, nullptr);
    Click(dlg, IDC_CMDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }));
}

}  // namespace
}  // namespace mq::e2e
