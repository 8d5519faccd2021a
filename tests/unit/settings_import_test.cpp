// The settings import from the companion editor, over real files: the
// portable profile reader and writer, the portable file system and code
// page 932; only the folder browser and the message boxes are scripted.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "contract/ProfileContract.h"
#include "palette/SettingsImport.h"
#include "platform/posix/Cp932.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProfile.h"
#include "support/AppFolderFiles.h"
#include "support/RecordingMessagePort.h"
#include "support/ScriptedFolderPicker.h"

namespace mq::test {
namespace {

using Icon = MessagePort::Icon;
using Buttons = MessagePort::Buttons;
constexpr WindowHandle kPalette = 0x1234;

using Files = AppFolderFiles<PosixFileSystem>;

const std::string kSettings = "[Marquill]\r\nTopMost=0\r\nTempleteLib=C:\\old\r\n[Other]\r\nk=v\r\n";

class Import : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(tmp.dir() / "app");
        fs::create_directory(tmp.dir() / "kestrel");
        tmp.Put("app/MARQ.ini", kSettings);
        files.appFolder = tmp.Path("app");
        picker.otherwise = tmp.Path("kestrel");
    }
    ImportOutcome Run() {
        return mnuInportFromHDMLEditor_Click(kPalette, {messages, picker, files, profile, cp});
    }
    void PutCompanion(std::string_view bytes) { tmp.Put("kestrel/kshdml.ini", bytes); }
    std::string Settings() const { return tmp.Bytes("app/MARQ.ini"); }
    std::string Imported() {
        return profile.GetString("Marquill", "TempleteLib", "(missing)", 4096, tmp.Path("app/MARQ.ini"))
            .bytes;
    }
    void ExpectLastBox(std::string_view text, std::string_view caption, Icon icon) {
        ASSERT_FALSE(messages.shown.empty());
        const auto& box = messages.shown.back();
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.icon, icon);
        EXPECT_EQ(box.buttons, Buttons::Ok);
        EXPECT_EQ(box.owner, kPalette);
    }

    TempFolder tmp;
    RecordingMessagePort messages;
    ScriptedFolderPicker picker;
    Files files;
    PosixProfileFile profile;
    Cp932CodePage cp;
};

TEST_F(Import, CancelAtTheConfirmationShowsNoBrowserAndChangesNothing) {
    PutCompanion("[Kestrel HDML Editor Standard Setting]\r\nTempleteLib=D:\\new\r\n");
    messages.answer = MessagePort::Answer::Cancel;
    EXPECT_EQ(Run(), ImportOutcome::Declined);
    ASSERT_EQ(messages.shown.size(), 1u);
    const auto& box = messages.shown[0];
    EXPECT_EQ(box.text,
              "この機能はKestrel HDML Editorから以下の設定をインポートする機能です。\r\n\r\n"
              "・テンプレートライブラリフォルダの位置\r\n\r\n"
              "インポートを行うと現在の上記の設定が全て失われます。\r\n"
              "続けるならOKを押してください。");
    EXPECT_EQ(box.caption, "設定インポート");
    EXPECT_EQ(box.icon, Icon::Question);
    EXPECT_EQ(box.buttons, Buttons::OkCancel);
    EXPECT_EQ(box.owner, kPalette);
    EXPECT_TRUE(picker.titles.empty());
    EXPECT_EQ(Settings(), kSettings);
}

TEST_F(Import, CancelInTheBrowserEndsSilently) {
    PutCompanion("[Kestrel HDML Editor Standard Setting]\r\nTempleteLib=D:\\new\r\n");
    picker.otherwise = "";
    EXPECT_EQ(Run(), ImportOutcome::NoFolder);
    EXPECT_EQ(picker.titles.size(), 1u);
    EXPECT_EQ(picker.owners, std::vector<WindowHandle>{kPalette});
    EXPECT_EQ(picker.titles.back(), "HDML Editorのインストール先を指定してください。");
    EXPECT_EQ(messages.shown.size(), 1u);  // the confirmation only
    EXPECT_TRUE(files.asked.empty());
    EXPECT_EQ(Settings(), kSettings);
}

