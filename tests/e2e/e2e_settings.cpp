// The saved always-on-top state, the settings import through the real
// folder browser, the help command and the version box, end to end.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/text/TextRes.h"
#include "e2e/DialogSteps.h"
#include "e2e/Driver.h"
#include "e2e/FolderBrowser.h"
#include "palette/VersionRes.h"
#include "palette/frmMain.h"
#include "platform/win32/WideText.h"

namespace mq::e2e {
namespace {

const LRESULT kOnTop = win32::kStateChecked | win32::kStateTopmost;

const std::wstring kConfirmText =
    L"この機能はKestrel HDML Editorから以下の設定をインポートする機能です。\r\n\r\n"
    L"・テンプレートライブラリフォルダの位置\r\n\r\n"
    L"インポートを行うと現在の上記の設定が全て失われます。\r\n"
    L"続けるならOKを押してください。";
const std::wstring kNotFoundText =
    L"kshdml.ini が見つかりません。\r\n\r\n"
    L"・フォルダは正しく指定しましたか？\r\n"
    L"・HDML Editorをいままで一度も起動してませんか？";
const std::wstring kWriteFailedText =
    L"MARQ.ini に設定を書き込めませんでした。\r\n\r\n"
    L"・MARQ.ini が読み取り専用になっていませんか？\r\n"
    L"・Marquillのフォルダに書き込む権限がありますか？";

HostOptions WithSettings(const std::string& ini) {
    HostOptions o = Selected("Hello");
    o.programFiles = {{L"MARQ.ini", ini}};
    return o;
}

std::string SettingsBytes(Session& s) { return ReadAll(s.Folder() + L"\\MARQ.ini"); }

// The palette has finished its command and takes input again.
bool PaletteIdle(Session& s) { return s.WaitPaletteIdle(); }

void Answer(HWND box, int button) { PostMessageW(box, WM_COMMAND, button, 0); }

// ---------------------------------------------------------------------------
// The saved always-on-top state

TEST(SavedTopMost, WithoutASettingsFileThePaletteFloatsAndSavesOneAtExit) {
    Session s(Selected("Hello"));
    ASSERT_TRUE(WaitUntil([&] { return s.PaletteState() == kOnTop; }));
    EXPECT_EQ(SettingsBytes(s), "(none)");  // reading creates nothing
    s.Command(Command::Exit);
    ASSERT_TRUE(s.WaitPaletteExit());
    EXPECT_EQ(Setting(s, L"TopMost"), L"1");
}

TEST(SavedTopMost, ZeroStartsBelowUncheckedAndIsKept) {
    Session s(WithSettings("[Marquill]\r\nTopMost=0\r\n"));
    ASSERT_NE(s.Palette(), nullptr);  // shown: start-up has run
    EXPECT_EQ(s.PaletteState(), 0);
    PostMessageW(s.Palette(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(s.WaitPaletteExit());
    EXPECT_EQ(Setting(s, L"TopMost"), L"0");
}

TEST(SavedTopMost, AnyOtherValueOrAnEmptyOneFloats) {
    for (const char* value : {"1", "", "2", "yes", "00", "O"}) {
        Session s(WithSettings(std::string("[Marquill]\r\nTopMost=") + value + "\r\n"));
        ASSERT_NE(s.Palette(), nullptr) << value;
        EXPECT_EQ(s.PaletteState(), kOnTop) << value;
    }
}

TEST(SavedTopMost, TogglingWritesNothingUntilThePaletteClosesByAnyWay) {
    const std::string before = "[Marquill]\r\nTopMost=1\r\nTempleteLib=C:\\tpl\r\n[Other]\r\nk=v\r\n";
    enum Way { Menu, Toolbar, CloseBox };
    for (Way way : {Menu, Toolbar, CloseBox}) {
        Session s(WithSettings(before));
        ASSERT_TRUE(WaitUntil([&] { return s.PaletteState() == kOnTop; })) << way;
        // Off, on, off: each step seen by the window, none by the file.
        for (LRESULT wanted : {LRESULT{0}, kOnTop, LRESULT{0}}) {
            s.Command(Command::Saizenmen);
            ASSERT_TRUE(WaitUntil([&] { return s.PaletteState() == wanted; })) << way;
            EXPECT_EQ(SettingsBytes(s), before) << way;
        }
        if (way == Menu) s.Command(Command::Exit);
        if (way == Toolbar) s.ToolbarClick(0);
        if (way == CloseBox) PostMessageW(s.Palette(), WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(s.WaitPaletteExit()) << way;
        EXPECT_EQ(Setting(s, L"TopMost"), L"0") << way;
        EXPECT_EQ(Setting(s, L"TempleteLib"), L"C:\\tpl") << way;
        EXPECT_EQ(Setting(s, L"k", L"Other"), L"v") << way;
    }
}


// Runs the import to its end: confirms, waits for the browser, chooses
// `folder` in it, then waits for the message box with `caption` that ends
// the import and sees its text.
void ImportFrom(Session& s, const DriveCFolder& folder, const std::wstring& caption, const std::wstring& text,
                HWND& box) {
    HWND confirm = s.Open(Command::InportFromHDMLEditor);
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(MessageBoxText(confirm), kConfirmText);
    Answer(confirm, IDOK);
    HWND browser = WaitFolderBrowser(s);
    ASSERT_NE(browser, nullptr);
    // Owned by the palette, with the prompt shown above the tree.
    EXPECT_EQ(GetWindow(browser, GW_OWNER), s.Palette());
    FolderBrowser tree(browser, s.PaletteProcessId());
    ASSERT_TRUE(tree.Ready());
    ASSERT_TRUE(tree.ChooseOnDriveC({folder.Name()}));
    box = s.WaitDialog(caption);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), text);
}

const std::string kOldLibrary = "[Marquill]\r\nTempleteLib=C:\\old\r\n";
const char kCompanion[] = "[Kestrel HDML Editor Standard Setting]\r\nTempleteLib=D:\\HDML\\テンプレート\r\n";

TEST(SettingsImport, CancelAtTheConfirmationShowsNoBrowserAndChangesNothing) {
    Session s(WithSettings(kOldLibrary));
    ASSERT_TRUE(WaitUntil([&] { return s.PaletteState() == kOnTop; }));
    HWND confirm = s.Open(Command::InportFromHDMLEditor);
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(MessageBoxText(confirm), kConfirmText);
    EXPECT_EQ(GetWindow(confirm, GW_OWNER), s.Palette());
    // The state is not touched while the import runs.
    EXPECT_EQ(s.PaletteState(), kOnTop);
    Answer(confirm, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(confirm); }));
    ASSERT_TRUE(PaletteIdle(s));
    EXPECT_EQ(FindFolderBrowser(s), nullptr);
    EXPECT_EQ(SettingsBytes(s), kOldLibrary);
    EXPECT_EQ(s.PaletteState(), kOnTop);
}

TEST(SettingsImport, CancelInTheBrowserEndsSilently) {
    Session s(WithSettings(kOldLibrary));
    HWND confirm = s.Open(Command::InportFromHDMLEditor);
    ASSERT_NE(confirm, nullptr);
    Answer(confirm, IDOK);
    HWND browser = WaitFolderBrowser(s);
    ASSERT_NE(browser, nullptr);
    FolderBrowser(browser, s.PaletteProcessId()).Cancel();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browser); }));
    ASSERT_TRUE(PaletteIdle(s));
    EXPECT_EQ(s.FindDialog(caption::kImportFailed), nullptr);
    EXPECT_EQ(s.FindDialog(caption::kImportDone), nullptr);
    EXPECT_EQ(SettingsBytes(s), kOldLibrary);
}

