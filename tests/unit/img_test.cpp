// The image dialog: the composed tag, and the browse button with the
// open-file dialog behind it (a scripted one here).
#include <gtest/gtest.h>

#include "dialogs/img/ImgModel.h"
#include "hostlink/HostLink.h"
#include "support/TagDialogOpening.h"
#include "support/ScriptedFileChooser.h"
#include "support/Typing.h"

namespace mq::test {
namespace {

class Img : public ::testing::Test {
protected:
    void SetUp() override { OpenAfterAnEarlierDialog(img); }
    std::string Preview() const { return img.txtEd.Text(); }
    ScriptedFileChooser chooser;
    ImgModel img{chooser};
};

TEST_F(Img, EmptyDialogInsertsAnEmptySource) {
    EXPECT_EQ(Preview(), R"(<IMG SRC="">)");
    EXPECT_TRUE(OkLeaves(img, R"(<IMG SRC="">)", ""));
}

TEST_F(Img, WorkedExample) {
    Type(img.txtSrc, "logo.bmp");
    img.chkAlt.SetValue(true);
    Type(img.txtAlt, "ロゴ");
    Type(img.txtIcon, "left");  // unchecked: left out
    EXPECT_EQ(Preview(), R"(<IMG SRC="logo.bmp" ALT="ロゴ">)");
    EXPECT_TRUE(OkLeaves(img, R"(<IMG SRC="logo.bmp" ALT="ロゴ">)", ""));
}

TEST_F(Img, AltPrecedesIconAndValuesAreCopiedAsTyped) {
    img.chkAlt.SetValue(true);
    EXPECT_EQ(Preview(), R"(<IMG SRC="" ALT="">)");
    img.chkAlt.SetValue(false);
    img.chkIcon.SetValue(true);
    img.chkAlt.SetValue(true);
    img.txtAlt.SetText(R"(say "hi" & <b>)");
    EXPECT_EQ(Preview(), R"(<IMG SRC="" ALT="say "hi" & <b>" ICON="">)");
}

TEST_F(Img, HandEditsOfThePreviewNeverReachTheHost) {
    img.txtEd.SetText("<IMG SRC=\"typed\">");
    img.cmdOK_Click();
    EXPECT_EQ(InsertBefore, R"(<IMG SRC="">)");
}

TEST_F(Img, BrowseShowsTheChooserAsSetUp) {
    img.CommonDialog1.owner = 0x1234;
    img.cmdBrowse_Click();
    ASSERT_EQ(chooser.requests.size(), 1u);
    const OpenFileRequest& r = chooser.requests[0];
    EXPECT_EQ(r.owner, 0x1234u);
    EXPECT_EQ(r.title, "画像の参照");
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "白黒ビットマップ(*.bmp)");
    EXPECT_EQ(r.filters[0].pattern, "*.bmp");
    EXPECT_EQ(r.filters[1].description, "Portable Network Graphics(*.PNG)");
    EXPECT_EQ(r.filters[1].pattern, "*.PNG");
    EXPECT_EQ(r.fileName, "*.bmp");
}

TEST_F(Img, ChosenFileGoesIntoTheSourceAndIsWhereTheNextBrowseStarts) {
    chooser.answers = {std::string(R"(C:\images\ロゴ.bmp)"), std::string(R"(C:\images\b.PNG)")};
    Type(img.txtSrc, "typed");
    img.cmdBrowse_Click();
    EXPECT_EQ(img.txtSrc.Text(), R"(C:\images\ロゴ.bmp)");
    EXPECT_EQ(Preview(), R"(<IMG SRC="C:\images\ロゴ.bmp">)");
    img.cmdBrowse_Click();
    EXPECT_EQ(chooser.requests[1].fileName, R"(C:\images\ロゴ.bmp)");
    EXPECT_EQ(img.txtSrc.Text(), R"(C:\images\b.PNG)");
}

TEST_F(Img, CancellingTheChooserLeavesTheSourceAsItWas) {
    Type(img.txtSrc, "typed.bmp");
    chooser.answers = {std::nullopt, std::string(R"(C:\a.bmp)"), std::nullopt};
    img.cmdBrowse_Click();
    EXPECT_EQ(img.txtSrc.Text(), "typed.bmp");
    EXPECT_EQ(Preview(), R"(<IMG SRC="typed.bmp">)");

    img.cmdBrowse_Click();
    Type(img.txtSrc, "edited");
    img.cmdBrowse_Click();
    EXPECT_EQ(img.txtSrc.Text(), "edited");
    // The chooser still holds the last chosen path.
    EXPECT_EQ(chooser.requests[2].fileName, R"(C:\a.bmp)");
    EXPECT_EQ(img.CommonDialog1.fileName, R"(C:\a.bmp)");
}

TEST_F(Img, EachOpeningStartsTheChooserAtTheBitmapPattern) {
    chooser.answers = {std::string(R"(C:\a.bmp)")};
    img.cmdBrowse_Click();
    ImgModel again(chooser);
    again.Form_Load();
    again.cmdBrowse_Click();
    EXPECT_EQ(chooser.requests.back().fileName, "*.bmp");
    EXPECT_EQ(again.txtSrc.Text(), "");
}

}  // namespace
}  // namespace mq::test
