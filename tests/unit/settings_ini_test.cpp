// INIAccessGlobal, WithTrailingBackslash and the palette's saved
// always-on-top state, over the portable profile files and code page 932.
#include <gtest/gtest.h>

#include "contract/ProfileContract.h"
#include "palette/Palette.h"
#include "platform/posix/Cp932.h"
#include "platform/posix/PosixProfile.h"
#include "settings/INIAccessGlobal.h"
#include "settings/SettingsFile.h"
#include "support/FakeHostEditor.h"
#include "support/RecordingMessagePort.h"
#include "support/RecordingWindows.h"

namespace mq::test {
namespace {

// The real profile files, with a count of the calls that reach them.
class CountingProfile final : public ProfileFile {
public:
    Read GetString(std::string_view section, std::string_view key, std::string_view def,
                   std::size_t bufferSize, std::string_view path) override {
        ++calls;
        return real.GetString(section, key, def, bufferSize, path);
    }
    bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                     std::string_view path) override {
        ++calls;
        return real.WriteString(section, key, value, path);
    }
    std::optional<std::string> ReadAll(std::string_view path) override {
        ++calls;
        return real.ReadAll(path);
    }
    int calls = 0;
    PosixProfileFile real;
};

class IniAccess : public ::testing::Test {
protected:
    INIAccessGlobal Open(std::string_view file) {
        INIAccessGlobal ini(profile, cp);
        ini.FileName = tmp.Path(file);
        return ini;
    }
    TempFolder tmp;
    CountingProfile profile;
    Cp932CodePage cp;
};

TEST_F(IniAccess, NoSectionOrNoFileNameTouchesNoFile) {
    tmp.Put("MARQ.ini", "[Marquill]\r\nTopMost=0\r\n");
    INIAccessGlobal fresh = Open("MARQ.ini");
    EXPECT_EQ(fresh.GetINIData("", "TopMost"), "");
    EXPECT_FALSE(fresh.SetINIData("", "TopMost", "1"));
    INIAccessGlobal unnamed(profile, cp);
    EXPECT_EQ(unnamed.GetINIData("Marquill", "TopMost"), "");
    EXPECT_FALSE(unnamed.SetINIData("Marquill", "TopMost", "1"));
    EXPECT_EQ(unnamed.Section, "Marquill");  // remembered all the same
    EXPECT_EQ(profile.calls, 0);
    EXPECT_EQ(tmp.Bytes("MARQ.ini"), "[Marquill]\r\nTopMost=0\r\n");
}

TEST_F(IniAccess, AnEmptySectionMeansTheLastOneNamed) {
    tmp.Put("MARQ.ini", "[Marquill]\r\nTopMost=0\r\nTempleteLib=C:\\tpl\r\n[Other]\r\nk=o\r\n");
    INIAccessGlobal ini = Open("MARQ.ini");
    EXPECT_EQ(ini.GetINIData("Marquill", "TopMost"), "0");
    EXPECT_EQ(ini.GetINIData("", "TempleteLib"), "C:\\tpl");
    EXPECT_TRUE(ini.SetINIData("", "TopMost", "1"));
    EXPECT_EQ(ini.GetINIData("Other", "k"), "o");
    EXPECT_EQ(ini.GetINIData("", "TopMost"), "");  // now from "Other"
    EXPECT_EQ(ini.Section, "Other");
    EXPECT_EQ(ini.GetINIData("Marquill", "TopMost"), "1");
}

TEST_F(IniAccess, EveryCallGoesToTheFileNamedAtThatMoment) {
    tmp.Put("a.ini", "[s]\r\nk=a\r\n");
    tmp.Put("b.ini", "[s]\r\nk=b\r\n");
    INIAccessGlobal ini = Open("a.ini");
    EXPECT_EQ(ini.GetINIData("s", "k"), "a");
    ini.FileName = tmp.Path("b.ini");
    EXPECT_EQ(ini.GetINIData("s", "k"), "b");
    EXPECT_EQ(ini.GetINIData("s", "missing"), "");
    ini.FileName = tmp.Path("none.ini");
    EXPECT_EQ(ini.GetINIData("s", "k"), "");
}

TEST_F(IniAccess, ValuesAreCutAfter255Bytes) {
    const std::string ascii(300, 'a');
    std::string kana;  // 150 × "あ", 300 bytes in code page 932
    for (int i = 0; i < 150; ++i) kana += "\x82\xa0";
    tmp.Put("MARQ.ini", "[Marquill]\r\nA=" + ascii + "\r\nJ=" + kana + "\r\n");
    INIAccessGlobal ini = Open("MARQ.ini");
    EXPECT_EQ(ini.GetINIData("Marquill", "A"), std::string(255, 'a'));
    // 127 whole characters and the first byte of the 128th, which reads as
    // the middle dot, as a lone lead byte does on Windows.
    std::string expected;
    for (int i = 0; i < 127; ++i) expected += "あ";
    EXPECT_EQ(ini.GetINIData("", "J"), expected + "・");
}

TEST_F(IniAccess, TextIsStoredInCodePage932) {
    INIAccessGlobal ini = Open("MARQ.ini");
    ASSERT_TRUE(ini.SetINIData("設定", "テンプレート", "C:\\テンプレート\\😀"));
    EXPECT_EQ(tmp.Bytes("MARQ.ini"),
              "[\x90\xdd\x92\xe8]\r\n"
              "\x83\x65\x83\x93\x83\x76\x83\x8c\x81\x5b\x83\x67="
              "C:\\\x83\x65\x83\x93\x83\x76\x83\x8c\x81\x5b\x83\x67\\??\r\n");
    EXPECT_EQ(ini.GetINIData("設定", "テンプレート"), "C:\\テンプレート\\??");
    // a value that is there but empty reads as empty text
    ASSERT_TRUE(ini.SetINIData("設定", "テンプレート", ""));
    EXPECT_EQ(ini.GetINIData("設定", "テンプレート"), "");
}

TEST_F(IniAccess, FailedWriteAnswersFalse) {
    INIAccessGlobal ini(profile, cp);
    ini.FileName = tmp.Path("nodir/MARQ.ini");
    EXPECT_FALSE(ini.SetINIData("Marquill", "TopMost", "1"));
    EXPECT_EQ(ini.GetINIData("Marquill", "TopMost"), "");
}

TEST(WithTrailingBackslash, AddsOneBackslashWhenMissing) {
    EXPECT_EQ(WithTrailingBackslash("C:\\"), "C:\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\Program Files\\Marquill"), "C:\\Program Files\\Marquill\\");
    EXPECT_EQ(WithTrailingBackslash(""), "\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\a\\\\"), "C:\\a\\\\");
    // "表" is 95 5C in code page 932, but paths here are UTF-8: no false end
    EXPECT_EQ(WithTrailingBackslash("C:\\表"), "C:\\表\\");
    EXPECT_EQ(SettingsFilePath("C:\\"), "C:\\MARQ.ini");
    EXPECT_EQ(SettingsFilePath("D:\\tools\\marq"), "D:\\tools\\marq\\MARQ.ini");
}

