// A DLL planted beside the program never runs inside it: the zip is often
// unpacked in a download folder, where a web page can drop any file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dialogs/deck/DeckRes.h"
#include "e2e/DialogSteps.h"
#include "e2e/Driver.h"
#include "platform/win32/WideText.h"

namespace mq::e2e {
namespace {

namespace fs = std::filesystem;

// Windows takes a DLL that is not one of its known DLLs from the program's
// folder first; Wine prefers its own builtin copy even there. This key
// makes Wine do as Windows does, for marquill.exe alone. (WINEDLLOVERRIDES
// would not reach a program this process starts.)
class NativeFirst {
public:
    explicit NativeFirst(std::vector<std::wstring> dlls) : dlls_(std::move(dlls)) {
        RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_,
                        nullptr);
        for (const auto& dll : dlls_) {
            const wchar_t value[] = L"native,builtin";
            RegSetValueExW(key_, dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                           sizeof value);
        }
    }
    ~NativeFirst() {
        for (const auto& dll : dlls_) RegDeleteValueW(key_, dll.c_str());
        RegCloseKey(key_);
    }
    bool Ok() const { return key_ != nullptr; }

private:
    static constexpr const wchar_t* kKey = L"Software\\Wine\\AppDefaults\\marquill.exe\\DllOverrides";
    std::vector<std::wstring> dlls_;
    HKEY key_ = nullptr;
};

TEST(PlantedDlls, NoneRunsWhileThePaletteOpensATabbedDialogAndTheVersionBox) {
    std::ifstream in(fs::path(WinPath(MQ_PLANTED_DLL)), std::ios::binary);
    const std::string marker(std::istreambuf_iterator<char>(in), {});
    ASSERT_FALSE(marker.empty());

    // version.dll is left out: Wine's own user32 imports it, so a copy
    // beside the program runs whatever the program does (on Windows,
    // user32 is a known DLL and takes the system's).
    const std::vector<std::wstring> planted{L"uxtheme", L"dwmapi"};
    const NativeFirst nativeFirst(planted);
    ASSERT_TRUE(nativeFirst.Ok());
    HostOptions o = Selected("Hello");
    for (const auto& dll : planted) o.programFiles.emplace_back(dll + L".dll", marker);
    // A name no system DLL has: the marker leaves its mark when it is loaded.
    o.programFiles.emplace_back(L"probe.dll", marker);
    Session s(o);
    const auto ran = [&](const std::wstring& dll) {
        return fs::exists(fs::path(s.Folder() + L"\\" + dll + L".dll.ran"));
    };
    HMODULE probe = LoadLibraryW((s.Folder() + L"\\probe.dll").c_str());
    ASSERT_NE(probe, nullptr);
    FreeLibrary(probe);
    ASSERT_TRUE(ran(L"probe"));
    const auto noneRan = [&] {
        for (const auto& dll : planted) EXPECT_FALSE(ran(dll)) << win32::Narrow(dll) << ".dll ran";
    };
    ASSERT_NE(s.Palette(), nullptr);
    noneRan();  // what the program imports is there before its first line

    // The deck dialog's tab pages take the visual styles' colours; the
    // version box reads the program's version resource.
    HWND deck = s.Open(Command::Deck);
    ASSERT_NE(deck, nullptr);
    ASSERT_NE(DeepItem(deck, IDC_SSTAB1), nullptr);
    PressKey(deck, VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(deck); }));
    HWND box = s.Open(Command::Version);
    ASSERT_NE(box, nullptr);
    PressKey(box, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    ASSERT_TRUE(s.WaitPaletteIdle());

    noneRan();
    EXPECT_EQ(s.HostText(), "Hello");
}

}  // namespace
}  // namespace mq::e2e