TEST(SettingsImport, AFolderWithoutTheCompanionFileIsReported) {
    Session s(WithSettings(kOldLibrary));
    DriveCFolder folder(L"mq-import-");
    HWND box = nullptr;
    ASSERT_NO_FATAL_FAILURE(ImportFrom(s, folder, caption::kImportFailed, kNotFoundText, box));
    Answer(box, IDOK);
    ASSERT_TRUE(PaletteIdle(s));
    EXPECT_EQ(SettingsBytes(s), kOldLibrary);
}

TEST(SettingsImport, TheCompanionsFolderSettingIsCopied) {
    Session s(WithSettings("[Marquill]\r\nTopMost=1\r\nTempleteLib=C:\\old\r\n"));
    DriveCFolder folder(L"mq-import-");
    WriteAll(folder.Path() + L"\\kshdml.ini", ToCp932(kCompanion));
    HWND box = nullptr;
    ASSERT_NO_FATAL_FAILURE(ImportFrom(s, folder, caption::kImportDone, L"設定のインポートが完了しました。", box));
    EXPECT_EQ(Setting(s, L"TempleteLib"), L"D:\\HDML\\テンプレート");
    EXPECT_EQ(Setting(s, L"TopMost"), L"1");
    Answer(box, IDOK);
    ASSERT_TRUE(PaletteIdle(s));
    EXPECT_EQ(s.PaletteState(), kOnTop);
}

