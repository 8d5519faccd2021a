// The host link across two processes: the real Win32 ports talking to the
// stand-in host editor through real window messages.
#include <gtest/gtest.h>

#include <memory>

#include "hostlink/HostLink.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Host.h"
#include "support/LargeText.h"
#include "support/RecordingMessagePort.h"
#include "win32/StandInProcess.h"

namespace mq::test {
namespace {

WindowHandle W(HWND h) { return reinterpret_cast<WindowHandle>(h); }

class HostAcrossProcesses : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 932u) << "run under LC_ALL=ja_JP.UTF-8";
        InsertBefore.clear();
        InsertAfter.clear();
    }
    void TearDown() override {
        InsertBefore.clear();
        InsertAfter.clear();
    }

    // Starts the host and captures it as the palette does at start-up: the
    // stand-in has just taken the foreground.
    StandInProcess& Start(StandInOptions options) {
        host = std::make_unique<StandInProcess>(options);
        EXPECT_TRUE(WaitForForeground(host->Window()));
        link.FindHostEditor();
        EXPECT_EQ(link.HostWindow(), W(host->Window()));
        return *host;
    }
    std::string Ansi(const std::string& utf8) const { return cp.FromUtf8(utf8); }
    // What a tag dialog's OK does: the text to go around the selection, then in.
    void Insert(const std::string& before, const std::string& after) {
        InsertBefore = before;
        InsertAfter = after;
        link.InsertIntoHost();
    }

    Win32HostEditor editor;
    Win32CodePage cp;
    RecordingMessagePort messages;
    HostLink link{editor, cp, messages};
    std::unique_ptr<StandInProcess> host;
};

TEST_F(HostAcrossProcesses, WrapsTheSelectionAndGivesTheForegroundBack) {
    auto& h = Start({"Hello", {{0, 5}}, {}});
    EXPECT_EQ(link.HostEdit(), W(h.Editor()));
    link.StartupCheck(0);
    EXPECT_TRUE(messages.shown.empty());

    ForegroundWindow palette;
    ASSERT_TRUE(palette.TakenFrom(h.Window()));
    Insert("<CENTER>", "</CENTER>");
    EXPECT_EQ(h.Text(), "<CENTER>Hello</CENTER>");
    EXPECT_TRUE(WaitForForeground(h.Window()));
    EXPECT_EQ(InsertBefore, "<CENTER>");
    EXPECT_EQ(InsertAfter, "</CENTER>");
    EXPECT_TRUE(messages.shown.empty());
    // The caret sits after the insertion, nothing selected.
    DWORD start = 1, end = 1;
    SendMessageA(h.Editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 22u);
    EXPECT_EQ(end, 22u);
}

TEST_F(HostAcrossProcesses, NoSelectionPutsBothStringsAtTheCaret) {
    auto& h = Start({Ansi("前後"), {{2, 2}}, {}});
    Insert("<B>", "</B>");
    EXPECT_EQ(h.Text(), Ansi("前<B></B>後"));
}

// Counts what reaches the host while passing everything to the real port.
class CountingHost final : public HostEditorPort {
public:
    explicit CountingHost(HostEditorPort& real) : real_(real) {}
    WindowHandle GetForegroundWindow() override { return ++calls, real_.GetForegroundWindow(); }
    WindowHandle FindChildByClass(WindowHandle p, const char* c) override {
        return ++calls, real_.FindChildByClass(p, c);
    }
    std::intptr_t GetTextLength(WindowHandle e) override { return ++calls, real_.GetTextLength(e); }
    std::string GetText(WindowHandle e, std::size_t n) override {
        return ++calls, real_.GetText(e, n);
    }
    std::uint32_t GetSelectionPacked(WindowHandle e) override {
        return ++calls, real_.GetSelectionPacked(e);
    }
    void GetSelectionPointers(WindowHandle e, std::uint32_t& s, std::uint32_t& t) override {
        ++calls;
        real_.GetSelectionPointers(e, s, t);
    }
    void ReplaceSelection(WindowHandle e, const std::string& b) override {
        ++calls;
        real_.ReplaceSelection(e, b);
    }
    void SetForegroundWindow(WindowHandle w) override {
        ++calls;
        real_.SetForegroundWindow(w);
    }
    WindowIdentity Identify(WindowHandle w) override { return real_.Identify(w); }
    int calls = 0;

private:
    HostEditorPort& real_;
};

