#include "e2e/Driver.h"

#include <fstream>
#include <stdexcept>
#include <thread>

#include "palette/frmMain.h"
#include "platform/win32/WideText.h"
#include "support/StandInHost.h"

namespace mq::e2e {
namespace {

void Pause() { std::this_thread::sleep_for(15ms); }

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

struct FindData {
    DWORD pid;
    const wchar_t* className;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lParam) {
    auto* fd = reinterpret_cast<FindData*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != fd->pid || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t cls[256] = {};
    GetClassNameW(hwnd, cls, 256);
    if (fd->className != nullptr && std::wstring(cls) != fd->className) return TRUE;
    if (fd->caption != nullptr) {
        wchar_t caption[512] = {};
        GetWindowTextW(hwnd, caption, 512);
        if (std::wstring(caption) != fd->caption) return TRUE;
    }
    fd->found = hwnd;
    return FALSE;
}

HWND FindTopLevelOf(DWORD pid, const wchar_t* className, const wchar_t* caption) {
    FindData fd{pid, className, caption, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&fd));
    return fd.found;
}

// A state the driver cannot go on without: when it does not come, the
// test fails here, saying which, rather than at some later check.
void Require(const std::function<bool()>& condition, const char* what) {
    if (!WaitUntil(condition)) throw std::runtime_error(std::string("the driver waited in vain for ") + what);
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition) {
    const auto end = Clock::now() + kTimeout;
    for (;;) {
        if (condition()) return true;
        if (Clock::now() > end) return false;
        Pause();
    }
}

const std::wstring& DialogCaption(mq::Command command) {
    switch (command) {
    case mq::Command::Deck: return caption::kDeck;
    case mq::Command::Card: return caption::kCard;
    case mq::Command::Text: return caption::kText;
    case mq::Command::NaviA: return caption::kNaviA;
    case mq::Command::NaviAction: return caption::kNaviAction;
    case mq::Command::CE: return caption::kCE;
    case mq::Command::Image: return caption::kImage;
    case mq::Command::Templete: return caption::kTemplete;
    case mq::Command::Version: return caption::kVersion;
    case mq::Command::InportFromHDMLEditor: return caption::kImportConfirm;
    default: throw std::logic_error("this command opens no dialog");
    }
}

HostOptions Selected(const std::string& utf8) {
    HostOptions o;
    o.text = ToCp932(utf8);
    o.selEnd = static_cast<std::uint32_t>(o.text.size());
    return o;
}

std::wstring ProgramPath() { return WinPath(MQ_MARQUILL_EXE); }
std::wstring StandInPath() { return WinPath(MQ_STANDIN_EXE); }

Session::Session(const HostOptions& options) : folder_(test::NewTempFolder(L"mq-e2e-")) {
    const std::wstring program = folder_ + L"\\marquill.exe";
    if (!CopyFileW(ProgramPath().c_str(), program.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy marquill.exe");
    }
    for (const auto& [name, bytes] : options.programFiles) test::WriteBytes(folder_ + L"\\" + name, bytes);
    std::vector<std::wstring> args = options.extraArgs;
    if (options.launchPalette) args.insert(args.begin(), L"--launch " + test::Quote(program));
    standIn_ = std::make_unique<test::StandInHost>(test::StandInStart{
        StandInPath(), folder_, options.text, std::pair{options.selStart, options.selEnd}, args, folder_.c_str()});
    host_ = standIn_->Window();
}

Session::~Session() {
    if (palette_ != nullptr && IsWindow(palette_)) PostMessageW(palette_, WM_CLOSE, 0, 0);
    if (paletteProcess_ != nullptr) {
        if (WaitForSingleObject(paletteProcess_, 5000) != WAIT_OBJECT_0) {
            TerminateProcess(paletteProcess_, 1);
        }
        CloseHandle(paletteProcess_);
    }
    standIn_.reset();
    RemoveTree(folder_);
}

HWND Session::Editor() const { return FindWindowExA(host_, nullptr, "TEditor", nullptr); }

HWND Session::Palette() {
    if (palette_ != nullptr && IsWindow(palette_)) return palette_;
    WaitUntil([&] {
        palette_ = FindWindowW(win32::kPaletteClass, L"Marquill");
        return palette_ != nullptr && IsWindowVisible(palette_);
    });
    if (palette_ != nullptr && paletteProcess_ == nullptr) {
        GetWindowThreadProcessId(palette_, &palettePid_);
        paletteProcess_ = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION,
                                      FALSE, palettePid_);
    }
    return palette_;
}

DWORD Session::PaletteProcessId() {
    if (palettePid_ == 0) {
        // Before the palette window exists (a start-up message box is up),
        // find the process by its message box.
        WaitUntil([&] {
            HWND box = FindWindowW(L"#32770", L"Marquill");
            if (box != nullptr) GetWindowThreadProcessId(box, &palettePid_);
            HWND pal = FindWindowW(win32::kPaletteClass, L"Marquill");
            if (pal != nullptr) GetWindowThreadProcessId(pal, &palettePid_);
            return palettePid_ != 0;
        });
        if (palettePid_ != 0 && paletteProcess_ == nullptr) {
            paletteProcess_ = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION,
                                          FALSE, palettePid_);
        }
    }
    return palettePid_;
}