TEST_F(Import, NoOrdinaryCompanionFileIsReportedAndChangesNothing) {
    const std::string notFound =
        "kshdml.ini が見つかりません。\r\n\r\n"
        "・フォルダは正しく指定しましたか？\r\n"
        "・HDML Editorをいままで一度も起動してませんか？";
    // Missing; a folder of that name; a hidden one (a dot name here).
    EXPECT_EQ(Run(), ImportOutcome::NotFound);
    ExpectLastBox(notFound, "インポート失敗", Icon::Warning);
    fs::create_directory(tmp.dir() / "kestrel" / "kshdml.ini");
    EXPECT_EQ(Run(), ImportOutcome::NotFound);
    fs::create_directory(tmp.dir() / "hidden");
    tmp.Put("hidden/.kshdml.ini", "[Kestrel HDML Editor Standard Setting]\r\nTempleteLib=x\r\n");
    picker.otherwise = tmp.Path("hidden");
    EXPECT_EQ(Run(), ImportOutcome::NotFound);
    EXPECT_EQ(messages.shown.size(), 6u);
    EXPECT_EQ(Settings(), kSettings);
}

TEST_F(Import, TheValueIsCopiedAsReadReplacingTheEarlierOne) {
    PutCompanion(cp.FromUtf8(
        "[Kestrel HDML Editor Standard Setting]\r\n"
        "Other=1\r\n"
        "TempleteLib=D:\\HDML Editor\\テンプレート\r\n"
        "[Another Section]\r\nTempleteLib=wrong\r\n"));
    const std::string companionBefore = tmp.Bytes("kestrel/kshdml.ini");
    EXPECT_EQ(Run(), ImportOutcome::Done);
    ExpectLastBox("設定のインポートが完了しました。", "インポート完了", Icon::Information);
    EXPECT_EQ(cp.ToUtf8(Imported()), "D:\\HDML Editor\\テンプレート");
    // The rest of the settings file stays, and the companion is only read.
    EXPECT_EQ(profile.GetString("Marquill", "TopMost", "", 256, tmp.Path("app/MARQ.ini")).bytes, "0");
    EXPECT_EQ(profile.GetString("Other", "k", "", 256, tmp.Path("app/MARQ.ini")).bytes, "v");
    EXPECT_EQ(tmp.Bytes("kestrel/kshdml.ini"), companionBefore);
    EXPECT_EQ(files.asked, std::vector<std::string>{tmp.Path("kestrel") + "\\kshdml.ini"});
}

TEST_F(Import, AMissingKeySectionOrValueIsCopiedAsEmptyText) {
    for (const char* companion : {"[Kestrel HDML Editor Standard Setting]\r\nTempleteLib=\r\n",
                                  "[Kestrel HDML Editor Standard Setting]\r\nOther=1\r\n",
                                  "[Something Else]\r\nTempleteLib=x\r\n", ""}) {
        tmp.Put("app/MARQ.ini", kSettings);
        PutCompanion(companion);
        EXPECT_EQ(Run(), ImportOutcome::Done) << companion;
        EXPECT_EQ(Imported(), "") << companion;
        EXPECT_NE(Settings().find("TempleteLib=\r\n"), std::string::npos) << companion;
        ExpectLastBox("設定のインポートが完了しました。", "インポート完了", Icon::Information);
    }
}

TEST_F(Import, ANewSettingsFileIsCreated) {
    fs::remove(tmp.dir() / "app" / "MARQ.ini");
    PutCompanion("[Kestrel HDML Editor Standard Setting]\r\nTempleteLib=D:\\tpl\r\n");
    EXPECT_EQ(Run(), ImportOutcome::Done);
    EXPECT_EQ(Settings(), "[Marquill]\r\nTempleteLib=D:\\tpl\r\n");
}

TEST_F(Import, AFailedWriteIsReportedNotCalledASuccess) {
    PutCompanion("[Kestrel HDML Editor Standard Setting]\r\nTempleteLib=D:\\tpl\r\n");
    const std::string writeFailed =
        "MARQ.ini に設定を書き込めませんでした。\r\n\r\n"
        "・MARQ.ini が読み取り専用になっていませんか？\r\n"
        "・Marquillのフォルダに書き込む権限がありますか？";
    // The program's folder is gone.
    files.appFolder = tmp.Path("gone");
    EXPECT_EQ(Run(), ImportOutcome::WriteFailed);
    ExpectLastBox(writeFailed, "インポート失敗", Icon::Warning);
    EXPECT_FALSE(tmp.Exists("gone"));
    // "MARQ.ini" is a folder.
    fs::create_directories(tmp.dir() / "app2" / "MARQ.ini");
    files.appFolder = tmp.Path("app2");
    EXPECT_EQ(Run(), ImportOutcome::WriteFailed);
    ExpectLastBox(writeFailed, "インポート失敗", Icon::Warning);
    for (const auto& box : messages.shown) EXPECT_NE(box.caption, "インポート完了");
}

