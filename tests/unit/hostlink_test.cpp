// The host link against a host in memory: how the selection is cut out of
// the host's bytes, when the link refuses to touch the host, and the order
// of what it sends.
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "hostlink/HostLink.h"
#include "platform/posix/Cp932.h"
#include "support/FakeHostEditor.h"
#include "support/RecordingMessagePort.h"
#include "support/TagDialogOpening.h"

namespace mq::test {
namespace {

constexpr std::uint32_t kMinusOne = 0xFFFFFFFFu;
constexpr std::uint32_t kUnfilled = 0xFFFFFFFFu;

std::uint32_t Packed(std::uint32_t start, std::uint32_t end) { return start | end << 16; }

// The host's two answers to EM_GETSEL and its text's length, and the
// selection the link reads from them, or none where it must refuse.
struct Reading {
    std::uint32_t packed;
    bool pointersFilled;
    std::uint32_t ptrStart, ptrEnd;
    std::size_t length;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> selection;
};
constexpr std::nullopt_t kRefused = std::nullopt;

void ExpectReadings(std::initializer_list<Reading> readings) {
    for (const Reading& r : readings) {
        SCOPED_TRACE(::testing::Message() << std::hex << "packed 0x" << r.packed << std::dec
                                          << (r.pointersFilled ? " pointers " : " no pointers ")
                                          << r.ptrStart << "/" << r.ptrEnd << ", length " << r.length);
        const auto sel = ResolveSelection(r.packed, r.pointersFilled, r.ptrStart, r.ptrEnd, r.length);
        EXPECT_EQ(sel.has_value(), r.selection.has_value());
        if (sel && r.selection) {
            EXPECT_EQ(sel->start, r.selection->first);
            EXPECT_EQ(sel->end, r.selection->second);
        }
    }
}

TEST(ResolveSelection, PackedValueIsReadAsTwoUnsignedHalves) {
    // 39,000/40,000 packs to 0x9C409858, negative as a signed 32-bit number.
    ASSERT_LT(static_cast<std::int32_t>(Packed(39000, 40000)), 0);
    ExpectReadings({
        {Packed(39000, 40000), false, kUnfilled, kUnfilled, 50000, {{39000, 40000}}},
        {Packed(7, 7), false, kUnfilled, kUnfilled, 7, {{7, 7}}},
    });
}

TEST(ResolveSelection, RefusesBoundsTheTextCannotHave) {
    // End before start, and an end beyond the text: the host's real
    // selection is not what it reported, so cutting by it would replace the
    // wrong bytes. -1 without the pointer form is ambiguous in a long text;
    // in a short one it reads as 65535/65535, which the text cannot hold.
    ExpectReadings({
        {Packed(6, 2), false, kUnfilled, kUnfilled, 9, kRefused},
        {Packed(2, 10), false, kUnfilled, kUnfilled, 9, kRefused},
        {0, true, 6, 2, 9, kRefused},
        {kMinusOne, true, 70000, 70001, 70000, kRefused},
        {kMinusOne, false, kUnfilled, kUnfilled, 0x10000, kRefused},
        {kMinusOne, false, kUnfilled, kUnfilled, 100, kRefused},
    });
}

TEST(ResolveSelection, PointerFormWinsWhenThePackedValueAgrees) {
    // Windows answers -1 past 16 bits; a careless host truncates; and
    // 65535/65535 packs to -1 on Windows too.
    ExpectReadings({
        {kMinusOne, true, 70000, 71000, 100000, {{70000, 71000}}},
        {Packed(70000 & 0xFFFF, 71000 & 0xFFFF), true, 70000, 71000, 100000, {{70000, 71000}}},
        {kMinusOne, true, 65535, 65535, 65535, {{65535, 65535}}},
    });
}

TEST(ResolveSelection, RefusesPointersThatContradictThePackedValue) {
    // -1 says a position lies past 16 bits.
    ExpectReadings({
        {Packed(5, 9), true, 6, 9, 100, kRefused},
        {kMinusOne, true, 100, 200, 100000, kRefused},
    });
}

TEST(ResolveSelection, ZeroedPointersAreNoAnswer) {
    // A host of another process that ignores the pointers hands back zeros:
    // the packed value is all there is, exact below 16 bits, -1 unusable.
    // In a long text zeros beside a packed 0 may be a host that cut 65,536
    // to 0: nothing says the caret is really at the start.
    ExpectReadings({
        {Packed(39000, 40000), true, 0, 0, 50000, {{39000, 40000}}},
        {kMinusOne, true, 0, 0, 100000, kRefused},
        {0, true, 0, 0, 100, {{0, 0}}},
        {0, true, 0, 0, 100000, kRefused},
    });
}

TEST(ResolveSelection, PackedValueAloneIsTrustedOnlyWhileTheTextFitsIn16Bits) {
    // A host that cuts positions to their low words: 70,000 reads as 4,464,
    // 65,636 as 100. Both look plausible; only the text's length gives them
    // away.
    for (bool zeroed : {false, true}) {
        const std::uint32_t p = zeroed ? 0 : kUnfilled;
        ExpectReadings({
            {Packed(70000 & 0xFFFF, 70010 & 0xFFFF), zeroed, p, p, 1000000, kRefused},
            {Packed(100, 100), zeroed, p, p, 65636, kRefused},
            {Packed(100, 200), zeroed, p, p, 0x10000, kRefused},
            {Packed(65000, 65535), zeroed, p, p, 0xFFFF, {{65000, 65535}}},
        });
    }
}

TEST(SpliceSelection, OnlyTheComposedTextsAreConverted) {
    Cp932CodePage cp;
    // NEC row 13 and IBM extension characters (held twice by the code page),
    // a lone lead byte, a lead byte before a byte that cannot follow it, a
    // cut through 日本語 from the trail byte of 日 to the lead byte of 語:
    // none of them survives a trip through Unicode, all go back as they were.
    const std::string samples[] = {"\x87\x90", "\xFA\x4A",          "\xED\x40",
                                   "a\x81",     "\x81\x20", "\xFA\x96\x7B\x8C"};
    for (const std::string& bytes : samples) {
        ASSERT_NE(cp.FromUtf8(cp.ToUtf8(bytes)), bytes) << "not a byte string Unicode changes";
        EXPECT_EQ(SpliceSelection(cp, "<B>", bytes, "</B>"), "<B>" + bytes + "</B>");
    }
    // The composed texts are text: "≒" there is written as the code page
    // writes it, beside the selection's own spelling of it.
    EXPECT_EQ(SpliceSelection(cp, "≒", "\x87\x90", "本"), "\x81\xE0\x87\x90\x96\x7B");
    EXPECT_EQ(SpliceSelection(cp, "<BR>", "", ""), "<BR>");
}

class HostLinkTest : public InsertionsCleared {
protected:
    // The host's bytes for UTF-8 text.
    std::string Ansi(const std::string& utf8) const { return cp.FromUtf8(utf8); }
    // The host's text, in its own bytes, and its selection.
    void Select(std::string bytes, std::uint32_t start, std::uint32_t end) {
        host.text = std::move(bytes);
        host.selStart = start;
        host.selEnd = end;
    }
    // What a dialog stored, sent as the palette sends it.
    void Send(std::string before, std::string after) {
        InsertBefore = std::move(before);
        InsertAfter = std::move(after);
        link.InsertIntoHost();
    }
    HostLink& Bind() {
        link.FindHostEditor();
        host.log.clear();
        return link;
    }

