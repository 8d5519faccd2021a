// frmTemplete's model: picking a template, the three inputs and their
// captions, the folder change, OK and Cancel, and the loaded template that
// outlives each opening.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "contract/ProfileContract.h"
#include "hostlink/HostLink.h"
#include "platform/posix/Cp932.h"
#include "platform/posix/PosixProfile.h"
#include "support/DiskFileSystem.h"
#include "support/LinkTemplate.h"
#include "settings/INIAccessGlobal.h"
#include "support/RecordingMessagePort.h"
#include "support/ScriptedFolderPicker.h"
#include "support/TagDialogOpening.h"
#include "support/Typing.h"
#include "templates/TempleteModel.h"

namespace mq::test {
namespace {

namespace fs = std::filesystem;

class Templete : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(tmp.dir() / "app");
        fs::create_directory(tmp.dir() / "lib");
        files.applicationFolder = tmp.Path("app");
        Put("lib/link.ktt", kLinkTemplate);
        Put("lib/img.ktt",
            "[KestrelTagTemplete]\r\nTagName=画像\r\nEdited=作者\r\nIndex=B1\r\n"
            "BaseElement=IMG\r\nElement1=SRC=\r\nElement1Default=a.bmp\r\n");
        Put("app/MARQ.ini", "[Marquill]\r\nTempleteLib=" + tmp.Path("lib") + "\r\n");
        LeaveEarlierInsertions();
    }
    void Put(std::string_view name, std::string_view utf8) { tmp.Put(name, cp.FromUtf8(utf8)); }

    // One opening of the dialog: a fresh model over the same loaded template.
    TempleteModel& Open() {
        model = std::make_unique<TempleteModel>(ports, picker, messages, loaded);
        model->Form_Load();
        return *model;
    }
    void Pick(TempleteModel& m, std::string_view name) {
        const auto& items = m.File.Items();
        const auto it = std::find(items.begin(), items.end(), name);
        ASSERT_NE(it, items.end()) << name;
        m.File.SetListIndex(static_cast<int>(it - items.begin()));
    }
    // What the dialog shows: the tag's name and author, the three captions,
    // the three inputs and the preview.
    using Shown = std::vector<std::string>;
    static Shown Shows(const TempleteModel& m) {
        return {m.txtTagName.Text(),  m.txtEdited.Text(),   m.lbl1.Text(),
                m.lbl2.Text(),        m.lbl3.Text(),        m.txtElement1.Text(),
                m.txtElement2.Text(), m.txtElement3.Text(), m.txtEd.Text()};
    }
    std::string Setting() {
        INIAccessGlobal ini(profile, cp);
        ini.FileName = tmp.Path("app") + "\\MARQ.ini";
        return ini.GetINIData("Marquill", "TempleteLib");
    }

    TempFolder tmp;
    PosixProfileFile profile;
    Cp932CodePage cp;
    DiskFileSystem files;
    ScriptedFolderPicker picker;
    RecordingMessagePort messages;
    TemplateNameOrder order;
    TemplatePorts ports{profile, cp, files, order};
    TagTemplate loaded;  // lives as long as the program's run
    std::unique_ptr<TempleteModel> model;
};

TEST_F(Templete, OpeningShowsTheFolderAndItsListAndComposesNothing) {
    TempleteModel& m = Open();
    EXPECT_EQ(m.txtFolder.Text(), tmp.Path("lib"));
    EXPECT_EQ(m.File.Items(), (std::vector<std::string>{"img.ktt", "link.ktt"}));
    EXPECT_EQ(m.File.ListIndex(), -1);
    EXPECT_EQ(Shows(m), (Shown{"", "", "要素1(&1)：", "要素2(&2)：", "要素3(&3)：", "", "", "", ""}));
}

