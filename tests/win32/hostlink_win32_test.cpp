// The host link through the real Win32 ports: to the stand-in host editor in
// a process of its own, through real window messages, and to its TEditor
// control created in this process. Within one thread a message reaches an
// ANSI window as the sender wrote it, so the exact bytes the link sends can
// be checked there, where Wine's transport between processes would pass
// them through Unicode first.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "TEditor.h"
#include "hostlink/HostLink.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Host.h"
#include "support/LargeText.h"
#include "support/RecordingMessagePort.h"
#include "support/TagDialogOpening.h"
#include "win32/StandInProcess.h"

namespace mq::test {
namespace {

WindowHandle W(HWND h) { return reinterpret_cast<WindowHandle>(h); }

// The real port and code page, and the insertion strings a tag dialog's OK
// leaves, cleared around each test.
class RealLink : public InsertionsCleared {
protected:
    void SetUp() override {
        InsertionsCleared::SetUp();
        ASSERT_EQ(GetACP(), 932u) << "run under LC_ALL=ja_JP.UTF-8";
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
};

class HostAcrossProcesses : public RealLink {
protected:
    // Starts the host and captures it as the palette does at start-up: the
    // stand-in has just taken the foreground.
    StandInProcess& Start(StandInOptions options) {
        host = std::make_unique<StandInProcess>(options);
        EXPECT_TRUE(WaitForForeground(host->Window()));
        link.FindHostEditor();
        EXPECT_EQ(link.HostWindow(), W(host->Window()));
        return *host;
    }

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

// A selection in a long text, from a host that answers EM_GETSEL as
// Windows does or in older and careless ways: without the pointer form
// (--no-sel-pointers), or with positions cut to their low words
// (--truncating-sel). The link inserts exactly, or refuses with a warning
// and leaves every byte as it was.
struct LongSelection {
    const char* name;
    std::uint32_t start, end;
    std::vector<std::wstring> flags;
    std::size_t length = 0;  // of the text, where it is cut shorter
    bool refused = false;
};
void PrintTo(const LongSelection& r, std::ostream* os) { *os << r.name; }

class LongHostText : public HostAcrossProcesses,
                     public ::testing::WithParamInterface<LongSelection> {};

TEST_P(LongHostText, InsertsExactlyOrRefusesAndChangesNothing) {
    const LongSelection& r = GetParam();
    std::string text = LargeText(cp);
    ASSERT_EQ(text.size(), 1048600u);
    if (r.length != 0) text.resize(r.length);
    auto& h = Start({text, {{r.start, r.end}}, r.flags});
    if (std::find(r.flags.begin(), r.flags.end(), L"--truncating-sel") != r.flags.end()) {
        ASSERT_EQ(static_cast<DWORD>(SendMessageA(h.Editor(), EM_GETSEL, 0, 0)),
                  static_cast<DWORD>(MAKELONG(r.start & 0xFFFF, r.end & 0xFFFF)));
    }
    const std::string selected = text.substr(r.start, r.end - r.start);
    if (r.refused) EXPECT_EQ(link.GetHostSelection(link.HostEdit()), std::nullopt);
    else EXPECT_EQ(link.GetHostSelection(link.HostEdit()), cp.ToUtf8(selected));

    ForegroundWindow palette;
    ASSERT_TRUE(palette.TakenFrom(h.Window()));
    Insert("<A TASK=\"GO\" DEST=\"#カード\">", "</A>");
    if (r.refused) {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].icon, MessagePort::Icon::Warning);
        EXPECT_EQ(messages.shown[0].caption, kProgramTitle);
    } else {
        EXPECT_TRUE(messages.shown.empty());
    }
    const std::string expected =
        r.refused ? text
                  : text.substr(0, r.start) + Ansi(InsertBefore) + selected + Ansi(InsertAfter) +
                        text.substr(r.end);
    const std::string actual = h.Text();
    EXPECT_TRUE(actual == expected) << FirstDifference(actual, expected);
    EXPECT_TRUE(WaitForForeground(h.Window()));
}

const std::wstring kNoPointers = L"--no-sel-pointers", kTruncating = L"--truncating-sel";
INSTANTIATE_TEST_SUITE_P(
    Selections, LongHostText,
    ::testing::Values(
        LongSelection{"PacksNegative", 39000, 40000, {}},
        LongSelection{"CaretPast64KiB", 70000, 70000, {}},
        LongSelection{"Across64KiB", 65500, 70000, {}},
        LongSelection{"RangePast64KiB", 70000, 71000, {}},
        LongSelection{"NearTheEnd", 1000000, 1000100, {}},
        // Without the pointer form only a text that fits in 16 bits can be
        // cut by the packed value.
        LongSelection{"NoPointersUpTo65535Bytes", 39000, 40000, {kNoPointers}, 65535},
        LongSelection{"NoPointersPast64KiB", 70000, 71000, {kNoPointers}, 0, true},
        // A truncating host is exact through the pointer form, even where
        // its low words come out of order.
        LongSelection{"TruncatingPast64KiB", 70000, 71000, {kTruncating}},
        LongSelection{"TruncatingAcross64KiB", 65500, 70000, {kTruncating}},
        // Without it, its low words look like a position, and only the
        // text's length gives them away.
        LongSelection{"TruncatingNoPointersReadAs4464", 70000, 70010, {kTruncating, kNoPointers}, 0, true},
        LongSelection{"TruncatingNoPointersReadAs100", 65636, 65636, {kTruncating, kNoPointers}, 0, true},
        LongSelection{"TruncatingNoPointersReadAsCaretAt0", 131072, 131072, {kTruncating, kNoPointers}, 0,
                      true}),
    [](const auto& info) { return std::string(info.param.name); });

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

// The stand-in's TEditor control in a window of this process, in front.
class TEditorInThisProcess : public RealLink {
protected:
    void SetUp() override {
        RealLink::SetUp();
        ASSERT_TRUE(standin::RegisterEditorClass(GetModuleHandleW(nullptr)));
    }
    void TearDown() override {
        if (host_ != nullptr) DestroyWindow(host_);
        RealLink::TearDown();
    }
    // A top-level window with a TEditor child holding `bytes`, in front.
    HWND Host(const std::string& bytes, std::uint32_t start, std::uint32_t end) {
        host_ = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        standin::EditorInit init{bytes, start, end, {}};
        HWND edit = CreateWindowExA(0, standin::kEditorClass, "", WS_CHILD | WS_VISIBLE, 0, 0,
                                    300, 200, host_, nullptr, GetModuleHandleW(nullptr), &init);
        SetForegroundWindow(host_);
        EXPECT_TRUE(WaitForForeground(host_));
        link.FindHostEditor();
        EXPECT_EQ(link.HostEdit(), W(edit));
        return edit;
    }
    HWND host_ = nullptr;
};

TEST_F(TEditorInThisProcess, SelectedBytesGoBackAsTheHostHeldThem) {
    // ≒ (NEC row 13), Ⅰ (IBM rows), 纊 (NEC-selected IBM rows), a lone lead
    // byte; the cut starts on the trail byte of 日.
    const std::string text = Ansi("日") + "\x87\x90\xFA\x4A\xED\x40\x81";
    HWND e = Host(text, 1, 9);
    ASSERT_EQ(standin::EditorText(e), text);
    // The selection as text is what the code page makes of the bytes.
    EXPECT_EQ(link.GetHostSelection(link.HostEdit()), cp.ToUtf8(text.substr(1)));
    ASSERT_NE(Ansi(cp.ToUtf8(text.substr(1))), text.substr(1));
    Insert("≒", "</B>");
    EXPECT_TRUE(messages.shown.empty());
    // The composed texts as the code page writes them, the selection as it was.
    EXPECT_EQ(standin::EditorText(e), text.substr(0, 1) + "\x81\xE0" + text.substr(1) + "</B>");
}

TEST_F(TEditorInThisProcess, ACutThroughCharactersLeavesTheStrayBytesInPlace) {
    // 日本語abc from the trail byte of 日 to the lead byte of 語.
    HWND e = Host(Ansi("日本語abc"), 1, 5);
    Insert("<CENTER>", "</CENTER>");
    EXPECT_EQ(standin::EditorText(e), "\x93<CENTER>\xFA\x96\x7B\x8C</CENTER>\xEA" "abc");
}

}  // namespace
}  // namespace mq::test