    FakeHostEditor host;
    Cp932CodePage cp;
    RecordingMessagePort messages;
    HostLink link{host, cp, messages};
};

TEST_F(HostLinkTest, FindsTheForegroundWindowAndItsEditControl) {
    link.FindHostEditor();
    EXPECT_EQ(link.HostWindow(), FakeHostEditor::kHost);
    EXPECT_EQ(link.HostEdit(), FakeHostEditor::kEdit);
    link.StartupCheck(0x42);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(HostLinkTest, UnboundLinkWarnsOnceAndChangesNothing) {
    host.hasEdit = false;
    Select("Hello", 0, 5);
    link.FindHostEditor();
    EXPECT_EQ(link.HostWindow(), FakeHostEditor::kHost);
    EXPECT_EQ(link.HostEdit(), 0u);
    link.StartupCheck(0x42);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].owner, 0x42u);
    EXPECT_EQ(messages.shown[0].text,
              "TeraPadを発見できませんでした。\r\nTeraPadへの送信は実行できません。");
    EXPECT_EQ(messages.shown[0].caption, kProgramTitle);
    EXPECT_EQ(messages.shown[0].icon, MessagePort::Icon::Warning);
    EXPECT_EQ(messages.shown[0].buttons, MessagePort::Buttons::Ok);

