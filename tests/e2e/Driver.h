#pragma once
// Drives the real marquill.exe and the stand-in host editor, each in its
// own process, through window messages, as a user would through the mouse
// and keyboard. Windows are found by class and caption, controls by ID.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "palette/Palette.h"
#include "support/StandInHost.h"
#include "support/Timeout.h"
#include "support/WinPath.h"

namespace mq::e2e {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

using test::kTimeout;

// Polls `condition` until it holds or kTimeout passes; never a fixed sleep.
bool WaitUntil(const std::function<bool()>& condition);

using test::WinPath;

std::wstring ProgramPath();  // marquill.exe as built
std::wstring StandInPath();  // standin.exe as built

// Captions of the program's windows, as the user sees them, that no
// command's dialog has (DialogCaption holds those).
namespace caption {
inline const std::wstring kImageChooser = L"画像の参照";
inline const std::wstring kImportFailed = L"インポート失敗";
inline const std::wstring kImportDone = L"インポート完了";
}  // namespace caption

// The caption of the dialog a command opens.
const std::wstring& DialogCaption(mq::Command command);

std::wstring ClassName(HWND window);
std::wstring Caption(HWND window);  // GetWindowText: never waits on the window's thread
DWORD ProcessOf(HWND window);
// The first window for which `match` holds: a top-level one, or one below
// `parent` at any depth.
HWND FindTopLevel(const std::function<bool(HWND)>& match);
HWND FindChild(HWND parent, const std::function<bool(HWND)>& match);

struct HostOptions {
    std::string text;  // code page 932 bytes
    std::uint32_t selStart = 0;
    std::uint32_t selEnd = 0;
    std::vector<std::wstring> extraArgs;  // e.g. L"--no-editor"
    bool launchPalette = true;
    // Files to put beside the program before it starts: name, bytes.
    std::vector<std::pair<std::wstring, std::string>> programFiles;
};

// The host holding `utf8`, all of it selected.
HostOptions Selected(const std::string& utf8);

// One run: a fresh folder holding a copy of marquill.exe (so each test has
// its own settings file), the stand-in host showing `text`, and the palette
// started by the host as its tool menu would.
class Session {
public:
    explicit Session(const HostOptions& options);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    HWND Host() const { return host_; }
    HWND Editor() const;  // the host's direct "TEditor" child, or null
    HWND Palette();       // waits for the palette window to exist
    const std::wstring& Folder() const { return folder_; }

    std::string HostText() const;  // code page 932 bytes, as WM_GETTEXT brings them
    // The bytes the host holds, saved by the host itself: Wine passes the
    // text of WM_GETTEXT between processes through Unicode, which changes
    // bytes that are not a character or that the code page holds twice.
    std::string HostBytes() const;
    std::pair<DWORD, DWORD> HostSelection() const;
    void SetHostText(const std::string& cp932, DWORD selStart, DWORD selEnd);

    void Command(mq::Command command);
    void ToolbarClick(std::size_t slot);  // position in the toolbar, separators included
    LRESULT PaletteState();

    // A top-level dialog of the palette's process with this caption: the
    // one there now, or the one that comes.
    HWND FindDialog(const std::wstring& caption);
    HWND WaitDialog(const std::wstring& caption);
    // Runs the command and waits for the dialog it opens (null if none comes).
    HWND Open(mq::Command command);
    // The palette process has ended.
    bool WaitPaletteExit();
    bool PaletteAlive() const;
    DWORD PaletteProcessId();
    // Waits until the palette has handled everything posted to it so far;
    // Idle also until it runs no command: no dialog or message box of it
    // is up and any insertion has ended. What did not happen by then will
    // not happen.
    bool WaitPaletteHandled();
    bool WaitPaletteIdle();

    // Waits until the host's text has stopped being `before`.
    bool WaitTextChange(const std::string& before);

private:
    std::wstring folder_;
    std::unique_ptr<test::StandInHost> standIn_;
    HANDLE paletteProcess_ = nullptr;
    DWORD palettePid_ = 0;
    HWND host_ = nullptr;
    HWND palette_ = nullptr;

    bool WaitProbe(bool idle);
    void Watch(DWORD pid);  // opens the palette's process, to see it end
};

// Dialog controls.
HWND Item(HWND dialog, int id);
// Finds a control by ID anywhere below `dialog` (tab pages included).
HWND DeepItem(HWND dialog, int id);
void Click(HWND dialog, int id);  // a button press, posted
void ClickControl(HWND control);  // BM_CLICK, posted
bool IsChecked(HWND control);
// Picks item `index` of a drop-down list as a user does: with the arrow
// keys on the closed list (SelectComboItem), by opening it with Alt+Down
// and closing it with Enter, by typing the start of the item into the open
// list and pressing Enter, or with the mouse.
enum class Pick { Arrows, AltDownEnter, TypedPrefix, Mouse };
void PickComboItem(HWND combo, int index, Pick how);
void SelectComboItem(HWND control, int index);
std::wstring Text(HWND control);
// The lines of a list box or of a drop-down list's list, in order.
std::vector<std::wstring> ListLines(HWND control);
// Typing: one WM_CHAR per UTF-16 unit, each handled before the next, as
// the keyboard and the IME deliver them (a character outside the BMP is
// two).
void TypeChars(HWND control, const std::wstring& text);
// A paste: the whole text at once, one change notice (WM_SETTEXT).
void PasteText(HWND control, const std::wstring& text);
// A key pressed in the control that has the focus in `window`'s thread.
void PressKey(HWND window, UINT vk);
void PostKey(HWND target, UINT vk);  // the same, to `target` itself
// Real input, as the keyboard gives it, to `window`'s top-level window,
// brought to the front first: posted keys carry no Ctrl, Shift or Alt.
void PressChord(HWND window, std::initializer_list<WORD> keys);
void BringToFront(HWND window);
void ClickAt(POINT screen);  // a left click of the real mouse
// A left click of the real mouse on line `index` of a list box, a line in
// view: the button goes down and up over it. Never a double click.
void ClickListLine(HWND list, int index);
// Moves the focus to a control, as a click into it would.
void FocusOn(HWND control);
HWND FocusedControl(HWND window);

// The message box of the palette's process with caption "Marquill", if any.
HWND FindMessageBox(DWORD pid);
std::wstring MessageBoxText(HWND box);

// A file's bytes, "(none)" when there is no such file.
std::string ReadAll(const std::wstring& path);
// A value of the settings file beside the program as the system reads it,
// "(none)" when the key or the file is missing.
std::wstring Setting(Session& s, const wchar_t* key, const wchar_t* section = L"Marquill");

// UTF-8 <-> code page 932, through Windows itself.
std::string ToCp932(const std::string& utf8);
std::string FromCp932(const std::string& cp932);

}  // namespace mq::e2e
