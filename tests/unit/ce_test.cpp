#include "dialogs/ce/CEModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostlink/HostLink.h"
#include "support/RecordingMessagePort.h"
#include "support/TagDialogOpening.h"

namespace mq {
namespace {

class CE : public ::testing::Test {
protected:
    void SetUp() override { test::OpenAfterAnEarlierDialog(m); }
    void TearDown() override {
        EXPECT_TRUE(messages.shown.empty()) << "the choice entries dialog shows no messages";
    }
    using Lines = std::vector<std::string>;
    test::RecordingMessagePort messages;
    CEModel m{messages};
};

TEST_F(CE, WorkedExample) {
    EXPECT_EQ(m.txtEd.Text(), R"(<CE TYPE="ACCEPT" DEST="">新しい項目)");
    m.txtDest.SetText("#news");
    m.txtMoji.SetText("ニュース");
    m.cmdAdd_Click();
    m.txtDest.SetText("#weather");
    m.txtMoji.SetText("天気");
    m.chkValue.SetValue(true);
    m.txtVALUE.SetText("w");
    m.cmdAdd_Click();
    EXPECT_EQ(m.lstSnData.Items(), (Lines{R"(<CE TYPE="ACCEPT" DEST="#news">ニュース)",
                                          R"(<CE TYPE="ACCEPT" DEST="#weather" VALUE="w">天気)"}));
    EXPECT_TRUE(test::OkLeaves(m,
                               "<CE TYPE=\"ACCEPT\" DEST=\"#news\">ニュース\r\n"
                               "<CE TYPE=\"ACCEPT\" DEST=\"#weather\" VALUE=\"w\">天気",
                               ""));
}

TEST_F(CE, AllAttributesInTheirOrder) {
    m.cboType.SetListIndex(1);  // the preview follows a pick at once
    EXPECT_EQ(m.txtEd.Text(), R"(<CE TYPE="SOFT1" DEST="">新しい項目)");
    m.chkValue.SetValue(true);
    m.txtVALUE.SetText(" v ");
    m.chkLabel.SetValue(true);
    m.txtLabel.SetText("選ぶ");
    m.chkTask.SetValue(true);
    m.cboTask.SetText("gosub");
    EXPECT_EQ(m.txtEd.Text(),
              R"(<CE TYPE="SOFT1" TASK="gosub" LABEL="選ぶ" DEST="" VALUE=" v ">新しい項目)");
    m.chkMoji.SetValue(false);
    m.chkDest.SetValue(false);
    m.cboType.SetText("");
    EXPECT_EQ(m.txtEd.Text(), R"(<CE TYPE="" TASK="gosub" LABEL="選ぶ" VALUE=" v ">)");
}

TEST_F(CE, OkWithAnEmptyListStoresNothingWhateverThePreviewShows) {
    EXPECT_TRUE(test::OkLeaves(m, "", ""));
}

TEST_F(CE, OneLineHasNoLineBreak) {
    m.cmdAdd_Click();
    m.txtMoji.SetText("not added");
    m.cmdOK_Click();
    EXPECT_EQ(InsertBefore, R"(<CE TYPE="ACCEPT" DEST="">新しい項目)");
}

TEST_F(CE, AddRebuildsFromTheControlsAndKeepsThem) {
    m.txtEd.SetText("typed by hand");
    m.cmdAdd_Click();
    m.cmdAdd_Click();
    const std::string entry = R"(<CE TYPE="ACCEPT" DEST="">新しい項目)";
    EXPECT_EQ(m.lstSnData.Items(), (Lines{entry, entry}));
    EXPECT_EQ(m.txtMoji.Text(), "新しい項目");
}

TEST_F(CE, LaterChecksNeverTouchLinesAlreadyAdded) {
    m.txtLabel.SetText("L");
    m.cmdAdd_Click();
    m.chkLabel.SetValue(true);
    EXPECT_EQ(m.txtEd.Text(), R"(<CE TYPE="ACCEPT" LABEL="L" DEST="">新しい項目)");
    m.cmdAdd_Click();
    EXPECT_EQ(m.lstSnData.Items(), (Lines{R"(<CE TYPE="ACCEPT" DEST="">新しい項目)",
                                          R"(<CE TYPE="ACCEPT" LABEL="L" DEST="">新しい項目)"}));
}

TEST_F(CE, DeleteRemovesTheSelectedLineOrBeeps) {
    m.cmdItemDelete_Click();  // nothing selected, nothing there
    EXPECT_EQ(messages.beeps, 1);
    for (const char* moji : {"a", "b", "c"}) {
        m.txtMoji.SetText(moji);
        m.cmdAdd_Click();
    }
    m.cmdItemDelete_Click();  // three lines, none selected
    EXPECT_EQ(messages.beeps, 2);
    EXPECT_EQ(m.lstSnData.Items().size(), 3u);

    m.lstSnData.SetListIndex(1);
    m.cmdItemDelete_Click();
    EXPECT_EQ(messages.beeps, 2);
    EXPECT_EQ(m.lstSnData.ListIndex(), -1);
    m.cmdItemDelete_Click();  // the second press finds no selection
    EXPECT_EQ(messages.beeps, 3);
    EXPECT_EQ(m.lstSnData.Items(), (Lines{R"(<CE TYPE="ACCEPT" DEST="">a)", R"(<CE TYPE="ACCEPT" DEST="">c)"}));

    m.cmdOK_Click();
    EXPECT_EQ(InsertBefore, "<CE TYPE=\"ACCEPT\" DEST=\"\">a\r\n<CE TYPE=\"ACCEPT\" DEST=\"\">c");
}

}  // namespace
}  // namespace mq