std::string Session::HostText() const {
    HWND edit = FindWindowExA(host_, nullptr, "TEditor", nullptr);
    if (edit == nullptr) {
        // The nested variant keeps its editor one level down.
        HWND pane = GetWindow(host_, GW_CHILD);
        edit = pane != nullptr ? FindWindowExA(pane, nullptr, "TEditor", nullptr) : nullptr;
    }
    if (edit == nullptr) return {};
    auto n = static_cast<std::size_t>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0));
    std::string text(n + 1, '\0');
    SendMessageA(edit, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(text.data()));
    text.resize(n);
    return text;
}

std::string Session::HostBytes() const {
    std::string bytes;
    standIn_->Save(bytes);
    return bytes;
}

std::pair<DWORD, DWORD> Session::HostSelection() const {
    DWORD s = 0, e = 0;
    SendMessageA(Editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return {s, e};
}

void Session::SetHostText(const std::string& cp932, DWORD selStart, DWORD selEnd) {
    SendMessageA(Editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cp932.c_str()));
    SendMessageA(Editor(), EM_SETSEL, selStart, selEnd);
}

void Session::Command(mq::Command command) {
    PostMessageW(Palette(), WM_COMMAND, static_cast<WPARAM>(win32::kMenuBase + static_cast<int>(command)), 0);
}

void Session::ToolbarClick(std::size_t slot) {
    HWND toolbar = GetDlgItem(Palette(), win32::kToolbarId);
    PostMessageW(Palette(), WM_COMMAND,
                 MAKEWPARAM(win32::kToolbarBase + static_cast<int>(slot), BN_CLICKED),
                 reinterpret_cast<LPARAM>(toolbar));
}

LRESULT Session::PaletteState() {
    static const UINT message = RegisterWindowMessageW(win32::kStateMessage);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(Palette(), message, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

HWND Session::FindDialog(const std::wstring& caption) {
    return FindTopLevelOf(PaletteProcessId(), L"#32770", caption.c_str());
}

HWND Session::WaitDialog(const std::wstring& caption) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindDialog(caption)) != nullptr; });
    return found;
}

HWND Session::Open(mq::Command command) {
    Command(command);
    return WaitDialog(DialogCaption(command));
}

bool Session::WaitProbe(bool idle) {
    static const UINT message = RegisterWindowMessageW(win32::kStateMessage);
    static LPARAM probes = 0;
    const LPARAM probe = ++probes;
    if (!PostMessageW(Palette(), message, win32::kStateProbe, probe)) return false;
    const auto ask = [&](WPARAM what) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(palette_, message, what, 0, SMTO_ABORTIFHUNG,
                                 static_cast<UINT>(kTimeout.count()), &answer)) {
            return LPARAM{-1};
        }
        return static_cast<LPARAM>(answer);
    };
    return WaitUntil([&] { return ask(win32::kStateNoted) == probe && (!idle || ask(win32::kStateCommands) == 0); });
}

