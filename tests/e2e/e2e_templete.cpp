// The template dialog end to end: picking a template from the library
// beside the program and inserting it, the loaded template that outlives
// the dialog's window, the inputs and their access keys, and the library
// folder change through the system's folder browser.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/DialogKeys.h"
#include "e2e/DialogSteps.h"
#include "e2e/Driver.h"
#include "e2e/FolderBrowser.h"
#include "platform/win32/WideText.h"
#include "support/LinkTemplate.h"
#include "templates/TempleteModel.h"
#include "templates/TempleteRes.h"

namespace mq::e2e {
namespace {


const std::string kImg =
    "[KestrelTagTemplete]\r\nTagName=画像\r\nEdited=作者\r\nIndex=B1\r\nBaseElement=IMG\r\n"
    "Element1=SRC=\r\nElement1Default=a.bmp\r\n";

// "TempleteLib" as the settings file beside the program holds it.
std::wstring Setting(Session& s) {
    const std::string ini = FromCp932(ReadAll(s.Folder() + L"\\MARQ.ini"));
    const std::string key = "TempleteLib=";
    const std::size_t at = ini.find(key);
    if (at == std::string::npos) return L"(none)";
    const std::size_t end = ini.find("\r\n", at);
    return win32::Widen(ini.substr(at + key.size(), end - at - key.size()));
}

HostOptions WithLibrary(const std::string& selected,
                        std::vector<std::pair<std::wstring, std::string>> templates) {
    HostOptions o = Selected(selected);
    for (auto& [name, utf8] : templates) o.programFiles.emplace_back(name, ToCp932(utf8));
    return o;
}

// Picks list entry `index` with the keyboard, as a user would: Home, then
// Down arrows. The list has the focus when the dialog opens. Given the
// template's name, waits until the dialog shows it.
void PickWithKeys(HWND dlg, int index, const wchar_t* tagName = nullptr) {
    HWND list = Item(dlg, IDC_FILE);
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(dlg) == list; }));
    PressKey(dlg, VK_HOME);
    for (int i = 0; i < index; ++i) PressKey(dlg, VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == index; }));
    if (tagName == nullptr) return;
    ASSERT_TRUE(WaitUntil([&] { return Text(Item(dlg, IDC_TXTTAGNAME)) == tagName; }));
}

// The link template and an image one, and what the link inserts around
// "ニュース" with "#news" typed as its DEST.
const std::vector<std::pair<std::wstring, std::string>> kLinkAndImg{{L"link.ktt", test::kLinkTemplate},
                                                                    {L"img.ktt", kImg}};
const std::string kNewsLink = "<A TASK=\"GO\" DEST=\"#news\">ニュース</A>";