TEST_F(HostAcrossProcesses, EmptyInsertBeforeSendsNothing) {
    auto& h = Start({"Hello", {{1, 3}}, {}});
    CountingHost counting(editor);
    HostLink counted(counting, cp, messages);
    counted.FindHostEditor();
    counting.calls = 0;

    ForegroundWindow palette;
    ASSERT_TRUE(palette.TakenFrom(h.Window()));
    InsertAfter = "</B>";
    counted.InsertIntoHost();
    EXPECT_EQ(counting.calls, 0);
    EXPECT_EQ(GetForegroundWindow(), palette.Handle());
    EXPECT_EQ(h.Text(), "Hello");
}

TEST_F(HostAcrossProcesses, SelectionIsCutByBytes) {
    auto& h = Start({Ansi("日本語abc"), {{2, 6}}, {}});
    EXPECT_EQ(link.GetHostSelection(link.HostEdit()), "本語");
    Insert("「", "」");
    EXPECT_EQ(h.Text(), Ansi("日「本語」abc"));
}

// About 1 MB of lines of exactly 100 bytes, double-byte characters first,
// each line numbered: every multiple of 100 starts a line, and a cut at the
// wrong place shows.
std::string LargeText(const AnsiCodePage& cp) {
    return test::LargeText([&](const std::string& utf8) { return cp.FromUtf8(utf8); });
}

struct Range {
    std::uint32_t start, end;
};

class LargeHostText : public HostAcrossProcesses, public ::testing::WithParamInterface<Range> {};