bool Session::WaitPaletteHandled() { return WaitProbe(false); }
bool Session::WaitPaletteIdle() { return WaitProbe(true); }

bool Session::PaletteAlive() const {
    return paletteProcess_ != nullptr && WaitForSingleObject(paletteProcess_, 0) == WAIT_TIMEOUT;
}

bool Session::WaitPaletteExit() {
    PaletteProcessId();
    if (paletteProcess_ == nullptr) return false;
    return WaitForSingleObject(paletteProcess_, static_cast<DWORD>(kTimeout.count())) == WAIT_OBJECT_0;
}

bool Session::WaitTextChange(const std::string& before) {
    return WaitUntil([&] { return HostText() != before; });
}

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

namespace {
struct DeepFind {
    int id;
    HWND found;
};
BOOL CALLBACK FindChild(HWND hwnd, LPARAM lParam) {
    auto* df = reinterpret_cast<DeepFind*>(lParam);
    if (GetDlgCtrlID(hwnd) == df->id) {
        df->found = hwnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND DeepItem(HWND dialog, int id) {
    if (HWND direct = GetDlgItem(dialog, id)) return direct;
    DeepFind df{id, nullptr};
    EnumChildWindows(dialog, FindChild, reinterpret_cast<LPARAM>(&df));
    return df.found;
}

void Click(HWND dialog, int id) { ClickControl(DeepItem(dialog, id)); }

void ClickControl(HWND control) { PostMessageW(control, BM_CLICK, 0, 0); }

bool IsChecked(HWND control) { return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SelectComboItem(HWND control, int index) { PickComboItem(control, index, Pick::Arrows); }

namespace {

int CurSel(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }
bool Dropped(HWND combo) { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }

// The arrow keys walk the list, one item a press, until `index` is chosen.
void WalkTo(HWND root, HWND combo, int index) {
    for (int step = 0; step < 64 && CurSel(combo) != index; ++step) {
        const int now = CurSel(combo);
        PressKey(root, now < index ? VK_DOWN : VK_UP);
        Require([&] { return CurSel(combo) != now; }, "the list's choice to move");
    }
}

// The visible list window of a dropped combo box, found among the
// top-level windows of its thread.
HWND DroppedList(HWND combo) {
    struct Find {
        DWORD thread;
        HWND found;
    } f{GetWindowThreadProcessId(combo, nullptr), nullptr};
    EnumThreadWindows(
        f.thread,
        [](HWND w, LPARAM p) -> BOOL {
            wchar_t cls[32] = {};
            GetClassNameW(w, cls, 32);
            if (std::wstring(cls) != L"ComboLBox" || !IsWindowVisible(w)) return TRUE;
            reinterpret_cast<Find*>(p)->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.found;
}

// A mouse event at `at`. Each one carries the place with MOUSEEVENTF_MOVE:
// without it, a press lands wherever the pointer is when it is taken, and
// under Wine the X server's own pointer motion can move it there in
// between.
INPUT MouseAt(DWORD flags, POINT at) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
}

}  // namespace

void BringToFront(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(root);
    Require([&] { return GetForegroundWindow() == root; }, "the window to come to the front");
}

namespace {

// Real input is queued apart from posted messages and behind them: a key
// posted next would overtake what is still queued (a key-up of Alt among
// them, which then opens the window's menu), and a check made at once
// could see a state the input has yet to change. So after each piece of
// real input the driver waits until the palette's thread, where every
// window of the program lives, has none of it left in its queue.
void SettleInput() {
    static const UINT message = RegisterWindowMessageW(win32::kStateMessage);
    HWND palette = FindWindowW(win32::kPaletteClass, L"Marquill");
    Require([&] {
        DWORD_PTR queued = 1;
        return SendMessageTimeoutW(palette, message, win32::kStateInput, 0, SMTO_ABORTIFHUNG,
                                   static_cast<UINT>(kTimeout.count()), &queued) != 0 &&
               queued == 0;
    }, "the palette to take its input");
}

// The X window that has the X server's input focus, as xdotool reports
// it (0 if none or unknown). Wine starts a Unix program without a process
// handle, so the shell leaves the answer in a file and renames it when
// complete.
unsigned long XFocus() {
    static unsigned counter = 0;
    const std::string name = "/tmp/mq-xfocus-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(++counter);
    std::wstring command = L"/bin/sh -c \"xdotool getwindowfocus -f >" + win32::Widen(name) +
                           L".part 2>/dev/null; mv " + win32::Widen(name) + L".part " + win32::Widen(name) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        throw std::runtime_error("cannot start xdotool through /bin/sh");
    }
    if (pi.hProcess != nullptr) CloseHandle(pi.hProcess);
    if (pi.hThread != nullptr) CloseHandle(pi.hThread);
    const std::wstring answer = L"Z:" + win32::Widen(name);
    Require([&] { return GetFileAttributesW(answer.c_str()) != INVALID_FILE_ATTRIBUTES; }, "xdotool's answer");
    unsigned long window = 0;
    std::ifstream("Z:" + name) >> window;
    DeleteFileW(answer.c_str());
    return window;
}

// Under Wine, each time a window becomes active the X server moves its
// input focus there, and the process that owns the window then hears of
// the keyboard as the X server has it, with no key down: keys that are
// down for Wine at that moment, such as the Ctrl of a chord sent by
// SendInput, are let go. So before a chord the driver waits until the X
// focus is on the window in front, then until the palette's thread has
// taken the X server's news of it (its input queue, read through the state
// message, is looked at only after its X events are handled).
void SettleXFocus(HWND root) {
    const auto whole = reinterpret_cast<ULONG_PTR>(GetPropW(root, L"__wine_x11_whole_window"));
    if (whole == 0) return;  // not under Wine's X11 driver
    Require([&] { return XFocus() == whole; }, "the X server's input focus on the window in front");
    SettleInput();
}

}  // namespace

void PressChord(HWND window, std::initializer_list<WORD> keys) {
    BringToFront(window);
    SettleXFocus(GetAncestor(window, GA_ROOT));
    std::vector<INPUT> inputs;
    for (WORD vk : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        inputs.push_back(in);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        --it;
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *it;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(*it, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    SettleInput();
    // Keys go to the window in front when they are taken: had another
    // window come to the front meanwhile, they went there instead.
    if (HWND front = GetForegroundWindow(); front != GetAncestor(window, GA_ROOT)) {
        char cls[64] = "none";
        if (front != nullptr) GetClassNameA(front, cls, sizeof cls);
        throw std::runtime_error(std::string("the keys went to another window in front (class ") + cls + ")");
    }
}

void ClickAt(POINT screen) {
    INPUT click[] = {MouseAt(0, screen), MouseAt(MOUSEEVENTF_LEFTDOWN, screen),
                     MouseAt(MOUSEEVENTF_LEFTUP, screen)};
    SendInput(3, click, sizeof(INPUT));
    SettleInput();
}

void ClickListLine(HWND list, int index) {
    RECT line{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&line), 2);
    BringToFront(list);
    // Each click a little to the side of the one before: two clicks in a
    // row on one spot would make a double click.
    static int side = 0;
    side ^= 1;
    ClickAt({line.left + 8 + 12 * side, (line.top + line.bottom) / 2});
}

void FocusOn(HWND control) {
    HWND root = GetAncestor(control, GA_ROOT);
    PostMessageW(root, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    // A drop-down list's edit part takes the focus in its stead.
    Require([&] {
        HWND f = FocusedControl(root);
        return f == control || (f != nullptr && GetParent(f) == control);
    }, "the focus to move to the control");
}

void PickComboItem(HWND combo, int index, Pick how) {
    HWND root = GetAncestor(combo, GA_ROOT);
    FocusOn(combo);
    switch (how) {
    case Pick::Arrows:
        WalkTo(root, combo, index);
        break;
    case Pick::AltDownEnter:
        PressChord(combo, {VK_MENU, VK_DOWN});
        Require([&] { return Dropped(combo); }, "the list to drop");
        WalkTo(root, combo, index);
        PressKey(root, VK_RETURN);
        Require([&] { return !Dropped(combo); }, "the list to close");
        break;
    case Pick::TypedPrefix: {
        // The list open, the item's text but its last letter typed (the
        // list follows it to the item), then Enter.
        wchar_t item[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
        std::wstring prefix(item);
        if (prefix.size() > 1) prefix.pop_back();
        PressChord(combo, {VK_MENU, VK_DOWN});
        Require([&] { return Dropped(combo); }, "the list to drop");
        HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
        if (edit != nullptr) {
            SendMessageW(edit, EM_SETSEL, 0, -1);
            TypeChars(edit, prefix);
        } else {
            TypeChars(combo, prefix);
        }
        PressKey(root, VK_RETURN);
        Require([&] { return !Dropped(combo); }, "the list to close");
        break;
    }
    case Pick::Mouse: {
        // A click on the arrow drops the list, a click on the item picks it.
        RECT box;
        GetWindowRect(combo, &box);
        BringToFront(combo);
        ClickAt({box.right - 6, (box.top + box.bottom) / 2});
        Require([&] { return Dropped(combo); }, "the list to drop");
        // The dropped list is a window of its own, below the box or, with
        // no room there, above it.
        HWND list = nullptr;
        Require([&] { return (list = DroppedList(combo)) != nullptr; }, "the dropped list's window");
        RECT area{};
        GetWindowRect(list, &area);
        const int height = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
        const int top = static_cast<int>(SendMessageW(combo, CB_GETTOPINDEX, 0, 0));
        ClickAt({area.left + 12, area.top + 2 + (index - top) * height + height / 2});
        Require([&] { return !Dropped(combo); }, "the list to close");
        break;
    }
    }
}

std::wstring Text(HWND control) {
    int n = static_cast<int>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    SendMessageW(control, WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(n));
    return text;
}

std::vector<std::wstring> ListLines(HWND control) {
    wchar_t cls[32] = {};
    GetClassNameW(control, cls, 32);
    const bool combo = std::wstring(cls) == L"ComboBox";
    const auto count = SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    std::vector<std::wstring> lines;
    for (WPARAM i = 0; static_cast<LRESULT>(i) < count; ++i) {
        const auto n = static_cast<std::size_t>(SendMessageW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0));
        std::wstring line(n + 1, L'\0');
        SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        line.resize(n);
        lines.push_back(line);
    }
    return lines;
}

void PasteText(HWND control, const std::wstring& text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TypeChars(HWND control, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(control, WM_CHAR, c, 1);
}

HWND FocusedControl(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void PressKey(HWND window, UINT vk) {
    HWND target = nullptr;
    Require([&] { return (target = FocusedControl(window)) != nullptr; }, "a control with the focus");
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageW(target, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

HWND FindMessageBox(DWORD pid) { return FindTopLevelOf(pid, L"#32770", L"Marquill"); }

std::wstring MessageBoxText(HWND box) {
    // The text is the static control with ID 0xFFFF.
    return Text(GetDlgItem(box, 0xFFFF));
}

std::string ReadAll(const std::wstring& path) {
    std::string bytes;
    return test::ReadBytes(path, bytes) ? bytes : "(none)";
}

std::wstring Setting(Session& s, const wchar_t* key) {
    wchar_t buffer[512] = {};
    GetPrivateProfileStringW(L"Marquill", key, L"(none)", buffer, 512, (s.Folder() + L"\\MARQ.ini").c_str());
    return buffer;
}

std::string ToCp932(const std::string& utf8) {
    std::wstring wide = win32::Widen(utf8);
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string FromCp932(const std::string& cp932) {
    if (cp932.empty()) return {};
    int n = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), wide.data(), n);
    return win32::Narrow(wide);
}

}  // namespace mq::e2e