TEST(SettingsImport, AFailedWriteIsReportedAsAFailure) {
    // "MARQ.ini" is a folder: nothing can be written there.
    Session s(Selected("Hello"));
    ASSERT_NE(s.Palette(), nullptr);
    ASSERT_TRUE(CreateDirectoryW((s.Folder() + L"\\MARQ.ini").c_str(), nullptr));
    DriveCFolder folder(L"mq-import-");
    WriteAll(folder.Path() + L"\\kshdml.ini", ToCp932(kCompanion));
    HWND box = nullptr;
    ASSERT_NO_FATAL_FAILURE(ImportFrom(s, folder, caption::kImportFailed, kWriteFailedText, box));
    EXPECT_EQ(s.FindDialog(caption::kImportDone), nullptr);
    Answer(box, IDOK);
    ASSERT_TRUE(PaletteIdle(s));
    RemoveDirectoryW((s.Folder() + L"\\MARQ.ini").c_str());
}

// ---------------------------------------------------------------------------
// Help

// Points the prefix's ".html" files (and, for the link, "https" addresses)
// at harmless handlers for the length of a test, and puts it back.
class Associations {
public:
    Associations() {
        Set(L"Software\\Classes\\.html", L"", L"MarquillE2E.htmlfile");
        Set(L"Software\\Classes\\MarquillE2E.htmlfile\\shell\\open\\command", L"",
            L"C:\\windows\\notepad.exe \"%1\"");
        // The address is written down where the test can read it.
        oldHttps_ = Get(kHttps);
        Set(kHttps, L"", L"C:\\windows\\system32\\reg.exe add HKLM\\Software\\MarquillE2E /v Opened /d \"%1\" /f");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\MarquillE2E");
    }
    ~Associations() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.html");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\MarquillE2E.htmlfile");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\MarquillE2E");
        Set(kHttps, L"", oldHttps_);
    }
    Associations(const Associations&) = delete;
    Associations& operator=(const Associations&) = delete;

    static std::wstring Opened() {
        wchar_t value[512] = {};
        DWORD size = sizeof value;
        if (RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\MarquillE2E", L"Opened", RRF_RT_REG_SZ, nullptr,
                         value, &size) != ERROR_SUCCESS) {
            return {};
        }
        return value;
    }

private:
    static constexpr const wchar_t* kHttps = L"Software\\Classes\\https\\shell\\open\\command";
    static std::wstring Get(const wchar_t* key) {
        wchar_t value[1024] = {};
        DWORD size = sizeof value;
        RegGetValueW(HKEY_LOCAL_MACHINE, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size);
        return value;
    }
    static void Set(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
        HKEY k = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) !=
            ERROR_SUCCESS) {
            return;
        }
        RegSetValueExW(k, *name ? name : nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(k);
    }
    std::wstring oldHttps_;
};

// A shown top-level window of the notepad that opened "index.html".
HWND FindHelpViewer() {
    return FindTopLevel(
        [](HWND w) { return ClassName(w) == L"Notepad" && Caption(w).rfind(L"index.html", 0) == 0; });
}

// F1 carries no modifier: a posted key reaches the palette's accelerator
// table as a typed one would.
void PressF1(Session& s) { PostKey(s.Palette(), VK_F1); }

