// The card dialog's composition: the card kind names both tags, every
// attribute on every kind, in the fixed output order; Esc does nothing.
#include <gtest/gtest.h>

#include "dialogs/card/CardModel.h"
#include "hostlink/HostLink.h"
#include "support/TagDialogOpening.h"
#include "support/Typing.h"

namespace mq::test {
namespace {

class Card : public ::testing::Test {
protected:
    void SetUp() override { OpenAfterAnEarlierDialog(card); }
    std::string Preview() const { return card.txtEd.Text(); }
    CardModel card;
};

TEST_F(Card, OpensWithADisplayCardAndClosesWithItsKind) {
    EXPECT_EQ(card.cboCard.Text(), "DISPLAY");
    EXPECT_EQ(card.cboMethod.Text(), "NUMBER");
    EXPECT_EQ(card.cboMarkble.Text(), "True");
    EXPECT_EQ(Preview(), R"(<DISPLAY NAME="NewCard" MARKABLE="True" TITLE="新しいカード">)");
    EXPECT_TRUE(OkLeaves(card, R"(<DISPLAY NAME="NewCard" MARKABLE="True" TITLE="新しいカード">)",
                         "</DISPLAY>"));
}

TEST_F(Card, WorkedExample) {
    card.cboCard.SetListIndex(1);
    Type(card.txtName, "menu");
    card.chkTitle.SetValue(false);
    card.chkKey.SetValue(true);
    Type(card.txtKey, "sel");
    card.chkMethod.SetValue(true);
    card.cboMethod.SetListIndex(1);
    EXPECT_TRUE(OkLeaves(card, R"(<CHOICE NAME="menu" MARKABLE="True" KEY="sel" METHOD="ALPHA">)",
                         "</CHOICE>"));
}

TEST_F(Card, TypedKindIsUsedUnchangedForBothTags) {
    Type(card.cboCard, "CARD");
    EXPECT_EQ(Preview(), R"(<CARD NAME="NewCard" MARKABLE="True" TITLE="新しいカード">)");
    card.cboCard.SetText("");
    EXPECT_EQ(Preview(), R"(< NAME="NewCard" MARKABLE="True" TITLE="新しいカード">)");
    card.cmdOK_Click();
    EXPECT_EQ(InsertAfter, "</>");

    CardModel typed;
    typed.Form_Load();
    Type(typed.cboCard, "CARD");
    typed.cmdOK_Click();
    EXPECT_EQ(InsertAfter, "</CARD>");
}

TEST_F(Card, NameIsAlwaysWrittenAndValuesAreCopiedAsTyped) {
    card.txtName.SetText("");
    EXPECT_EQ(Preview(), R"(<DISPLAY NAME="" MARKABLE="True" TITLE="新しいカード">)");
    card.txtTitle.SetText(R"(a"b&<c>)");
    EXPECT_EQ(Preview(), R"(<DISPLAY NAME="" MARKABLE="True" TITLE="a"b&<c>">)");
}

TEST_F(Card, EveryAttributeCheckedFollowsTheOutputOrder) {
    card.txtTitle.SetText("");
    // Checked in on-screen order; written in the output order.
    for (ui::CheckBox* box : {&card.chkTitle, &card.chkBookMark, &card.chkMethod, &card.chkMarkble,
                              &card.chkKey, &card.chkDefault, &card.chkIkey, &card.chkIDefault}) {
        box->SetValue(true);
    }
    EXPECT_EQ(Preview(),
              R"(<DISPLAY NAME="NewCard" MARKABLE="True" TITLE="" KEY="" BOOKMARK="" METHOD="NUMBER" )"
              R"(DEFAULT="" IKEY="" IDEFAULT="">)");
    Type(card.txtBookMark, "b");
    Type(card.txtDefault, "d");
    Type(card.txtIkey, "i");
    Type(card.txtIDefault, "j");
    card.cboMarkble.SetListIndex(1);
    EXPECT_EQ(Preview(),
              R"(<DISPLAY NAME="NewCard" MARKABLE="False" TITLE="" KEY="" BOOKMARK="b" METHOD="NUMBER" )"
              R"(DEFAULT="d" IKEY="i" IDEFAULT="j">)");
    // Unchecked values stay in their boxes and come back when checked again.
    card.chkIkey.SetValue(false);
    EXPECT_EQ(Preview().find("IKEY"), std::string::npos);
    card.chkIkey.SetValue(true);
    EXPECT_NE(Preview().find(R"(IKEY="i")"), std::string::npos);
}

TEST_F(Card, KindChangesOnlyTheElementName) {
    card.chkKey.SetValue(true);
    Type(card.txtKey, "k");
    card.cboCard.SetListIndex(3);
    EXPECT_EQ(Preview(), R"(<NODISPLAY NAME="NewCard" MARKABLE="True" TITLE="新しいカード" KEY="k">)");
    card.cboCard.SetListIndex(2);
    EXPECT_EQ(Preview(), R"(<ENTRY NAME="NewCard" MARKABLE="True" TITLE="新しいカード" KEY="k">)");
}

}  // namespace
}  // namespace mq::test