    InsertBefore = "<B>";
    InsertAfter = "</B>";
    host.foreground = FakeHostEditor::kOther;
    link.InsertIntoHost();
    EXPECT_EQ(host.text, "Hello");
    EXPECT_EQ(messages.shown.size(), 1u);
    // The window that had the foreground at start-up gets it back.
    EXPECT_EQ(host.foregroundSets, std::vector<WindowHandle>{FakeHostEditor::kHost});
}

TEST_F(HostLinkTest, WrapsTheSelectionAndKeepsTheInsertionStrings) {
    Select("Hello", 0, 5);
    Bind();
    host.foreground = FakeHostEditor::kOther;  // the palette
    Send("<CENTER>", "</CENTER>");
    EXPECT_EQ(host.text, "<CENTER>Hello</CENTER>");
    EXPECT_EQ(host.foreground, FakeHostEditor::kHost);
    EXPECT_EQ(InsertBefore, "<CENTER>");
    EXPECT_EQ(InsertAfter, "</CENTER>");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(HostLinkTest, NoSelectionPutsBothStringsAtTheCaret) {
    host.text = Ansi("前後");
    host.selStart = host.selEnd = 2;
    Bind();
    Send("<B>", "</B>");
    EXPECT_EQ(host.text, Ansi("前<B></B>後"));
}

TEST_F(HostLinkTest, EmptyInsertBeforeSendsNothing) {
    Select("Hello", 0, 5);
    Bind();
    host.foreground = FakeHostEditor::kOther;
    InsertAfter = "</B>";
    link.InsertIntoHost();
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(host.text, "Hello");
    EXPECT_EQ(host.foreground, FakeHostEditor::kOther);
}

TEST_F(HostLinkTest, SelectionIsCutByBytesOfTheAnsiText) {
    host.text = Ansi("日本語abc");
    ASSERT_EQ(host.text.size(), 9u);
    host.selStart = 2;
    host.selEnd = 6;
    Bind();
    EXPECT_EQ(link.GetHostSelection(FakeHostEditor::kEdit), "本語");
    // A cut inside a double-byte character reads as the code page reads a
    // stray byte.
    host.selStart = 2;
    host.selEnd = 5;
    EXPECT_EQ(link.GetHostSelection(FakeHostEditor::kEdit), "本・");
}

TEST_F(HostLinkTest, PackedOnlyHostIsExactBelow64KiB) {
    for (bool zeroed : {false, true}) {
        host.text.assign(50000, 'a');
        host.text.replace(39000, 1000, std::string(1000, 'b'));
        host.selStart = 39000;
        host.selEnd = 40000;
        host.fillsPointers = false;
        host.zeroesUnfilledPointers = zeroed;
        Bind();
        Send("[", "]");
        EXPECT_EQ(host.text, std::string(39000, 'a') + "[" + std::string(1000, 'b') + "]" +
                                 std::string(10000, 'a'))
            << zeroed;
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(HostLinkTest, UnreadableSelectionLeavesTheHostAlone) {
    Select(std::string(100000, 'x'), 70000, 70010);
    host.fillsPointers = false;  // packed -1 and nothing else to go by
    Bind();
    host.foreground = FakeHostEditor::kOther;
    Send("<B>", "</B>");
    EXPECT_EQ(host.text, std::string(100000, 'x'));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessagePort::Icon::Warning);
    EXPECT_EQ(host.foreground, FakeHostEditor::kHost);
    // Zeroed pointers beside -1 must not read as a caret at the start.
    host.zeroesUnfilledPointers = true;
    link.InsertIntoHost();
    EXPECT_EQ(host.text, std::string(100000, 'x'));
    EXPECT_EQ(messages.shown.size(), 2u);

    // The same for end before start, which a cut cannot honour.
    host.fillsPointers = true;
    host.selStart = 10;
    host.selEnd = 20;
    host.packedOverride = Packed(20, 10);
    link.InsertIntoHost();
    EXPECT_EQ(host.text, std::string(100000, 'x'));
    EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(HostLinkTest, PastSixteenBitsThePointerFormIsExact) {
    std::string text(100000, 'x');
    text.replace(70000, 5, "HELLO");
    for (bool truncating : {false, true}) {
        Select(text, 70000, 70005);
        host.truncating = truncating;
        Bind();
        Send("<B>", "</B>");
        EXPECT_EQ(host.text.substr(69999, 14), "x<B>HELLO</B>x") << truncating;
        EXPECT_EQ(host.text.size(), 100007u);
    }
}

TEST_F(HostLinkTest, SelectedBytesGoBackExactly) {
    // ≒ in its NEC spelling, Ⅰ and 纊 in their IBM spellings, then a cut
    // that starts on the trail byte of 日 and ends on the lead byte of 語.
    const std::string odd = "\x87\x90\xFA\x4A\xED\x40";
    Select("<" + odd + ">" + Ansi("日本語"), 1, 7);
    Bind();
    Send("<CENTER>", "</CENTER>");
    EXPECT_EQ(host.text, "<<CENTER>" + odd + "</CENTER>>" + Ansi("日本語"));

    Select(Ansi("日本語"), 1, 5);
    link.InsertIntoHost();
    EXPECT_EQ(host.text, "\x93<CENTER>\xFA\x96\x7B\x8C</CENTER>\xEA");
    EXPECT_TRUE(messages.shown.empty());
    // Reading the selection as text still gives Unicode.
    Select(Ansi("日本語abc"), 2, 6);
    EXPECT_EQ(link.GetHostSelection(FakeHostEditor::kEdit), "本語");
}

TEST_F(HostLinkTest, TruncatingHostWithoutPointersIsRefusedInALongText) {
    std::string text(1000000, 'x');
    text.replace(70000, 10, "0123456789");
    text.replace(70000 - 65536, 10, "WRONGPLACE");
    // 65,636 reads as 100.
    text.replace(100, 4, "HERE");
    for (std::uint32_t start : {70000u, 65636u, 65536u}) {
        Select(text, start, start + 10);
        host.truncating = true;
        host.fillsPointers = false;
        host.zeroesUnfilledPointers = true;
        Bind();
        host.foreground = FakeHostEditor::kOther;
        Send("<B>", "</B>");
        EXPECT_TRUE(host.text == text) << start;
        EXPECT_EQ(host.selStart, start) << "the user's selection stays";
        EXPECT_EQ(host.selEnd, start + 10);
        EXPECT_EQ(host.foreground, FakeHostEditor::kHost);
    }
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text,
              "TeraPadの選択範囲を正しく読み取れませんでした。\r\n"
              "文書を守るため、挿入は行いませんでした。");

    // Up to 65,535 bytes the same host is exact, double-byte cuts included.
    Select(std::string(65533, 'y') + Ansi("日"), 65534, 65535);
    link.InsertIntoHost();
    EXPECT_EQ(host.text, std::string(65533, 'y') + "\x93<B>\xFA</B>");
    EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(HostLinkTest, TextShorterThanReportedIsRefused) {
    // The host's text holds no NUL; a zero-filled tail inside the selection
    // means the cut is not what the host holds.
    Select(std::string("ab\0cd", 5), 1, 4);
    Bind();
    Send("<B>", "");
    EXPECT_EQ(host.text, std::string("ab\0cd", 5));
    EXPECT_EQ(messages.shown.size(), 1u);
    host.selStart = 3;
    host.selEnd = 5;
    link.InsertIntoHost();
    EXPECT_EQ(host.text, std::string("ab\0<B>cd", 8));
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(HostLinkTest, RefocusOnlyWhenTheHostIsNotInFront) {
    Bind();
    host.foreground = FakeHostEditor::kHost;
    link.RefocusHost();
    EXPECT_TRUE(host.foregroundSets.empty());
    host.foreground = FakeHostEditor::kOther;
    link.RefocusHost();
    EXPECT_EQ(host.foregroundSets, std::vector<WindowHandle>{FakeHostEditor::kHost});
}

TEST_F(HostLinkTest, AHandleNoLongerTheCapturedWindowIsNeitherReadNorWritten) {
    struct Case {
        const char* what;
        WindowIdentity FakeHostEditor::*window;
        WindowIdentity now;
        std::vector<std::string> calls;  // everything that reaches the host
    };
    const std::vector<std::string> checkOnly{"Identify"};
    const std::vector<std::string> writeNoRefocus{
        "Identify",         "GetTextLength", "GetText", "GetSelectionPacked", "GetSelectionPointers",
        "ReplaceSelection", "Identify"};
    const Case cases[] = {
        {"edit closed", &FakeHostEditor::editIdentity, {}, checkOnly},
        {"edit of another class", &FakeHostEditor::editIdentity, {"Edit", 40, 41}, checkOnly},
        {"edit of another process", &FakeHostEditor::editIdentity, {"TEditor", 50, 41}, checkOnly},
        {"edit of another thread", &FakeHostEditor::editIdentity, {"TEditor", 40, 51}, checkOnly},
        {"host window another's", &FakeHostEditor::hostIdentity, {"Notepad", 50, 51}, writeNoRefocus},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host = FakeHostEditor{};
        Select("Hello", 0, 5);
        Bind();
        host.foreground = FakeHostEditor::kOther;
        host.*c.window = c.now;
        Send("<B>", "");
        EXPECT_EQ(host.log, c.calls);
        EXPECT_EQ(host.text, c.calls == checkOnly ? "Hello" : "<B>Hello");
        EXPECT_TRUE(host.foregroundSets.empty());
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(HostLinkTest, ReadsThenReplacesThenRefocusesInThatOrder) {
    Select("abc", 0, 3);
    Bind();
    host.foreground = FakeHostEditor::kOther;
    Send("<", "");
    EXPECT_EQ(host.text, "<abc");
    const std::vector<std::string> expected{
        "Identify",         "GetTextLength",    "GetText",  "GetSelectionPacked",
        "GetSelectionPointers", "ReplaceSelection", "Identify", "GetForegroundWindow",
        "SetForegroundWindow"};
    EXPECT_EQ(host.log, expected);
}

}  // namespace
}  // namespace mq::test