TEST(Help, F1WithoutTheHelpPageSaysSo) {
    Session s(Selected("Hello"));
    ASSERT_NE(s.Palette(), nullptr);
    PressF1(s);
    HWND box = s.WaitDialog(L"見つかりません。");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"ヘルプが見つかりません。");
    EXPECT_EQ(GetWindow(box, GW_OWNER), s.Palette());
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_EQ(s.PaletteState(), kOnTop);
}

TEST(Help, F1OpensThePageBesideTheProgramInItsViewer) {
    Associations associations;
    Session s(Selected("Hello"));
    ASSERT_NE(s.Palette(), nullptr);
    ASSERT_TRUE(CreateDirectoryW((s.Folder() + L"\\help").c_str(), nullptr));
    WriteAll(s.Folder() + L"\\help\\index.html", "<!DOCTYPE html><title>help</title>");
    PressF1(s);
    HWND viewer = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (viewer = FindHelpViewer()) != nullptr; }));
    // Shown, not opened hidden.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(viewer) != FALSE; }));
    ASSERT_TRUE(s.WaitPaletteIdle());
    EXPECT_EQ(s.FindDialog(L"見つかりません。"), nullptr);
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    WaitUntil([&] { return FindHelpViewer() == nullptr; });
}

// ---------------------------------------------------------------------------
// The version box


TEST(VersionBox, ShowsTheNameTheVersionAndTheLink) {
    Session s(Selected("Hello"));
    ASSERT_TRUE(WaitUntil([&] { return s.PaletteState() == kOnTop; }));
    HWND box = s.Open(Command::Version);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Text(Item(box, IDC_LABEL1)), L"Marquill");
    EXPECT_EQ(Text(Item(box, IDC_LABEL2)), L"Version 0.02.0005 ");
    EXPECT_EQ(Text(Item(box, IDC_LABEL3)), L"https://marquill.example/");
    EXPECT_FALSE(Text(Item(box, IDC_LABEL4)).empty());
    EXPECT_EQ(Text(Item(box, IDC_COMMAND1)), L"OK(&O)");
    EXPECT_NE(SendMessageW(Item(box, IDC_IMAGE1), STM_GETICON, 0, 0), 0);
    // A fixed dialog frame: no resizing, no minimise or maximise box.
    const LONG style = GetWindowLongW(box, GWL_STYLE);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    // The pointing hand over the link, and only there.
    EXPECT_TRUE(SendMessageW(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(Item(box, IDC_LABEL3)),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_FALSE(SendMessageW(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(Item(box, IDC_LABEL2)),
                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    // The palette waits below the band meanwhile.
    EXPECT_EQ(s.PaletteState(), 0);
    EXPECT_FALSE(IsWindowEnabled(s.Palette()));
    Click(box, IDC_COMMAND1);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    ASSERT_TRUE(WaitUntil([&] { return s.PaletteState() == kOnTop; }));
}

TEST(VersionBox, EnterEscAndTheCloseBoxCloseItAndNothingIsInserted) {
    Session s(Selected("Hello"));
    // An earlier insertion leaves its text behind for the next command.
    HWND text = s.Open(Command::Text);
    ASSERT_NE(text, nullptr);
    ASSERT_NO_FATAL_FAILURE(OkInserts(s, text, "<BR>Hello"));
    const std::string after = s.HostText();

    for (int way = 0; way < 3; ++way) {
        HWND box = s.Open(Command::Version);
        ASSERT_NE(box, nullptr) << way;
        if (way == 0) PressKey(box, VK_RETURN);
        if (way == 1) PressKey(box, VK_ESCAPE);
        if (way == 2) PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << way;
        ASSERT_TRUE(PaletteIdle(s)) << way;
        EXPECT_EQ(s.PaletteState(), kOnTop) << way;
    }
    EXPECT_EQ(s.HostText(), after);
}

TEST(VersionBox, ClickingTheLinkOpensTheAddressAndTheBoxStays) {
    Associations associations;
    Session s(Selected("Hello"));
    HWND box = s.Open(Command::Version);
    ASSERT_NE(box, nullptr);
    HWND link = Item(box, IDC_LABEL3);
    PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(WaitUntil([] { return Associations::Opened() == L"https://marquill.example/"; }));
    EXPECT_TRUE(IsWindow(box));
    PressKey(box, VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
}

}  // namespace
}  // namespace mq::e2e