TEST_P(LargeHostText, InsertsExactlyAndLeavesTheRestAsItWas) {
    const Range r = GetParam();
    const std::string text = LargeText(cp);
    ASSERT_EQ(text.size(), 1048600u);
    auto& h = Start({text, {{r.start, r.end}}, {}});

    const std::string selected = text.substr(r.start, r.end - r.start);
    EXPECT_EQ(link.GetHostSelection(link.HostEdit()), cp.ToUtf8(selected));

    Insert("<A TASK=\"GO\" DEST=\"#カード\">", "</A>");
    EXPECT_TRUE(messages.shown.empty());
    const std::string expected = text.substr(0, r.start) + Ansi(InsertBefore) + selected +
                                 Ansi(InsertAfter) + text.substr(r.end);
    const std::string actual = h.Text();
    EXPECT_TRUE(actual == expected) << FirstDifference(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(Selections, LargeHostText,
                         ::testing::Values(Range{39000, 40000},     // packs negative
                                           Range{70000, 70000},     // caret past 64 KiB
                                           Range{65500, 70000},     // across 64 KiB
                                           Range{70000, 71000},     // range past 64 KiB
                                           Range{1000000, 1000100}  // near the end
                                           ),
                         [](const auto& info) {
                             return std::to_string(info.param.start) + "_" +
                                    std::to_string(info.param.end);
                         });

// Hosts that answer EM_GETSEL in older or careless ways.
TEST_F(HostAcrossProcesses, HostWithoutPointerFormIsRefusedPast64KiB) {
    const std::string text = LargeText(cp);
    auto& h = Start({text, {{70000, 71000}}, {L"--no-sel-pointers"}});
    ForegroundWindow palette;
    ASSERT_TRUE(palette.TakenFrom(h.Window()));
    Insert("<B>", "</B>");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessagePort::Icon::Warning);
    EXPECT_EQ(messages.shown[0].caption, kProgramTitle);
    const std::string actual = h.Text();
    EXPECT_TRUE(actual == text) << FirstDifference(actual, text);
    EXPECT_TRUE(WaitForForeground(h.Window()));
}

TEST_F(HostAcrossProcesses, HostWithoutPointerFormIsExactUpTo65535Bytes) {
    // Without the pointer form only a text that fits in 16 bits can be cut
    // by the packed value.
    const std::string text = LargeText(cp).substr(0, 65535);
    auto& h = Start({text, {{39000, 40000}}, {L"--no-sel-pointers"}});
    Insert("<B>", "</B>");
    EXPECT_TRUE(messages.shown.empty());
    const std::string expected =
        text.substr(0, 39000) + "<B>" + text.substr(39000, 1000) + "</B>" + text.substr(40000);
    const std::string actual = h.Text();
    EXPECT_TRUE(actual == expected) << FirstDifference(actual, expected);
}

TEST_F(HostAcrossProcesses, TruncatingHostIsExactThroughThePointerForm) {
    const std::string text = LargeText(cp);
    auto& h = Start({text, {{70000, 71000}}, {L"--truncating-sel"}});
    ASSERT_EQ(SendMessageA(h.Editor(), EM_GETSEL, 0, 0), MAKELONG(70000 & 0xFFFF, 71000 & 0xFFFF));
    Insert("<B>", "</B>");
    EXPECT_TRUE(messages.shown.empty());
    const std::string expected =
        text.substr(0, 70000) + "<B>" + text.substr(70000, 1000) + "</B>" + text.substr(71000);
    const std::string actual = h.Text();
    EXPECT_TRUE(actual == expected) << FirstDifference(actual, expected);
}

// The same host without the pointer form: its low words look like a
// position, and only the text's length gives them away.
class TruncatingHostWithoutPointers : public HostAcrossProcesses,
                                      public ::testing::WithParamInterface<Range> {};

TEST_P(TruncatingHostWithoutPointers, IsRefusedInALongText) {
    const Range r = GetParam();
    const std::string text = LargeText(cp);
    auto& h = Start({text, {{r.start, r.end}}, {L"--truncating-sel", L"--no-sel-pointers"}});
    ASSERT_EQ(static_cast<DWORD>(SendMessageA(h.Editor(), EM_GETSEL, 0, 0)),
              static_cast<DWORD>(MAKELONG(r.start & 0xFFFF, r.end & 0xFFFF)));
    EXPECT_EQ(link.GetHostSelection(link.HostEdit()), std::nullopt);
    ForegroundWindow palette;
    ASSERT_TRUE(palette.TakenFrom(h.Window()));
    Insert("<B>", "</B>");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessagePort::Icon::Warning);
    const std::string actual = h.Text();
    EXPECT_TRUE(actual == text) << FirstDifference(actual, text);
    EXPECT_TRUE(WaitForForeground(h.Window()));
}

INSTANTIATE_TEST_SUITE_P(Cuts, TruncatingHostWithoutPointers,
                         ::testing::Values(Range{70000, 70010},    // reads as 4,464-4,474
                                           Range{65636, 65636},    // reads as 100
                                           Range{131072, 131072}   // reads as a caret at 0
                                           ),
                         [](const auto& info) { return std::to_string(info.param.start); });

TEST_F(HostAcrossProcesses, SelectedBytesGoBackAsTheHostHeldThem) {
    // NEC and IBM spellings of ≒, Ⅰ and 纊, then a lone lead byte; the cut
    // starts on the trail byte of 日.
    const std::string text = Ansi("日") + "\x87\x90\xFA\x4A\xED\x40\x81";
    auto& h = Start({text, {{1, 9}}, {}});
    char got[16] = {};
    SendMessageA(h.Editor(), WM_GETTEXT, sizeof got, reinterpret_cast<LPARAM>(got));
    if (got != h.Text()) {
        GTEST_SKIP() << "this system (Wine) passes the text of WM_GETTEXT and EM_REPLACESEL "
                        "between processes through Unicode, which changes these bytes on the "
                        "way; TEditorInThisProcess below covers the port";
    }
    EXPECT_EQ(link.GetHostSelection(link.HostEdit()), cp.ToUtf8(text.substr(1)));
    Insert("≒", "</B>");
    EXPECT_TRUE(messages.shown.empty());
    // The composed text goes as the code page writes it, the selection as it was.
    const std::string expected = text.substr(0, 1) + "\x81\xE0" + text.substr(1) + "</B>";
    const std::string actual = h.Text();
    EXPECT_TRUE(actual == expected) << FirstDifference(actual, expected);
}

