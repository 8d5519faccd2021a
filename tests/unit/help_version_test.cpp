// The help command, the version box's text and the folder browser's
// answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contract/ProfileContract.h"
#include "palette/HelpAndVersion.h"
#include "platform/PickedFolder.h"
#include "platform/posix/Cp932.h"
#include "platform/posix/PosixFileSystem.h"
#include "res/resource.h"
#include "support/AppFolderFiles.h"
#include "support/RecordingMessagePort.h"

namespace mq::test {
namespace {

constexpr WindowHandle kPalette = 0x77;

class RecordingShell final : public ShellPort {
public:
    bool Open(WindowHandle owner, const std::string& fileOrAddress) override {
        opened.push_back({owner, fileOrAddress});
        return true;
    }
    std::vector<std::pair<WindowHandle, std::string>> opened;
};

using AppFiles = AppFolderFiles<PosixFileSystem>;

class Help : public ::testing::Test {
protected:
    void SetUp() override { files.appFolder = tmp.Path("app"); }
    void Press() { mnuOpenHelp_Click(kPalette, files, shell, messages); }
    void ExpectMissingBox() {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "ヘルプが見つかりません。");
        EXPECT_EQ(messages.shown[0].caption, "見つかりません。");
        EXPECT_EQ(messages.shown[0].icon, MessagePort::Icon::Warning);
        EXPECT_EQ(messages.shown[0].buttons, MessagePort::Buttons::Ok);
        EXPECT_EQ(messages.shown[0].owner, kPalette);
        EXPECT_TRUE(shell.opened.empty());
    }
    TempFolder tmp;
    AppFiles files;
    RecordingShell shell;
    RecordingMessagePort messages;
};

TEST_F(Help, ThePageBesideTheProgramIsOpenedWithoutAMessage) {
    fs::create_directories(tmp.dir() / "app" / "help");
    tmp.Put("app/help/index.html", "<!DOCTYPE html>");
    Press();
    const std::string page = tmp.Path("app") + "\\help\\index.html";
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].first, kPalette);
    EXPECT_EQ(shell.opened[0].second, page);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Help, NoFolderNoPageOrAPageThatIsNoOrdinaryFileGetTheMessage) {
    Press();  // no help folder at all
    ExpectMissingBox();
    messages.shown.clear();
    fs::create_directories(tmp.dir() / "app" / "help" / "index.html");  // a folder
    Press();
    ExpectMissingBox();
}

TEST_F(Help, ADriveRootGetsNoDoubledBackslash) {
    files.appFolder = "C:\\";
    Press();
    EXPECT_EQ(files.asked, std::vector<std::string>{"C:\\help\\index.html"});
    EXPECT_EQ(HelpFilePath("D:\\Tools\\Marquill"), "D:\\Tools\\Marquill\\help\\index.html");
}

TEST(VersionText, MinorTakesTwoDigitsAndRevisionFourAndOneSpaceFollows) {
    EXPECT_EQ(VersionText({0, 2, 5}), "Version 0.02.0005 ");
    EXPECT_EQ(VersionText({1, 5, 12}), "Version 1.05.0012 ");
    EXPECT_EQ(VersionText({10, 0, 0}), "Version 10.00.0000 ");
    // Wider numbers are not cut.
    EXPECT_EQ(VersionText({65535, 123, 65535}), "Version 65535.123.65535 ");
}

TEST(VersionText, TheProgramsOwnVersionResourceGivesTheReleaseText) {
    // The numbers as the resource script gives them to VERSIONINFO.
    constexpr unsigned n[] = {MQ_VERSION_NUMBERS};
    const VersionNumbers v = FromFileVersion((n[0] << 16) | n[1], (n[2] << 16) | n[3]);
    EXPECT_EQ(v.major, 0u);
    EXPECT_EQ(v.minor, 2u);
    EXPECT_EQ(v.revision, 5u);
    EXPECT_EQ(VersionText(v), "Version 0.02.0005 ");
    EXPECT_EQ(std::string("Version ") + MQ_VERSION_TEXT + " ", VersionText(v));
    EXPECT_EQ(VersionText(FromFileVersion(0x0001000Au, 0xFFFF0003u)), "Version 1.10.65535 ");
}

TEST(BrowseFolder, TheAnsiBufferUpToItsFirstNulIsThePath) {
    Cp932CodePage cp;
    const std::string cancelled(260, '\0');
    EXPECT_EQ(PickedFolderPath(cancelled, "", cp), "");
    std::string root(260, '\0');
    root.replace(0, 3, "C:\\");
    EXPECT_EQ(PickedFolderPath(root, "C:\\", cp), "C:\\");
    // What follows the first NUL is not looked at.
    std::string junk(260, 'x');
    junk.replace(0, 9, std::string("D:\\a\\b\0zz", 9));
    EXPECT_EQ(PickedFolderPath(junk, "", cp), "D:\\a\\b");
    // Japanese comes back from code page 932.
    std::string jp(260, '\0');
    const std::string bytes = cp.FromUtf8("D:\\テンプレート");
    jp.replace(0, bytes.size(), bytes);
    EXPECT_EQ(PickedFolderPath(jp, "D:\\テンプレート", cp), "D:\\テンプレート");
    EXPECT_EQ(PickedFolderPath(jp, "", cp), "D:\\テンプレート");
}

TEST(BrowseFolder, AnAnsiSpellingOfAnotherFolderGivesWayToTheExactPath) {
    Cp932CodePage cp;
    // "한" became "?", "é" a look-alike "e": either names another folder.
    EXPECT_EQ(PickedFolderPath(std::string("D:\\?\0", 5), "D:\\한", cp), "D:\\한");
    EXPECT_EQ(PickedFolderPath("C:\\cafe", "C:\\café", cp), "C:\\café");
    // No path at all stays no path, whatever else came back.
    EXPECT_EQ(PickedFolderPath(std::string(4, '\0'), "C:\\x", cp), "");
}

}  // namespace
}  // namespace mq::test
