// The host link through the real Win32 port and real ANSI window messages,
// to the stand-in's TEditor control created in this process. Within one
// thread a message reaches an ANSI window as the sender wrote it, so the
// exact bytes the link sends can be checked here, where Wine's transport
// between processes would pass them through Unicode first.
#include <gtest/gtest.h>

#include "TEditor.h"
#include "hostlink/HostLink.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Host.h"
#include "support/RecordingMessagePort.h"
#include "win32/StandInProcess.h"

namespace mq::test {
namespace {

class TEditorInThisProcess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 932u) << "run under LC_ALL=ja_JP.UTF-8";
        InsertBefore.clear();
        InsertAfter.clear();
        ASSERT_TRUE(standin::RegisterEditorClass(GetModuleHandleW(nullptr)));
    }
    void TearDown() override {
        if (host_ != nullptr) DestroyWindow(host_);
        InsertBefore.clear();
        InsertAfter.clear();
    }

    // A top-level window with a TEditor child holding `bytes`, in front.
    HWND Host(const std::string& bytes, std::uint32_t start, std::uint32_t end) {
        host_ = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        standin::EditorInit init{bytes, start, end, {}};
        HWND editor = CreateWindowExA(0, standin::kEditorClass, "", WS_CHILD | WS_VISIBLE, 0, 0,
                                      300, 200, host_, nullptr, GetModuleHandleW(nullptr), &init);
        SetForegroundWindow(host_);
        EXPECT_TRUE(WaitForForeground(host_));
        link.FindHostEditor();
        EXPECT_EQ(link.HostEdit(), reinterpret_cast<WindowHandle>(editor));
        return editor;
    }

    Win32HostEditor editor;
    Win32CodePage cp;
    RecordingMessagePort messages;
    HostLink link{editor, cp, messages};
    HWND host_ = nullptr;
};

TEST_F(TEditorInThisProcess, SelectedBytesGoBackAsTheHostHeldThem) {
    // ≒ (NEC row 13), Ⅰ (IBM rows), 纊 (NEC-selected IBM rows), a lone lead
    // byte; the cut starts on the trail byte of 日.
    const std::string text = cp.FromUtf8("日") + "\x87\x90\xFA\x4A\xED\x40\x81";
    HWND e = Host(text, 1, 9);
    ASSERT_EQ(standin::EditorText(e), text);
    // The selection as text is what the code page makes of the bytes.
    EXPECT_EQ(link.GetHostSelection(link.HostEdit()), cp.ToUtf8(text.substr(1)));
    ASSERT_NE(cp.FromUtf8(cp.ToUtf8(text.substr(1))), text.substr(1));

    InsertBefore = "≒";
    InsertAfter = "</B>";
    link.InsertIntoHost();
    EXPECT_TRUE(messages.shown.empty());
    // The composed texts as the code page writes them, the selection as it was.
    EXPECT_EQ(standin::EditorText(e), text.substr(0, 1) + "\x81\xE0" + text.substr(1) + "</B>");
}

TEST_F(TEditorInThisProcess, ACutThroughCharactersLeavesTheStrayBytesInPlace) {
    // 日本語abc from the trail byte of 日 to the lead byte of 語.
    const std::string text = cp.FromUtf8("日本語abc");
    HWND e = Host(text, 1, 5);
    InsertBefore = "<CENTER>";
    InsertAfter = "</CENTER>";
    link.InsertIntoHost();
    EXPECT_EQ(standin::EditorText(e), "\x93<CENTER>\xFA\x96\x7B\x8C</CENTER>\xEA" "abc");
}

}  // namespace
}  // namespace mq::test