TEST_F(Templete, WorkedExample) {
    TempleteModel& m = Open();
    Pick(m, "link.ktt");
    EXPECT_EQ(Shows(m), (Shown{"リンク", "", "TASK= (&1)：", "DEST= (&2)：", "要素3(&3)：", "GO",
                               "#top", "", R"(<A TASK="GO" DEST="#top">)"}));
    Type(m.txtElement2, "#news");
    EXPECT_EQ(m.txtEd.Text(), R"(<A TASK="GO" DEST="#news">)");
    EXPECT_TRUE(OkLeaves(m, R"(<A TASK="GO" DEST="#news">)", "</A>"));
}

TEST_F(Templete, FirstOpeningWithoutATemplateGivesAnEmptyTag) {
    TempleteModel& m = Open();
    Type(m.txtElement1, "abc");
    EXPECT_EQ(m.txtEd.Text(), "<>");
    EXPECT_TRUE(OkLeaves(m, "<>", ""));
    // And OK at once, in a second run of the dialog with nothing picked.
    Open().cmdOK_Click();
    EXPECT_EQ(InsertBefore, "<>");
}

TEST_F(Templete, ALaterOpeningStillExpandsTheTemplatePickedLast) {
    TempleteModel& first = Open();
    Pick(first, "img.ktt");
    Pick(first, "link.ktt");
    first.cmdCancel_Click();
    EXPECT_EQ(InsertBefore, "");

    TempleteModel& second = Open();
    EXPECT_EQ(Shows(second), (Shown{"", "", "要素1(&1)：", "要素2(&2)：", "要素3(&3)：", "", "", "", ""}))
        << "the boxes do not show it";
    EXPECT_TRUE(OkLeaves(second, R"(<A TASK="" DEST="">)", "</A>"));

    TempleteModel& third = Open();
    Type(third.txtElement2, "#x");
    EXPECT_EQ(third.txtEd.Text(), R"(<A TASK="" DEST="#x">)");
}

TEST_F(Templete, PickingAnotherTemplateReplacesTypedValuesAndCaptions) {
    TempleteModel& m = Open();
    Pick(m, "link.ktt");
    Type(m.txtElement1, "GOSUB");
    Type(m.txtElement3, "typed");
    Pick(m, "img.ktt");
    EXPECT_EQ(Shows(m), (Shown{"画像", "作者", "SRC= (&1)：", "要素2(&2)：", "要素3(&3)：", "a.bmp", "",
                               "", R"(<IMG SRC="a.bmp">)"}));
    // Index names no second part: typing there changes nothing.
    Type(m.txtElement2, "zzz");
    EXPECT_EQ(m.txtEd.Text(), R"(<IMG SRC="a.bmp">)");
    // No closing text: nothing goes behind the selection.
    EXPECT_TRUE(OkLeaves(m, R"(<IMG SRC="a.bmp">)", ""));
}

TEST_F(Templete, RepickingTheSameDefaultsStillComposes) {
    // Defaults equal to what the inputs hold raise no change; the preview
    // must follow the new template all the same.
    Put("lib/a.ktt", "[KestrelTagTemplete]\r\nIndex=B1\r\nBaseElement=P\r\nElement1=K=\r\n");
    Put("lib/b.ktt", "[KestrelTagTemplete]\r\nIndex=B1\r\nBaseElement=Q\r\nElement1=K=\r\n");
    TempleteModel& m = Open();
    Pick(m, "a.ktt");
    EXPECT_EQ(m.txtEd.Text(), R"(<P K="">)");
    Pick(m, "b.ktt");
    EXPECT_EQ(m.txtEd.Text(), R"(<Q K="">)");
}

TEST_F(Templete, CaptionsKeepTheirDigitAsTheAccessKey) {
    EXPECT_EQ(ElementCaption(1, "SRC="), "SRC= (&1)：");
    EXPECT_EQ(ElementCaption(3, ""), "要素3(&3)：");
    EXPECT_EQ(ElementCaption(2, "A&B="), "A&&B= (&2)：");
}

TEST_F(Templete, FolderChangeIsWrittenAtOnceAndKeepsTheLoadedTemplate) {
    fs::create_directory(tmp.dir() / "other");
    Put("other/z.ktt", "[KestrelTagTemplete]\r\nIndex=B\r\nBaseElement=Z\r\n");
    TempleteModel& m = Open();
    m.owner = 1234;
    Pick(m, "link.ktt");
    Type(m.txtElement1, "PREV");
    picker.answers = {tmp.Path("other")};
    m.cmdChangeFolder_Click();
    EXPECT_EQ(picker.owners, (std::vector<WindowHandle>{1234}));
    EXPECT_EQ(picker.titles, (std::vector<std::string>{"タグテンプレート ライブラリフォルダの変更"}));
    EXPECT_EQ(m.txtFolder.Text(), tmp.Path("other"));
    EXPECT_EQ(m.File.Items(), (std::vector<std::string>{"z.ktt"}));
    EXPECT_EQ(m.File.ListIndex(), -1);
    EXPECT_EQ(Setting(), tmp.Path("other"));
    // Template, captions, inputs and preview stay.
    EXPECT_EQ(Shows(m), (Shown{"リンク", "", "TASK= (&1)：", "DEST= (&2)：", "要素3(&3)：", "PREV",
                               "#top", "", R"(<A TASK="PREV" DEST="#top">)"}));

    m.cmdCancel_Click();
    EXPECT_EQ(Setting(), tmp.Path("other")) << "Cancel keeps the new folder";
    TempleteModel& again = Open();
    EXPECT_EQ(again.txtFolder.Text(), tmp.Path("other"));
    EXPECT_TRUE(OkLeaves(again, R"(<A TASK="" DEST="">)", "</A>"));
}

TEST_F(Templete, CancellingTheFolderBrowserOrAnUnstorableNameChangesNothing) {
    TempleteModel& m = Open();
    m.owner = 1234;
    const std::string before = tmp.Bytes("app/MARQ.ini");
    m.cmdChangeFolder_Click();  // no answer: the user cancelled
    EXPECT_TRUE(messages.shown.empty());
    // Names the settings file cannot hold: best fit would store "cafe".
    picker.answers = {tmp.Path("café"), tmp.Path("𠮷野家"), tmp.Path("😀")};
    for (int i = 0; i < 3; ++i) m.cmdChangeFolder_Click();
    EXPECT_EQ(picker.titles.size(), 4u);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, kFolderNotStorableMessage);
    EXPECT_EQ(messages.shown[0].owner, 1234);
    EXPECT_EQ(messages.shown[0].icon, MessagePort::Icon::Warning);
    EXPECT_EQ(m.txtFolder.Text(), tmp.Path("lib"));
    EXPECT_EQ(m.File.Items().size(), 2u);
    EXPECT_EQ(tmp.Bytes("app/MARQ.ini"), before);
}

TEST_F(Templete, OpeningRepairsAMissingFolder) {
    Put("app/MARQ.ini", "[Marquill]\r\nTempleteLib=" + tmp.Path("gone") + "\r\n");
    Put("app/starter.ktt", "[KestrelTagTemplete]\r\nIndex=B\r\nBaseElement=B\r\n");
    TempleteModel& m = Open();
    EXPECT_EQ(m.txtFolder.Text(), tmp.Path("app"));
    EXPECT_EQ(m.File.Items(), (std::vector<std::string>{"starter.ktt"}));
    EXPECT_EQ(Setting(), tmp.Path("app"));
}

TEST_F(Templete, AFolderThatVanishesWhileOpenGivesAnEmptyTemplate) {
    TempleteModel& m = Open();
    Pick(m, "link.ktt");
    fs::remove_all(tmp.dir() / "lib");
    Pick(m, "img.ktt");
    EXPECT_EQ(Shows(m), (Shown{"", "", "要素1(&1)：", "要素2(&2)：", "要素3(&3)：", "", "", "", "<>"}));
    EXPECT_TRUE(OkLeaves(m, "<>", ""));
    EXPECT_FALSE(fs::exists(tmp.dir() / "lib")) << "nothing was created";
}

TEST_F(Templete, AnEmptyLibraryListsNothing) {
    fs::create_directory(tmp.dir() / "empty");
    Put("app/MARQ.ini", "[Marquill]\r\nTempleteLib=" + tmp.Path("empty") + "\r\n");
    TempleteModel& m = Open();
    EXPECT_TRUE(m.File.Items().empty());
    m.cmdOK_Click();
    EXPECT_EQ(InsertBefore, "<>");
}

}  // namespace
}  // namespace mq::test
