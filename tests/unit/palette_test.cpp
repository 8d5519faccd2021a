// The palette apart from its window: toolbar dispatch, the topmost band,
// start-up order and the modal sequence around a dialog.
#include <gtest/gtest.h>

#include <set>

#include <stdexcept>
#include <vector>

#include "palette/Palette.h"
#include "platform/posix/Cp932.h"
#include "support/FakeHostEditor.h"
#include "support/RecordingMessagePort.h"
#include "support/RecordingWindows.h"

namespace mq::test {
namespace {

TEST(ToolbarDispatch, KeysMatchExactlyAndInTableOrder) {
    EXPECT_EQ(ToolbarCommandForKey("終了"), Command::Exit);
    EXPECT_EQ(ToolbarCommandForKey("テキスト整形"), Command::Text);
    EXPECT_EQ(ToolbarCommandForKey("ナビゲーション - A"), Command::NaviA);
    EXPECT_EQ(ToolbarCommandForKey("ナビゲーション - ACTION"), Command::NaviAction);
    EXPECT_EQ(ToolbarCommandForKey("テンプレート"), Command::Templete);
    // Case, surrounding spaces, a full-width hyphen, the icon key: nothing.
    EXPECT_FALSE(ToolbarCommandForKey("ナビゲーション - action"));
    EXPECT_FALSE(ToolbarCommandForKey(" デッキ"));
    EXPECT_FALSE(ToolbarCommandForKey("ナビゲーション － A"));
    EXPECT_FALSE(ToolbarCommandForKey("Deck"));
    EXPECT_FALSE(ToolbarCommandForKey(""));
}

TEST(CommandTable, ShortcutsAreReadAsTheKeyboardGivesThem) {
    const auto deck = ParseShortcut(SpecOf(Command::Deck).shortcut);
    ASSERT_TRUE(deck);
    EXPECT_TRUE(deck->ctrl);
    EXPECT_EQ(deck->virtualKey, 'D');
    const auto help = ParseShortcut(SpecOf(Command::OpenHelp).shortcut);
    ASSERT_TRUE(help);
    EXPECT_FALSE(help->ctrl);
    EXPECT_EQ(help->virtualKey, 0x70);  // VK_F1
    EXPECT_EQ(ParseShortcut("F12")->virtualKey, 0x7B);
    for (const char* bad : {"", "Ctrl+", "Ctrl+d", "F0", "F13", "Alt+X", "Ctrl+DD"}) {
        EXPECT_FALSE(ParseShortcut(bad)) << bad;
    }
    // Ten shortcuts, none twice.
    std::set<std::pair<bool, unsigned>> seen;
    for (const auto& c : kCommands) {
        if (auto key = ParseShortcut(c.shortcut)) {
            EXPECT_TRUE(seen.insert({key->ctrl, key->virtualKey}).second) << c.shortcut;
        } else {
            EXPECT_TRUE(c.shortcut.empty()) << c.shortcut;
        }
    }
    EXPECT_EQ(seen.size(), 10u);
}

TEST(Zenmen, ModesOneAndZeroMoveTheWindowOthersDoNothing) {
    RecordingWindows windows;
    EXPECT_EQ(SetZenmen(windows, 42, 1), 1);
    ASSERT_EQ(windows.calls.size(), 1u);
    EXPECT_EQ(windows.calls[0].window, 42u);
    EXPECT_EQ(windows.calls[0].insertAfter, WindowPort::kTopmost);
    EXPECT_EQ(windows.calls[0].flags, 0x43u);
    EXPECT_EQ(windows.calls[0].cx, 0);
    EXPECT_EQ(SetZenmen(windows, 42, 0), 1);
    EXPECT_EQ(windows.calls[1].insertAfter, WindowPort::kNotTopmost);
    EXPECT_EQ(SetZenmen(windows, 42, 2), 0);
    EXPECT_EQ(SetZenmen(windows, 42, -1), 0);
    EXPECT_EQ(windows.calls.size(), 2u);
}

class PaletteTest : public ::testing::Test {
protected:
    PaletteTest() : link(host, codePage, messages), palette(windows, link) {
        host.text = "Hello";
        host.selEnd = 5;
        palette.SetWindow(7);
        InsertBefore.clear();
        InsertAfter.clear();
    }
    FakeHostEditor host;
    Cp932CodePage codePage;
    RecordingMessagePort messages;
    RecordingWindows windows;
    HostLink link;
    Palette palette;
};

TEST_F(PaletteTest, StartsOnTopUnlessTheSavedStateSaysOtherwise) {
    bool placedBeforeShown = false;
    palette.Form_Load({}, [&] { placedBeforeShown = windows.calls.empty(); });
    EXPECT_TRUE(placedBeforeShown);
    EXPECT_TRUE(palette.TopMostChecked());
    EXPECT_TRUE(windows.topmost);
    EXPECT_TRUE(messages.shown.empty());

    // A saved "not on top" starts the palette out of the band.
    RecordingWindows otherWindows;
    Palette other(otherWindows, link);
    other.Form_Load([] { return false; });
    EXPECT_FALSE(other.TopMostChecked());
    ASSERT_EQ(otherWindows.calls.size(), 1u);
    EXPECT_EQ(otherWindows.calls[0].insertAfter, WindowPort::kNotTopmost);
}

TEST_F(PaletteTest, StartupCapturesTheForegroundHostAndWarnsOnceWithoutAnEditor) {
    host.hasEdit = false;
    palette.Form_Load({});
    EXPECT_EQ(link.HostWindow(), FakeHostEditor::kHost);
    EXPECT_EQ(link.HostEdit(), 0u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "TeraPadを発見できませんでした。\r\nTeraPadへの送信は実行できません。");
    EXPECT_EQ(messages.shown[0].caption, "Marquill");
    EXPECT_EQ(messages.shown[0].icon, MessagePort::Icon::Warning);
    EXPECT_EQ(messages.shown[0].buttons, MessagePort::Buttons::Ok);

    // Unbound: an insertion reaches no editor but still refocuses the host.
    host.foreground = FakeHostEditor::kOther;
    palette.RunModal([] { InsertBefore = "<BR>"; }, true);
    EXPECT_EQ(host.text, "Hello");
    EXPECT_EQ(host.foreground, FakeHostEditor::kHost);
}

TEST_F(PaletteTest, ModalSequenceLeavesTheBandAndComesBackChecked) {
    palette.Form_Load({});
    bool topmostWhileOpen = true, checkedWhileOpen = true;
    palette.RunModal(
        [&] {
            topmostWhileOpen = windows.topmost;
            checkedWhileOpen = palette.TopMostChecked();
            InsertBefore = "<CENTER>";
            InsertAfter = "</CENTER>";
        },
        true);
    EXPECT_FALSE(topmostWhileOpen);
    EXPECT_FALSE(checkedWhileOpen);
    EXPECT_TRUE(windows.topmost);
    EXPECT_EQ(windows.calls.back().flags, 0x53u) << "back in the band without taking the keyboard";
    EXPECT_TRUE(palette.TopMostChecked());
    EXPECT_EQ(host.text, "<CENTER>Hello</CENTER>");

    // Not on top: the band is left alone.
    palette.mnuSaizenmen_Click();
    const auto calls = windows.calls.size();
    palette.RunModal([] {}, false);
    EXPECT_EQ(windows.calls.size(), calls);
    EXPECT_FALSE(palette.TopMostChecked());
}

TEST_F(PaletteTest, TheVersionBoxNeverInsertsAnEarlierResult) {
    palette.Form_Load({});
    InsertBefore = "<BR>";
    palette.RunModal([] {}, IsTagCommand(Command::Version));
    EXPECT_EQ(host.text, "Hello");
    EXPECT_FALSE(IsTagCommand(Command::Exit));
    EXPECT_FALSE(IsTagCommand(Command::InportFromHDMLEditor));
    EXPECT_TRUE(IsTagCommand(Command::Templete));
    EXPECT_TRUE(IsTagCommand(Command::CE));
}


TEST_F(PaletteTest, ACloseRequestWaitsForTheOpenDialogAndInsertsOnlyAfterItsOk) {
    palette.Form_Load({});
    EXPECT_TRUE(palette.RequestClose()) << "no dialog: close at once";
    EXPECT_FALSE(palette.ClosePending());

    palette.RunModal([] { InsertBefore = "<B>"; }, true);
    ASSERT_EQ(host.text, "<B>Hello");
    for (bool okAfterwards : {false, true}) {
        host.text = "<B>Hello";
        host.selStart = 0;
        host.selEnd = 8;
        Palette p(windows, link);
        p.SetWindow(7);
        p.Form_Load({});
        bool mayClose = true, pendingInside = true, chosenInside = false, checkedInside = true;
        p.RunModal(
            [&] {
                mayClose = p.RequestClose();
                pendingInside = p.ClosePending();
                chosenInside = p.ChosenTopMost();
                checkedInside = p.TopMostChecked();
                // Ended without OK (as by a broken loop), or by the user's OK.
                if (okAfterwards) InsertBefore = "<I>";
            },
            true);
        EXPECT_FALSE(mayClose);
        EXPECT_FALSE(pendingInside) << "the dialog is still open";
        EXPECT_TRUE(chosenInside) << "the mark as the user chose it, not as lifted";
        EXPECT_FALSE(checkedInside);
        EXPECT_TRUE(p.ClosePending());
        EXPECT_TRUE(p.ChosenTopMost());
        EXPECT_EQ(host.text, okAfterwards ? "<I><B>Hello" : "<B>Hello");
    }
}

TEST_F(PaletteTest, OnlyTheDialogsOkCanLeaveTextToInsert) {
    palette.Form_Load({});
    InsertBefore = "<OLD>";
    InsertAfter = "</OLD>";
    bool emptyWhenShown = false;
    palette.RunModal([&] { emptyWhenShown = InsertBefore.empty() && InsertAfter.empty(); }, true);
    EXPECT_TRUE(emptyWhenShown);
    EXPECT_EQ(host.text, "Hello");

    // A dialog that fails on its way out inserts nothing and leaves the
    // palette as it was before it opened.
    EXPECT_THROW(palette.RunModal([] { throw std::runtime_error("view failed"); }, true),
                 std::runtime_error);
    EXPECT_EQ(host.text, "Hello");
    EXPECT_TRUE(windows.topmost);
    EXPECT_TRUE(palette.TopMostChecked());
    EXPECT_FALSE(palette.DialogOpen());
    EXPECT_TRUE(palette.RequestClose());

    // The version box writes nothing and leaves them alone.
    InsertBefore = "<OLD>";
    palette.RunModal([] {}, IsTagCommand(Command::Version));
    EXPECT_EQ(InsertBefore, "<OLD>");
    EXPECT_EQ(host.text, "Hello");
}

TEST_F(PaletteTest, SessionEndInsertsNothingAndKeepsTheChosenMark) {
    palette.Form_Load({});
    palette.mnuSaizenmen_Click();  // the user takes it off the top
    bool chosenInside = true;
    palette.RunModal(
        [&] {
            palette.EndSession();
            chosenInside = palette.ChosenTopMost();
            InsertBefore = "<B>";  // OK pressed while the session ends
        },
        true);
    EXPECT_FALSE(chosenInside);
    EXPECT_EQ(host.text, "Hello");
    EXPECT_TRUE(palette.SessionEnded());

    Palette onTop(windows, link);
    onTop.Form_Load({});
    onTop.RunModal([&] { chosenInside = onTop.ChosenTopMost(); }, false);
    EXPECT_TRUE(chosenInside);
}

}  // namespace
}  // namespace mq::test
