// What every dialog relies on: handlers that run nested and only on a real
// change, and OK/Cancel leaving their result in InsertBefore/InsertAfter.
// The text formatting dialog is the smallest user of that contract.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "dialogs/Controls.h"
#include "dialogs/TextSplice.h"
#include "dialogs/card/CardModel.h"
#include "dialogs/ce/CEModel.h"
#include "dialogs/deck/DeckModel.h"
#include "dialogs/img/ImgModel.h"
#include "dialogs/naviA/NaviAModel.h"
#include "dialogs/naviAction/NaviActionModel.h"
#include "dialogs/text/TextModel.h"
#include "hostlink/HostLink.h"
#include "support/NaviChoices.h"
#include "support/RecordingMessagePort.h"
#include "support/ScriptedFileChooser.h"
#include "support/TagDialogOpening.h"

namespace mq::test {
namespace {

TEST(Controls, HandlersRunNestedAndOnlyOnARealChange) {
    ui::TextBox a, b;
    int aRuns = 0, bRuns = 0;
    a.Change = [&] {
        ++aRuns;
        b.SetText(a.Text() + "!");  // nested write
    };
    b.Change = [&] { ++bRuns; };
    a.SetText("x");
    EXPECT_EQ(b.Text(), "x!");
    EXPECT_EQ(aRuns, 1);
    EXPECT_EQ(bRuns, 1);
    a.SetText("x");  // the same text: no handler at all
    EXPECT_EQ(aRuns, 1);
    EXPECT_EQ(bRuns, 1);

    ui::CheckBox check;
    int clicks = 0;
    check.Click = [&] { ++clicks; };
    check.SetValue(false);
    check.SetValue(true);
    check.SetValue(true);
    EXPECT_EQ(clicks, 1);
}

TEST(Controls, ListsSelectByIndexAndEditableOnesTakeTypedTextAsTheValue) {
    ui::ComboBox fixed({"BR", "CENTER"}, false);
    int clicks = 0;
    fixed.Click = [&] { ++clicks; };
    fixed.SetListIndex(1);
    EXPECT_EQ(fixed.Text(), "CENTER");
    fixed.SetListIndex(5);  // out of range: ignored
    fixed.SetText("free");  // a list-only box takes no typed text
    EXPECT_EQ(fixed.Text(), "CENTER");
    EXPECT_EQ(clicks, 1);

    ui::ComboBox editable({"1.1", "3.0"}, true);
    int changes = 0, picks = 0;
    editable.Change = [&] { ++changes; };
    editable.Click = [&] { ++picks; };
    editable.SetListIndex(1);
    EXPECT_EQ(editable.Text(), "3.0");
    // Typing through an item keeps the text and chooses nothing: choosing
    // would make the view rewrite the box under the user's caret.
    editable.SetText("3.01");
    editable.SetText("3.0");
    EXPECT_EQ(editable.Text(), "3.0");
    EXPECT_EQ(editable.ListIndex(), -1);
    // So picking the item the text spells is still a pick.
    editable.SetListIndex(1);
    EXPECT_EQ(editable.ListIndex(), 1);
    EXPECT_EQ(picks, 2);
    EXPECT_EQ(changes, 3);  // the first pick and the two typed texts

    ui::ListBox list;
    list.AddItem("a");
    list.AddItem("b");
    list.AddItem("c");
    // The view trusts the revision to know whether it still shows the items.
    const auto filled = list.Revision();
    list.SetListIndex(2);
    EXPECT_EQ(list.Revision(), filled);
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_NE(list.Revision(), filled);
    list.RemoveItem(1);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.Items(), std::vector<std::string>{"b"});
    int lineClicks = 0;
    list.Click = [&] { ++lineClicks; };
    list.SetListIndex(0);
    list.SetListIndex(0);  // a handler's write of the same line: quiet
    list.ClickLine(0);     // the user's click on the picked line: again
    list.ClickLine(1);     // no such line
    EXPECT_EQ(lineClicks, 2);
    EXPECT_EQ(list.ListIndex(), 0);
    const auto before = list.Revision();
    list.SetItems({"x", "y"});
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_NE(list.Revision(), before);
    EXPECT_EQ(lineClicks, 2) << "a new listing picks nothing";
}

TEST(TextSplice, OnlyTheDifferingRunIsRewrittenAndNeverHalfAPair) {
    using ui::DifferingPart;
    const auto part = [](std::u16string_view from, std::u16string_view to) {
        const ui::Splice s = DifferingPart<char16_t>(from, to);
        // Applying the splice gives `to` exactly.
        std::u16string result(from.substr(0, s.start));
        result += to.substr(s.start, s.toEnd - s.start);
        result += from.substr(s.end);
        EXPECT_EQ(result, to);
        return std::array<std::size_t, 3>{s.start, s.end, s.toEnd};
    };
    // One key in the middle of a preview: one unit goes in.
    EXPECT_EQ(part(u"<A DEST=\"\">", u"<A DEST=\"x\">"), (std::array<std::size_t, 3>{9, 9, 10}));
    // A backspace; a whole new text; the same text; to and from empty.
    EXPECT_EQ(part(u"ab", u"a"), (std::array<std::size_t, 3>{1, 2, 1}));
    EXPECT_EQ(part(u"abc", u"xyz"), (std::array<std::size_t, 3>{0, 3, 3}));
    EXPECT_EQ(part(u"same", u"same"), (std::array<std::size_t, 3>{4, 4, 4}));
    part(u"", u"new");
    part(u"old", u"");
    // Repeated letters: head and tail must not overlap.
    part(u"aaa", u"aaaa");
    part(u"abab", u"ab");
    // Two emoji sharing their high half: the whole pair is rewritten.
    EXPECT_EQ(part(u"x\U0001F600y", u"x\U0001F601y"), (std::array<std::size_t, 3>{1, 3, 3}));
    // Sharing only the low half (U+10600 and U+1F600 both end in DE00):
    // the pair goes whole too.
    EXPECT_EQ(part(u"x\U00010600y", u"x\U0001F600y"), (std::array<std::size_t, 3>{1, 3, 3}));
}

class TextDialog : public ::testing::Test {
protected:
    void SetUp() override { OpenAfterAnEarlierDialog(model); }
    TextModel model;
};

TEST_F(TextDialog, OkAtOnceGivesBrAndNoClosingTag) {
    EXPECT_EQ(model.cboTag.Text(), "BR");
    EXPECT_FALSE(model.Closed());
    EXPECT_TRUE(OkLeaves(model, "<BR>", ""));
}

TEST_F(TextDialog, TheCloseTagBoxIsHonouredForEveryTag) {
    const char* tags[] = {"BR", "CENTER", "RIGHT", "TAB", "WRAP", "LINE"};
    for (int i = 0; i < 6; ++i) {
        TextModel m;
        m.Form_Load();
        m.cboTag.SetListIndex(i);
        m.chkCloseTag.SetValue(true);
        EXPECT_TRUE(OkLeaves(m, std::string("<") + tags[i] + ">",
                             std::string("</") + tags[i] + ">"));
    }
}

// One opening of each tag dialog with what a user does in it before closing
// it, and whether Esc cancels it.
struct Opening {
    void Use() {}
    static constexpr bool kEscCancels = true;
};
struct TextOpening : Opening {
    TextModel model;
    void Use() {
        model.cboTag.SetListIndex(1);
        model.chkCloseTag.SetValue(true);
    }
};
struct CardOpening : Opening {
    CardModel model;
    static constexpr bool kEscCancels = false;  // only Cancel and the close box cancel
};
struct DeckOpening : Opening {
    DeckModel model;
    void Use() { EXPECT_EQ(model.txtTTL.Text(), "3"); }  // each opening starts afresh
};
struct ImgOpening : Opening {
    ScriptedFileChooser chooser;
    ImgModel model{chooser};
};
struct CEOpening : Opening {
    RecordingMessagePort messages;
    CEModel model{messages};
    void Use() { model.cmdAdd_Click(); }
};
struct NaviAOpening : Opening {
    NaviAModel model;
    void Use() { CheckEverything(model.attrs); }
};
struct NaviActionOpening : Opening {
    NaviActionModel model;
    void Use() {
        model.cboType.SetListIndex(1);
        model.chkSrc.SetValue(true);
    }
};

template <class T>
class EveryTagDialog : public ::testing::Test {};
using Openings = ::testing::Types<TextOpening, CardOpening, DeckOpening, ImgOpening, CEOpening,
                                  NaviAOpening, NaviActionOpening>;
TYPED_TEST_SUITE(EveryTagDialog, Openings);

// Cancel stores nothing whatever was done, not even after an earlier OK.
TYPED_TEST(EveryTagDialog, CancelAfterAnEarlierOkAndEditingStoresNothing) {
    TypeParam earlier;
    earlier.model.Form_Load();
    earlier.Use();
    earlier.model.cmdOK_Click();
    ASSERT_NE(InsertBefore, "") << "the earlier opening left nothing to clear";

    TypeParam opening;
    opening.model.Form_Load();
    opening.Use();
    opening.model.cmdCancel_Click();
    EXPECT_TRUE(opening.model.Closed());
    EXPECT_EQ(InsertBefore, "");
    EXPECT_EQ(InsertAfter, "");
    EXPECT_EQ(opening.model.EscCancels(), TypeParam::kEscCancels);
}

}  // namespace
}  // namespace mq::test