TEST_F(Import, AReadOnlySettingsFileIsLeftAsItWas) {
    PutCompanion("[Kestrel HDML Editor Standard Setting]\r\nTempleteLib=D:\\tpl\r\n");
    fs::permissions(tmp.dir() / "app" / "MARQ.ini",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Run(), ImportOutcome::WriteFailed);
    EXPECT_EQ(Settings(), kSettings);
}

TEST_F(Import, AReadOnlyFolderKeepsItsSettingsFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into folders without write permission";
    PutCompanion("[Kestrel HDML Editor Standard Setting]\r\nTempleteLib=D:\\tpl\r\n");
    fs::permissions(tmp.dir() / "app", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(Run(), ImportOutcome::WriteFailed);
    fs::permissions(tmp.dir() / "app", fs::perms::owner_all);
    EXPECT_EQ(Settings(), kSettings);
}

TEST_F(Import, ADriveRootIsJoinedWithoutADoubledBackslash) {
    picker.otherwise = "C:\\";
    EXPECT_EQ(Run(), ImportOutcome::NotFound);
    EXPECT_EQ(files.asked, std::vector<std::string>{"C:\\kshdml.ini"});
}

TEST_F(Import, AFolderTheCodePageCannotSpellIsNotReadAsEmpty) {
    // The profile functions take ANSI paths: "한" would become "?" and the
    // read would come back empty, wiping the setting.
    fs::create_directory(tmp.dir() / FromUtf8("한국"));
    tmp.Put("한국/kshdml.ini", "[Kestrel HDML Editor Standard Setting]\r\nTempleteLib=D:\\x\r\n");
    picker.otherwise = tmp.Path("한국");
    EXPECT_EQ(Run(), ImportOutcome::NotFound);
    EXPECT_EQ(Settings(), kSettings);
    // A Japanese folder name is fine.
    fs::create_directory(tmp.dir() / FromUtf8("日本語フォルダ"));
    tmp.Put("日本語フォルダ/kshdml.ini",
            "[Kestrel HDML Editor Standard Setting]\r\nTempleteLib=D:\\y\r\n");
    picker.otherwise = tmp.Path("日本語フォルダ");
    EXPECT_EQ(Run(), ImportOutcome::Done);
    EXPECT_EQ(Imported(), "D:\\y");
}

TEST_F(Import, HostileCompanionFilesNeitherHangNorSpoilTheSettingsFile) {
    const std::string section = "[Kestrel HDML Editor Standard Setting]\r\n";
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
    std::string huge = section;
    while (huge.size() < 10u * 1024 * 1024) huge += "Padding=" + std::string(100, 'p') + "\r\n";
    huge += "TempleteLib=D:\\huge\r\n";
    const std::string longLine = section + "TempleteLib=" + std::string(1024 * 1024, 'L') + "\r\n";
    struct Case {
        const char* name;
        std::string bytes;
        std::string expected;  // as read, in code page 932
    };
    const std::vector<Case> cases{
        {"binary", binary, ""},
        {"binary then section", binary + "\r\n" + section + "TempleteLib=D:\\b\r\n", "D:\\b"},
        {"no section", "TempleteLib=D:\\x\r\n", ""},
        {"10 MB", huge, "D:\\huge"},
        {"1 MB line", longLine, std::string(255, 'L')},
        {"UTF-8 BOM", "\xEF\xBB\xBF" + section + "TempleteLib=D:\\bom\r\n", ""},
        {"UTF-8 BOM, key further down", "\xEF\xBB\xBF[x]\r\n" + section + "TempleteLib=D:\\b2\r\n",
         "D:\\b2"},
        {"UTF-16 BOM", std::string("\xFF\xFE[\0K\0]\0", 8), ""},
        {"NUL bytes", section + "TempleteLib=D:\\n" + std::string(1, '\0') + "ul\r\n", "D:\\n"},
    };
    for (const auto& c : cases) {
        tmp.Put("app/MARQ.ini", kSettings);
        PutCompanion(c.bytes);
        EXPECT_EQ(Run(), ImportOutcome::Done) << c.name;
        EXPECT_EQ(Imported(), cp.FromUtf8(cp.ToUtf8(c.expected))) << c.name;
        EXPECT_EQ(tmp.Bytes("kestrel/kshdml.ini"), c.bytes) << c.name;
        const std::string after = Settings();
        EXPECT_NE(after.find("TopMost=0\r\n"), std::string::npos) << c.name;
        EXPECT_NE(after.find("[Other]\r\nk=v\r\n"), std::string::npos) << c.name;
    }
}

}  // namespace
}  // namespace mq::test