// No edit control where the link looks: unbound, one warning, and
// insertions change no text anywhere.
class UnboundHost : public HostAcrossProcesses, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(UnboundHost, WarnsOnceAndChangesNothing) {
    auto& h = Start({"Hello", {{0, 5}}, {GetParam()}});
    EXPECT_EQ(link.HostEdit(), 0u);
    link.StartupCheck(0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "TeraPadを発見できませんでした。\r\nTeraPadへの送信は実行できません。");

    Insert("<B>", "</B>");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(h.Text(), "Hello");
    EXPECT_TRUE(WaitForForeground(h.Window()));
}

INSTANTIATE_TEST_SUITE_P(Layouts, UnboundHost,
                         ::testing::Values(L"--no-editor", L"--nested-editor"),
                         [](const auto& info) {
                             return std::wstring(info.param) == L"--no-editor" ? "NoEditor"
                                                                               : "NestedEditor";
                         });

TEST_F(HostAcrossProcesses, NestedEditorIsThereButNotAChild) {
    // Guards the test above: the grandchild exists and holds the text.
    auto& h = Start({"Hello", {{0, 5}}, {L"--nested-editor"}});
    HWND pane = GetWindow(h.Window(), GW_CHILD);
    ASSERT_NE(pane, nullptr);
    HWND nested = FindWindowExA(pane, nullptr, "TEditor", nullptr);
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(SendMessageA(nested, WM_GETTEXTLENGTH, 0, 0), 5);
}

// Whose the edit control is comes from the system; once the host has
// closed, its handle names no one and nothing reaches it.
TEST_F(HostAcrossProcesses, TheEditsIdentityIsTheHostsUntilTheHostCloses) {
    auto& h = Start({"Hello", {{0, 5}}, {}});
    const WindowIdentity edit = editor.Identify(W(h.Editor()));
    DWORD hostProcess = 0;
    const DWORD hostThread = GetWindowThreadProcessId(h.Window(), &hostProcess);
    EXPECT_EQ(edit, (WindowIdentity{"TEditor", hostProcess, hostThread}));
    EXPECT_NE(edit.process, GetCurrentProcessId());
    const HWND gone = h.Editor();
    host.reset();
    EXPECT_EQ(editor.Identify(W(gone)), WindowIdentity{});
    InsertBefore = "<B>";
    link.InsertIntoHost();  // nothing to write to, and no message
    EXPECT_TRUE(messages.shown.empty());
}

// The stand-in must answer as an edit control does, or the tests above
// prove nothing about the real host.
TEST_F(HostAcrossProcesses, StandInAnswersLikeAnEditControl) {
    auto& h = Start({Ansi("日本語abc"), {{6, 2}}, {}});
    HWND e = h.Editor();
    EXPECT_EQ(SendMessageA(e, WM_GETTEXTLENGTH, 0, 0), 9);
    EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), MAKELONG(2, 6));  // reported in order

    char small[5] = "####";
    EXPECT_EQ(SendMessageA(e, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 4);
    EXPECT_EQ(std::string(small), Ansi("日本"));

    SendMessageA(e, EM_SETSEL, 0, -1);
    EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), MAKELONG(0, 9));
    SendMessageA(e, EM_SETSEL, 3, 100);
    EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), MAKELONG(3, 9));
    SendMessageA(e, EM_SETSEL, static_cast<WPARAM>(-1), 0);  // drops the selection at the caret
    EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), MAKELONG(9, 9));

    SendMessageA(e, EM_SETSEL, 2, 6);
    SendMessageA(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("xy"));
    EXPECT_EQ(h.Text(), Ansi("日xyabc"));
    EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), MAKELONG(4, 4));

    const std::string big(70000, 'z');
    SendMessageA(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(big.c_str()));
    SendMessageA(e, EM_SETSEL, 10, 65536);
    EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), -1);
    DWORD start = 0, end = 0;
    SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 10u);
    EXPECT_EQ(end, 65536u);
}

}  // namespace
}  // namespace mq::test