TEST(Templete, WorkedExampleInsertsTheLinkAroundTheSelection) {
    Session s(WithLibrary("ニュース", kLinkAndImg));
    HWND dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    // No setting yet: the program's folder, written back at once.
    EXPECT_EQ(Text(Item(dlg, IDC_TXTFOLDER)), s.Folder());
    EXPECT_EQ(Setting(s), s.Folder());
    EXPECT_EQ(ListLines(Item(dlg, IDC_FILE)), (std::vector<std::wstring>{L"img.ktt", L"link.ktt"}));
    EXPECT_EQ(SendMessageW(Item(dlg, IDC_FILE), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(Preview(dlg), L"");

    ASSERT_NO_FATAL_FAILURE(PickWithKeys(dlg, 1, L"リンク"));
    EXPECT_EQ(Text(Item(dlg, IDC_TXTEDITED)), L"");
    EXPECT_EQ(Text(Item(dlg, IDC_LBL1)), L"TASK= (&1)：");
    EXPECT_EQ(Text(Item(dlg, IDC_LBL2)), L"DEST= (&2)：");
    EXPECT_EQ(Text(Item(dlg, IDC_LBL3)), L"要素3(&3)：");
    EXPECT_EQ(Text(Item(dlg, IDC_TXTELEMENT1)), L"GO");
    EXPECT_EQ(Text(Item(dlg, IDC_TXTELEMENT2)), L"#top");
    EXPECT_EQ(Preview(dlg), L"<A TASK=\"GO\" DEST=\"#top\">");

    TypeInto(Item(dlg, IDC_TXTELEMENT2), L"#news");
    EXPECT_EQ(Preview(dlg), L"<A TASK=\"GO\" DEST=\"#news\">");
    OkInserts(s, dlg, kNewsLink);
}

TEST(Templete, AClickOnThePickedLineReadsTheFileAgain) {
    Session s(WithLibrary("ニュース", kLinkAndImg));
    HWND dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    HWND list = Item(dlg, IDC_FILE);
    HWND dest = Item(dlg, IDC_TXTELEMENT2);
    ClickListLine(list, 1);
    ASSERT_TRUE(WaitUntil([&] { return Text(dest) == L"#top"; }));
    TypeInto(dest, L"#news");
    // Edited on disk meanwhile: the next click shows the new default.
    std::string edited = test::kLinkTemplate;
    edited.replace(edited.find("#top"), 4, "#home");
    WriteAll(s.Folder() + L"\\link.ktt", ToCp932(edited));
    ClickListLine(list, 1);
    ASSERT_TRUE(WaitUntil([&] { return Text(dest) == L"#home"; })) << win32::Narrow(Text(dest));
    EXPECT_EQ(Preview(dlg), L"<A TASK=\"GO\" DEST=\"#home\">");

    // A key that leaves the selection where it is (Down on the last line)
    // picks nothing: the typed value stays. The posted character comes
    // after the key, so once it shows the key has been handled.
    TypeInto(dest, L"#news");
    FocusOn(list);
    PressKey(dlg, VK_DOWN);
    PostMessageW(Item(dlg, IDC_TXTELEMENT3), WM_CHAR, L'z', 1);
    ASSERT_TRUE(WaitUntil([&] { return Text(Item(dlg, IDC_TXTELEMENT3)) == L"z"; }));
    EXPECT_EQ(Text(dest), L"#news");
    OkInserts(s, dlg, kNewsLink);
}

TEST(Templete, TheLoadedTemplateOutlivesTheWindowForTheRun) {
    Session s(WithLibrary("x", kLinkAndImg));
    // First opening in the run: nothing loaded, OK gives "<>".
    HWND dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    OkInserts(s, dlg, "<>x");

    // Pick and replace the defaults, then Cancel: nothing inserted.
    dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    ASSERT_NO_FATAL_FAILURE(PickWithKeys(dlg, 0, L"画像"));
    EXPECT_EQ(Text(Item(dlg, IDC_TXTEDITED)), L"作者");
    EXPECT_EQ(Text(Item(dlg, IDC_LBL1)), L"SRC= (&1)：");
    TypeInto(Item(dlg, IDC_TXTELEMENT1), L"ロゴ.bmp");
    EXPECT_EQ(Preview(dlg), L"<IMG SRC=\"ロゴ.bmp\">");
    ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);

    // A later opening shows nothing of it, but OK still expands it.
    s.SetHostText("y", 0, 1);
    dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Text(Item(dlg, IDC_TXTTAGNAME)), L"");
    EXPECT_EQ(Text(Item(dlg, IDC_LBL1)), L"要素1(&1)：");
    EXPECT_EQ(Text(Item(dlg, IDC_TXTELEMENT1)), L"");
    EXPECT_EQ(Preview(dlg), L"");
    OkInserts(s, dlg, "<IMG SRC=\"\">y");
}

