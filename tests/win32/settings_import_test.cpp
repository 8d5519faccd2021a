// The settings import over the system's own profile functions, file
// attributes and code page under Wine: hostile companion files and
// settings files that cannot be written.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contract/ProfileContract.h"
#include "palette/SettingsImport.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Shell.h"
#include "support/AppFolderFiles.h"
#include "support/RecordingMessagePort.h"
#include "support/ScriptedFolderPicker.h"

namespace mq::test {
namespace {

using Files = AppFolderFiles<Win32FileSystem>;

const std::string kSettings = "[Marquill]\r\nTopMost=0\r\nTempleteLib=C:\\old\r\n[Other]\r\nk=v\r\n";
const std::string kSection = "[Kestrel HDML Editor Standard Setting]\r\n";

class SystemImport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 932u) << "run under LC_ALL=ja_JP.UTF-8";
        fs::create_directory(tmp.dir() / "app");
        fs::create_directory(tmp.dir() / "kestrel");
        tmp.Put("app/MARQ.ini", kSettings);
        files.appFolder = tmp.Path("app");
        picker.otherwise = tmp.Path("kestrel");
    }
    void TearDown() override {
        for (const char* name : {"app/MARQ.ini", "kestrel/kshdml.ini"}) Attributes(name, FILE_ATTRIBUTE_NORMAL);
    }
    ImportOutcome Run() {
        return mnuInportFromHDMLEditor_Click(0, {messages, picker, files, profile, cp});
    }
    void Attributes(std::string_view name, DWORD attributes) {
        SetFileAttributesW(win32::Widen(tmp.Path(name)).c_str(), attributes);
    }
    std::wstring Read(const wchar_t* section, const wchar_t* key) {
        wchar_t value[1024] = {};
        GetPrivateProfileStringW(section, key, L"(none)", value, 1024,
                                 win32::Widen(tmp.Path("app/MARQ.ini")).c_str());
        return value;
    }
    std::wstring Imported() { return Read(L"Marquill", L"TempleteLib"); }

    TempFolder tmp;
    RecordingMessagePort messages;
    ScriptedFolderPicker picker;
    Files files;
    Win32ProfileFile profile;
    Win32CodePage cp;
};

TEST_F(SystemImport, CopiesTheValueAndKeepsTheRestOfTheSettingsFile) {
    tmp.Put("kestrel/kshdml.ini", cp.FromUtf8(kSection + "TempleteLib=D:\\HDML\\テンプレート\r\n"));
    EXPECT_EQ(Run(), ImportOutcome::Done);
    EXPECT_EQ(Imported(), L"D:\\HDML\\テンプレート");
    EXPECT_EQ(Read(L"Marquill", L"TopMost"), L"0");
    EXPECT_EQ(Read(L"Other", L"k"), L"v");
}

TEST_F(SystemImport, HiddenAndSystemCompanionFilesAreNotRead) {
    tmp.Put("kestrel/kshdml.ini", kSection + "TempleteLib=D:\\x\r\n");
    for (DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        Attributes("kestrel/kshdml.ini", attribute);
        EXPECT_EQ(Run(), ImportOutcome::NotFound) << attribute;
        EXPECT_EQ(Imported(), L"C:\\old");
    }
    // Read-only is ordinary.
    Attributes("kestrel/kshdml.ini", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Run(), ImportOutcome::Done);
    EXPECT_EQ(Imported(), L"D:\\x");
}

TEST_F(SystemImport, AReadOnlySettingsFileIsReportedAndKept) {
    tmp.Put("kestrel/kshdml.ini", kSection + "TempleteLib=D:\\x\r\n");
    Attributes("app/MARQ.ini", FILE_ATTRIBUTE_READONLY);
    HANDLE probe = CreateFileW(win32::Widen(tmp.Path("app/MARQ.ini")).c_str(), GENERIC_WRITE, 0,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        GTEST_SKIP() << "this system lets the user write read-only files (Wine run as root)";
    }
    EXPECT_EQ(Run(), ImportOutcome::WriteFailed);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().caption, "インポート失敗");
    Attributes("app/MARQ.ini", FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(tmp.Bytes("app/MARQ.ini"), kSettings);
}

TEST_F(SystemImport, FoldersOutsideTheCodePage) {
    // The companion's folder: not reachable by ANSI path, so not found
    // rather than read as empty.
    fs::create_directory(tmp.dir() / FromUtf8("한국"));
    tmp.Put("한국/kshdml.ini", kSection + "TempleteLib=D:\\x\r\n");
    picker.otherwise = tmp.Path("한국");
    EXPECT_EQ(Run(), ImportOutcome::NotFound);
    EXPECT_EQ(Imported(), L"C:\\old");
    // The program's own folder: the write fails and says so.
    fs::create_directory(tmp.dir() / FromUtf8("앱"));
    files.appFolder = tmp.Path("앱");
    picker.otherwise = tmp.Path("kestrel");
    tmp.Put("kestrel/kshdml.ini", kSection + "TempleteLib=D:\\y\r\n");
    EXPECT_EQ(Run(), ImportOutcome::WriteFailed);
    EXPECT_EQ(tmp.Entries(), 4u);  // app, kestrel, 한국, 앱: no stray file
}

TEST_F(SystemImport, HostileCompanionFilesNeitherHangNorSpoilTheSettingsFile) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
    std::string huge = kSection;
    while (huge.size() < 10u * 1024 * 1024) huge += "Padding=" + std::string(100, 'p') + "\r\n";
    huge += "TempleteLib=D:\\huge\r\n";
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::vector<Case> cases{
        {"empty", ""},
        {"binary", binary},
        {"no section", "TempleteLib=D:\\x\r\n"},
        {"10 MB", huge},
        {"1 MB line", kSection + "TempleteLib=" + std::string(1024 * 1024, 'L') + "\r\n"},
        {"UTF-8 BOM", "\xEF\xBB\xBF" + kSection + "TempleteLib=D:\\bom\r\n"},
        {"UTF-16 BOM", std::string("\xFF\xFE[\0K\0]\0", 8)},
    };
    for (const auto& c : cases) {
        tmp.Put("app/MARQ.ini", kSettings);
        tmp.Put("kestrel/kshdml.ini", c.bytes);
        EXPECT_EQ(Run(), ImportOutcome::Done) << c.name;
        EXPECT_EQ(tmp.Bytes("kestrel/kshdml.ini"), c.bytes) << c.name;
        EXPECT_EQ(Read(L"Marquill", L"TopMost"), L"0") << c.name;
        EXPECT_EQ(Read(L"Other", L"k"), L"v") << c.name;
        // Whatever was read, at most 255 bytes of it went in.
        EXPECT_LE(Imported().size(), 255u) << c.name;
    }
}

}  // namespace
}  // namespace mq::test
