// Tag templates over the system's own profile functions and file system
// under Wine: the starter library, hostile template files, and the library
// folder's repair and listing.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "contract/PortableProfileTests.h"
#include "contract/ProfileContract.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Collation.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Shell.h"
#include "settings/INIAccessGlobal.h"
#include "support/AppFolderFiles.h"
#include "support/StarterTemplates.h"
#include "templates/TagTemplate.h"

namespace mq::test {
namespace {

using Files = AppFolderFiles<Win32FileSystem>;

// The source tree's path as this build knows it (a Unix path under Wine).
fs::path SourcePath(const fs::path& p) {
    std::string s = p.generic_string();
    if (!s.empty() && s.front() == '/') s = "Z:" + s;
    return fs::path(s);
}

class SystemTemplates : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GetACP(), 932u) << "run under LC_ALL=ja_JP.UTF-8"; }
    TagTemplate Load(std::string_view name) { return LoadTemplate(profile, cp, tmp.Path(name)); }

    TempFolder tmp;
    Win32ProfileFile profile;
    Win32CodePage cp;
    Win32Collation order;
};

TEST_F(SystemTemplates, TheStarterLibraryReadsAlike) {
    const fs::path library = SourcePath(StarterLibraryFolder());
    Files files;
    std::vector<std::string> expected;
    for (const auto& [name, _] : StarterTemplates()) expected.push_back(name);
    EXPECT_EQ(ListTemplates(files, order, cp, win32::Narrow(library.wstring())), expected);
    for (const auto& [name, want] : StarterTemplates()) {
        SCOPED_TRACE(name);
        const TagTemplate t =
            LoadTemplate(profile, cp, win32::Narrow((library / name).wstring()));
        EXPECT_EQ(t.TagName, want.tagName);
        EXPECT_EQ(ExpandTemplate(t, t.Element1Default, t.Element2Default, t.Element3Default),
                  want.openingTag);
        EXPECT_EQ(t.CloseTag, want.closeTag);
    }
}

TEST_F(SystemTemplates, HostileFilesLoadAsWellAsTheyCanAndStayUntouched) {
    tmp.Put("empty.ktt", "");
    tmp.Put("nosection.ktt", "TagName=x\r\nIndex=B\r\n");
    tmp.Put("binary.ktt", "[KestrelTagTemplete]\r\nIndex=B1\r\n" + Noise(4096, 7));
    tmp.Put("long.ktt", "[KestrelTagTemplete]\r\nCloseTag=" + std::string(300, 'c') + "\r\n");
    tmp.Put("huge.ktt", "[KestrelTagTemplete]\r\nIndex=B1\r\nElement1=" +
                            std::string(4u << 20, 'x') + "\r\nBaseElement=E\r\n");
    std::vector<std::pair<std::string, std::string>> before;
    for (const char* name : {"empty.ktt", "nosection.ktt", "binary.ktt", "long.ktt", "huge.ktt"}) {
        before.emplace_back(name, tmp.Bytes(name));
    }

    EXPECT_EQ(Load("missing.ktt"), TagTemplate{});
    EXPECT_EQ(Load("empty.ktt"), TagTemplate{});
    EXPECT_EQ(Load("nosection.ktt"), TagTemplate{});
    EXPECT_EQ(Load("binary.ktt").Index, "B1");
    EXPECT_EQ(Load("long.ktt").CloseTag, std::string(255, 'c'));
    const TagTemplate huge = Load("huge.ktt");
    EXPECT_EQ(ExpandTemplate(huge, "v", "", ""), "<E " + std::string(255, 'x') + "\"v\">");

    for (const auto& [name, bytes] : before) EXPECT_TRUE(tmp.Bytes(name) == bytes) << name;
    EXPECT_EQ(tmp.Entries(), before.size()) << "no file was created";
}

TEST_F(SystemTemplates, TheLibraryFolderIsRepairedAndListed) {
    fs::create_directory(tmp.dir() / "app");
    fs::create_directory(tmp.dir() / "lib");
    Files files;
    files.appFolder = tmp.Path("app");
    const TemplatePorts ports{profile, cp, files, order};
    const auto setting = [&](const std::string& value) {
        INIAccessGlobal ini(profile, cp);
        ini.FileName = tmp.Path("app") + "\\MARQ.ini";
        ini.SetINIData("Marquill", "TempleteLib", value);
    };

    EXPECT_EQ(ResolveLibraryFolder(ports), tmp.Path("app"));
    setting(tmp.Path("lib"));
    EXPECT_EQ(ResolveLibraryFolder(ports), tmp.Path("lib"));
    setting(tmp.Path("app") + "\\MARQ.ini");  // a file, no folder
    EXPECT_EQ(ResolveLibraryFolder(ports), tmp.Path("app"));
    setting(tmp.Path("gone"));
    EXPECT_EQ(ResolveLibraryFolder(ports), tmp.Path("app"));

    for (const char* name : {"b.ktt", "A.KTT", "x.kttx", "hidden.ktt", "system.ktt", "テスト😀.ktt"}) {
        tmp.Put(std::string("lib/") + name, "");
    }
    fs::create_directory(tmp.dir() / "lib" / "sub.ktt");
    SetFileAttributesW(win32::Widen(tmp.Path("lib/hidden.ktt")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(win32::Widen(tmp.Path("lib/system.ktt")).c_str(), FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(ListTemplates(files, order, cp, tmp.Path("lib")), (std::vector<std::string>{"A.KTT", "b.ktt"}));
    for (const char* name : {"lib/hidden.ktt", "lib/system.ktt"}) {
        SetFileAttributesW(win32::Widen(tmp.Path(name)).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(SystemTemplates, TheListIsInTheOrderOfASortedListBox) {
    // Signs, digits, a hyphen (passed over), full-width and half-width
    // forms, kana and kanji.
    const std::vector<std::string> names{
        "_x.ktt", "10.ktt", "9.ktt", "A.ktt", "b.ktt", "-y.ktt", "Ｚ.ktt", "ア.ktt", "あ.ktt",
        "亜.ktt", "一.ktt", "a-b.ktt", "ab.ktt", "Ｂ.ktt", "ｂｃ.ktt", "カ.ktt", "か.ktt",
        "漢字.ktt", "1-1.ktt", "11.ktt", "ﾃ.ktt", "テ.ktt", "~t.ktt", "(p).ktt", "a_b.ktt",
        "a b.ktt", "ｶ.ktt", "$.ktt", "ー.ktt", "１２.ktt", "2.ktt", "Ab1.ktt"};
    fs::create_directory(tmp.dir() / "lib");
    for (const auto& name : names) tmp.Put("lib/" + name, "");

    // The oracle: a hidden sorted list box of this process.
    HWND box = CreateWindowExW(0, L"LISTBOX", L"", LBS_SORT | LBS_HASSTRINGS, 0, 0, 100, 100,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(box, nullptr);
    for (const auto& name : names) {
        SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Widen(name).c_str()));
    }
    std::vector<std::string> sorted;
    for (LRESULT i = 0; i < SendMessageW(box, LB_GETCOUNT, 0, 0); ++i) {
        wchar_t text[MAX_PATH] = {};
        SendMessageW(box, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        sorted.push_back(win32::Narrow(text));
    }
    DestroyWindow(box);

    Files files;
    EXPECT_EQ(ListTemplates(files, order, cp, tmp.Path("lib")), sorted);
}

}  // namespace
}  // namespace mq::test