TEST(Templete, AccessKeysReachTheInputsAndDefaultsAreReplaced) {
    Session s(WithLibrary("本文", {{L"link.ktt", test::kLinkTemplate}}));
    HWND dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    PickWithKeys(dlg, 0);
    ASSERT_TRUE(WaitUntil([&] { return Preview(dlg) == L"<A TASK=\"GO\" DEST=\"#top\">"; }));
    // The digit of each caption moves the focus to the input below it.
    for (int n : {2, 1, 3}) {
        HWND before = FocusedControl(dlg);
        PostMessageW(before, WM_SYSCHAR, static_cast<WPARAM>(L'0' + n), 1 | (1 << 29));
        const int want = n == 1 ? IDC_TXTELEMENT1 : n == 2 ? IDC_TXTELEMENT2 : IDC_TXTELEMENT3;
        EXPECT_TRUE(WaitUntil([&] { return FocusedId(dlg) == want; })) << n;
    }
    TypeInto(Item(dlg, IDC_TXTELEMENT1), L"GOSUB");
    TypeInto(Item(dlg, IDC_TXTELEMENT2), L"#メニュー");
    TypeInto(Item(dlg, IDC_TXTELEMENT3), L"not in Index");
    EXPECT_EQ(Preview(dlg), L"<A TASK=\"GOSUB\" DEST=\"#メニュー\">");
    // Enter presses OK.
    OkInserts(s, dlg, "<A TASK=\"GOSUB\" DEST=\"#メニュー\">本文</A>", VK_RETURN);
}

TEST(Templete, Utf8TemplatesJapaneseDefaultsReachTheHostInCodePage932) {
    // As today's editors save them: UTF-8 with the byte order mark and without.
    const std::string body = "[KestrelTagTemplete]\r\nTagName=画像の説明\r\nIndex=B1\r\n"
                             "BaseElement=IMG\r\nElement1=ALT=\r\nElement1Default=代替テキスト\r\n";
    HostOptions o = Selected("x");
    o.programFiles.emplace_back(L"mark.ktt", "\xEF\xBB\xBF" + body);
    o.programFiles.emplace_back(L"plain.ktt", body);
    Session s(o);
    for (int pick : {0, 1}) {
        s.SetHostText("x", 0, 1);
        HWND dlg = s.Open(Command::Templete);
        ASSERT_NE(dlg, nullptr);
        ASSERT_NO_FATAL_FAILURE(PickWithKeys(dlg, pick, L"画像の説明"));
        EXPECT_EQ(Text(Item(dlg, IDC_TXTELEMENT1)), L"代替テキスト");
        // The host's bytes, read back as code page 932.
        OkInserts(s, dlg, "<IMG ALT=\"代替テキスト\">x");
    }
}

