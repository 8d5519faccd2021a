#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "palette/Dialogs.h"
#include "palette/Palette.h"

namespace mq::win32 {

inline constexpr const wchar_t* kPaletteClass = L"MarquillPalette";

// Menu item IDs: kMenuBase + the command's number. Tests post these.
inline constexpr int kMenuBase = 100;
// Toolbar button IDs: kToolbarBase + the slot's position.
inline constexpr int kToolbarBase = 200;
inline constexpr int kToolbarId = 300;

// A registered message that test drivers and automation may send to the
// palette: it answers kStateChecked when "常に最前面に表示" is checked and
// kStateTopmost when the window is in the topmost band. (Under Wine, menus
// of another process cannot be read.)
inline constexpr const wchar_t* kStateMessage = L"Marquill.PaletteState";
inline constexpr LRESULT kStateChecked = 1;
inline constexpr LRESULT kStateTopmost = 2;
// With wParam kStateProbe, posted, the palette notes the number in lParam
// when its turn comes; kStateNoted, sent, answers the last number noted,
// and kStateCommands the number of commands running (a dialog or a
// message box is up, an insertion is under way). A probe noted tells a
// driver that everything posted before it has been handled, without
// guessing at a time.
inline constexpr WPARAM kStateProbe = 1;
inline constexpr WPARAM kStateNoted = 2;
inline constexpr WPARAM kStateCommands = 3;
// With wParam kStateInput, sent: nonzero while keyboard or mouse input
// waits in the queue of the palette's thread (its dialogs' too), which a
// driver that sends real input waits out before its next step.
inline constexpr WPARAM kStateInput = 4;

// The palette window: a menu bar and a toolbar of nine tag buttons. All
// its rules live in Palette; this class only turns clicks and keys into
// commands and keeps the menu's check mark in line.
class frmMain {
public:
    struct Hooks {
        // Reads the saved always-on-top state at start-up (may be empty).
        std::function<bool()> savedTopMost;
        // Saves the state when the palette closes (may be empty).
        std::function<void(const Palette&)> saveTopMost;
    };

    frmMain(HINSTANCE instance, Palette& palette, HostLink& link, const CommandContext& context,
            Hooks hooks);

    // Creates the window, runs the start-up and the message loop until the
    // palette closes. Returns the exit code.
    int Run();

    // Every command of kCommands, from the menu, a shortcut or the toolbar:
    // a row that says `dialog` shows its dialog around the topmost band
    // (and inserts its result when it says `inserts`); the others are run
    // here, each by its own case.
    void RunCommand(Command command);

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateMenuBar();
    void CreateToolbar();
    void FitClientArea();
    void PlaceNearHost();
    void RefreshMenu();
    void Toolbar1_ButtonClick(int slot);
    void Form_Unload();
    // Saves the state and ends the palette.
    void Close();
    int Scale(int pixels) const;

    HINSTANCE instance_;
    Palette& palette_;
    HostLink& link_;
    const CommandContext& context_;
    Hooks hooks_;
    HWND hwnd_ = nullptr;
    HWND toolbar_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL accel_ = nullptr;
    HIMAGELIST images_ = nullptr;
    UINT dpi_ = 96;
    UINT stateMessage_ = 0;
    LPARAM lastProbe_ = 0;
    int commandsRunning_ = 0;
    std::vector<std::wstring> tips_;
};

}  // namespace mq::win32