class TopMostSetting : public ::testing::Test {
protected:
    // Starts a palette the way the program does and answers whether it
    // ended up on top.
    bool Start() {
        palette.Form_Load([&] { return LoadTopMost(profile, cp, app()); });
        return palette.TopMostChecked();
    }
    std::string app() const { return Utf8(tmp.dir()); }

    TempFolder tmp;
    PosixProfileFile profile;
    Cp932CodePage cp;
    RecordingWindows windows;
    FakeHostEditor host;
    RecordingMessagePort messages;
    HostLink link{host, cp, messages};
    Palette palette{windows, link};
};

TEST_F(TopMostSetting, OnlyASavedZeroStartsTheUnfloatingPalette) {
    EXPECT_TRUE(Start()) << "no settings file";
    EXPECT_EQ(windows.calls.back().insertAfter, WindowPort::kTopmost);
    const char* onTop[] = {"[Marquill]\r\nTopMost=1\r\n", "[Marquill]\r\nTopMost=\r\n",
                           "[Marquill]\r\nTopMost=00\r\n", "[Marquill]\r\nTopMost=yes\r\n",
                           "[Marquill]\r\nOther=0\r\n"};
    for (const char* text : onTop) {
        tmp.Put("MARQ.ini", text);
        EXPECT_TRUE(Start()) << text;
    }
    tmp.Put("MARQ.ini", "[marquill]\r\ntopmost = \"0\"\r\n");
    EXPECT_FALSE(Start());
    EXPECT_EQ(windows.calls.back().insertAfter, WindowPort::kNotTopmost);
}

TEST_F(TopMostSetting, TheStateAtCloseIsSaved) {
    Start();
    SaveTopMost(palette.TopMostChecked(), profile, cp, app());
    EXPECT_EQ(tmp.Bytes("MARQ.ini"), "[Marquill]\r\nTopMost=1\r\n");
    palette.mnuSaizenmen_Click();
    palette.mnuSaizenmen_Click();
    palette.mnuSaizenmen_Click();
    EXPECT_EQ(tmp.Bytes("MARQ.ini"), "[Marquill]\r\nTopMost=1\r\n") << "toggling writes nothing";
    SaveTopMost(palette.TopMostChecked(), profile, cp, app());
    EXPECT_EQ(tmp.Bytes("MARQ.ini"), "[Marquill]\r\nTopMost=0\r\n");
    EXPECT_FALSE(Start()) << "the next run starts where this one ended";
}

TEST_F(TopMostSetting, WhileADialogIsOpenTheUsersChoiceIsSaved) {
    // The modal sequence lifts the mark; a session that ends meanwhile must
    // not save the lifted one.
    Start();
    palette.RunModal([&] { SaveTopMost(palette.ChosenTopMost(), profile, cp, app()); }, false);
    EXPECT_EQ(tmp.Bytes("MARQ.ini"), "[Marquill]\r\nTopMost=1\r\n");
    palette.mnuSaizenmen_Click();
    palette.RunModal([&] { SaveTopMost(palette.ChosenTopMost(), profile, cp, app()); }, false);
    EXPECT_EQ(tmp.Bytes("MARQ.ini"), "[Marquill]\r\nTopMost=0\r\n");
}

TEST_F(TopMostSetting, OtherSettingsSurviveTheSave) {
    tmp.Put("MARQ.ini", "[Marquill]\r\nTempleteLib=C:\\tpl\r\nTopMost=0\r\n");
    Start();
    palette.mnuSaizenmen_Click();
    SaveTopMost(palette.TopMostChecked(), profile, cp, app());
    EXPECT_EQ(tmp.Bytes("MARQ.ini"), "[Marquill]\r\nTempleteLib=C:\\tpl\r\nTopMost=1\r\n");
}

}  // namespace
}  // namespace mq::test