TEST(Templete, FolderChangeIsKeptAlsoWhenTheDialogIsCancelled) {
    Session s(WithLibrary("sel", {{L"link.ktt", test::kLinkTemplate}}));
    // The other library lives at the top of C:, where the browser's tree
    // reaches it from the drive in two steps.
    const DriveCFolder scratch(L"mq-e2e-templete-");
    const std::wstring other = scratch.Path() + L"\\他のライブラリ";
    ASSERT_TRUE(CreateDirectoryW(other.c_str(), nullptr));
    WriteAll(other + L"\\z.ktt", ToCp932("[KestrelTagTemplete]\r\nIndex=B\r\nBaseElement=Z\r\n"));
    WriteAll(other + L"\\y.KTT", ToCp932("[KestrelTagTemplete]\r\nIndex=B\r\nBaseElement=Y\r\n"));

    HWND dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    ASSERT_NO_FATAL_FAILURE(PickWithKeys(dlg, 0, L"リンク"));

    // Cancelling the browser changes nothing.
    const std::string settingsBefore = ReadAll(s.Folder() + L"\\MARQ.ini");
    Click(dlg, IDC_CMDCHANGEFOLDER);
    HWND browser = WaitFolderBrowser(s);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(GetWindow(browser, GW_OWNER), dlg);
    PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browser); }));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(dlg) != FALSE; }));
    EXPECT_EQ(Text(Item(dlg, IDC_TXTFOLDER)), s.Folder());
    EXPECT_EQ(ReadAll(s.Folder() + L"\\MARQ.ini"), settingsBefore);

    // Choosing a folder: shown, listed and written at once.
    Click(dlg, IDC_CMDCHANGEFOLDER);
    browser = WaitFolderBrowser(s);
    ASSERT_NE(browser, nullptr);
    FolderBrowser tree(browser, s.PaletteProcessId());
    ASSERT_TRUE(tree.Ready());
    ASSERT_TRUE(tree.ChooseOnDriveC({scratch.Name(), L"他のライブラリ"}));
    ASSERT_TRUE(WaitUntil([&] { return Text(Item(dlg, IDC_TXTFOLDER)) == other; }))
        << win32::Narrow(Text(Item(dlg, IDC_TXTFOLDER)));
    EXPECT_EQ(ListLines(Item(dlg, IDC_FILE)), (std::vector<std::wstring>{L"y.KTT", L"z.ktt"}));
    EXPECT_EQ(Setting(s), other);
    // The loaded template and what the dialog shows of it stay.
    EXPECT_EQ(Text(Item(dlg, IDC_TXTTAGNAME)), L"リンク");
    EXPECT_EQ(Preview(dlg), L"<A TASK=\"GO\" DEST=\"#top\">");

    ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);
    EXPECT_EQ(Setting(s), other);
    dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Text(Item(dlg, IDC_TXTFOLDER)), other);
    OkInserts(s, dlg, "<A TASK=\"\" DEST=\"\">sel</A>");
}

// The settings file holds the folder in code page 932: a name it cannot
// spell would come back as another folder's ("café" as "cafe").
TEST(Templete, AFolderTheSettingCannotNameIsRefusedAndUnnamableFilesAreNotListed) {
    Session s(WithLibrary("sel", {{L"link.ktt", test::kLinkTemplate}, {L"テスト😀.ktt", kImg}}));
    const DriveCFolder scratch(L"mq-e2e-cafe-");
    for (const std::wstring name : {L"café", L"cafe"}) {
        ASSERT_TRUE(CreateDirectoryW((scratch.Path() + L"\\" + name).c_str(), nullptr));
        WriteAll(scratch.Path() + L"\\" + name + L"\\" + name + L".ktt", ToCp932(kImg));
    }
    HWND dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(ListLines(Item(dlg, IDC_FILE)), std::vector<std::wstring>{L"link.ktt"});

    const std::string settingsBefore = ReadAll(s.Folder() + L"\\MARQ.ini");
    Click(dlg, IDC_CMDCHANGEFOLDER);
    HWND browser = WaitFolderBrowser(s);
    ASSERT_NE(browser, nullptr);
    FolderBrowser tree(browser, s.PaletteProcessId());
    ASSERT_TRUE(tree.Ready());
    ASSERT_TRUE(tree.ChooseOnDriveC({scratch.Name(), L"café"}));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(s.PaletteProcessId())) != nullptr; }));
    EXPECT_EQ(MessageBoxText(box), win32::Widen(kFolderNotStorableMessage));
    PressKey(box, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) && IsWindowEnabled(dlg); }));
    EXPECT_EQ(Text(Item(dlg, IDC_TXTFOLDER)), s.Folder());
    EXPECT_EQ(ListLines(Item(dlg, IDC_FILE)), std::vector<std::wstring>{L"link.ktt"});
    EXPECT_EQ(ReadAll(s.Folder() + L"\\MARQ.ini"), settingsBefore);
    ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);
}

TEST(Templete, ASettingNamingAFileOrNothingIsRepairedAndAnEmptyLibraryListsNothing) {
    HostOptions o = WithLibrary("s", {});
    o.programFiles.emplace_back(L"MARQ.ini", "[Marquill]\r\nTempleteLib=C:\\no\\such\\folder\r\n");
    Session s(o);
    HWND dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Text(Item(dlg, IDC_TXTFOLDER)), s.Folder());
    EXPECT_EQ(Setting(s), s.Folder());
    EXPECT_TRUE(ListLines(Item(dlg, IDC_FILE)).empty());
    ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);

    WriteAll(s.Folder() + L"\\MARQ.ini",
             ToCp932("[Marquill]\r\nTempleteLib=" + win32::Narrow(s.Folder()) + "\\MARQ.ini\r\n"));
    dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Text(Item(dlg, IDC_TXTFOLDER)), s.Folder());
    EXPECT_EQ(Setting(s), s.Folder());
    OkInserts(s, dlg, "<>s");
}

TEST(Templete, ALibraryThatVanishesWhileTheDialogIsOpenGivesAnEmptyTag) {
    Session s(WithLibrary("s", {}));
    const std::wstring lib = s.Folder() + L"\\lib";
    ASSERT_TRUE(CreateDirectoryW(lib.c_str(), nullptr));
    WriteAll(lib + L"\\link.ktt", ToCp932(test::kLinkTemplate));
    WriteAll(s.Folder() + L"\\MARQ.ini",
             ToCp932("[Marquill]\r\nTempleteLib=" + win32::Narrow(lib) + "\r\n"));
    HWND dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(ListLines(Item(dlg, IDC_FILE)), (std::vector<std::wstring>{L"link.ktt"}));
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(lib), ec);
    ASSERT_FALSE(ec);
    PickWithKeys(dlg, 0);
    ASSERT_TRUE(WaitUntil([&] { return Preview(dlg) == L"<>"; }));
    EXPECT_EQ(Text(Item(dlg, IDC_TXTTAGNAME)), L"");
    OkInserts(s, dlg, "<>s");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(lib))) << "nothing was created";
}

TEST(Templete, TheStarterLibraryIsOfferedAtFirstStart) {
    // The templates shipped beside the program.
    const std::filesystem::path shipped =
        std::filesystem::path(WinPath(__FILE__)).parent_path() / ".." / ".." / "templates";
    HostOptions o = Selected("入力");
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(shipped)) {
        if (entry.path().extension() != ".ktt") continue;
        names.push_back(entry.path().filename().wstring());
        o.programFiles.emplace_back(names.back(), ReadAll(entry.path().wstring()));
    }
    std::sort(names.begin(), names.end());
    ASSERT_FALSE(names.empty());
    Session s(o);
    HWND dlg = s.Open(Command::Templete);
    ASSERT_NE(dlg, nullptr);
    ASSERT_EQ(ListLines(Item(dlg, IDC_FILE)), names);
    const auto entry = std::find(names.begin(), names.end(), L"entry.ktt") - names.begin();
    ASSERT_LT(static_cast<std::size_t>(entry), names.size());
    ASSERT_NO_FATAL_FAILURE(PickWithKeys(dlg, static_cast<int>(entry), L"入力カード（書式つき）"));
    EXPECT_EQ(Text(Item(dlg, IDC_LBL2)), L"FORMAT= (&2)：");
    OkInserts(s, dlg, "<ENTRY KEY=\"word\" FORMAT=\"*M\" DEFAULT=\"\">入力</ENTRY>");
}

const DialogCase kTempleteKeys{"Templete", Command::Templete, 0,
                               {IDC_FILE, IDC_TXTELEMENT1, IDC_TXTED}, "</A>", true, 0, IDC_FILE};
INSTANTIATE_TEST_SUITE_P(Templete, DialogKeys, ::testing::Values(kTempleteKeys), CaseName());
INSTANTIATE_TEST_SUITE_P(Templete, TypedBoxes,
                         ::testing::Values(BoxCase{"Element1", Command::Templete, 0,
                                                   IDC_TXTELEMENT1, 0, 0, IDC_FILE}),
                         CaseName());

}  // namespace
}  // namespace mq::e2e
