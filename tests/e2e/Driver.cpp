#include "e2e/Driver.h"

#include <fstream>
#include <map>
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

// The first window `enumerate` (EnumWindows and its kin, given the
// callback and its argument) comes to for which `match` holds.
template <class Enumerate>
HWND First(Enumerate enumerate, const std::function<bool(HWND)>& match) {
    struct Search {
        const std::function<bool(HWND)>& match;
        HWND found;
    } search{match, nullptr};
    enumerate(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            if (!s->match(hwnd)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A shown top-level window of process `pid` with this class and caption.
HWND FindTopLevelOf(DWORD pid, const wchar_t* className, const std::wstring& caption) {
    return FindTopLevel([&](HWND w) {
        return ProcessOf(w) == pid && IsWindowVisible(w) && ClassName(w) == className && Caption(w) == caption;
    });
}

// Sends the palette its state message with `what`; false when it does not
// answer in time.
bool AskPalette(HWND palette, WPARAM what, DWORD_PTR& answer, UINT ms = static_cast<UINT>(kTimeout.count())) {
    static const UINT message = RegisterWindowMessageW(win32::kStateMessage);
    return SendMessageTimeoutW(palette, message, what, 0, SMTO_ABORTIFHUNG, ms, &answer) != 0;
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
    using mq::Command;
    static const std::map<Command, std::wstring> captions{
        {Command::Deck, L"デッキの設定 - <HDML>"}, {Command::Card, L"カードの設定"},
        {Command::Text, L"テキスト整形"}, {Command::NaviA, L"ナビゲーション - <A>"},
        {Command::NaviAction, L"ナビゲーション - <ACTION>"}, {Command::CE, L"選択肢の設定"},
        {Command::Image, L"画像 - <IMG>"}, {Command::Templete, L"テンプレート"},
        {Command::Version, L"Marquill バージョン情報"}, {Command::InportFromHDMLEditor, L"設定インポート"}};
    const auto found = captions.find(command);
    if (found == captions.end()) throw std::logic_error("this command opens no dialog");
    return found->second;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring Caption(HWND window) {
    wchar_t caption[512] = {};
    GetWindowTextW(window, caption, 512);
    return caption;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

HWND FindTopLevel(const std::function<bool(HWND)>& match) {
    return First([](WNDENUMPROC visit, LPARAM arg) { EnumWindows(visit, arg); }, match);
}

HWND FindChild(HWND parent, const std::function<bool(HWND)>& match) {
    return First([&](WNDENUMPROC visit, LPARAM arg) { EnumChildWindows(parent, visit, arg); }, match);
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
    if (palette_ != nullptr && paletteProcess_ == nullptr) Watch(ProcessOf(palette_));
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
        if (palettePid_ != 0 && paletteProcess_ == nullptr) Watch(palettePid_);
    }
    return palettePid_;
}

void Session::Watch(DWORD pid) {
    palettePid_ = pid;
    paletteProcess_ = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, pid);
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
    DWORD_PTR result = 0;
    AskPalette(Palette(), 0, result, 5000);
    return static_cast<LRESULT>(result);
}

HWND Session::FindDialog(const std::wstring& caption) {
    return FindTopLevelOf(PaletteProcessId(), L"#32770", caption);
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
        return AskPalette(palette_, what, answer) ? static_cast<LPARAM>(answer) : LPARAM{-1};
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

HWND DeepItem(HWND dialog, int id) {
    if (HWND direct = GetDlgItem(dialog, id)) return direct;
    return FindChild(dialog, [&](HWND w) { return GetDlgCtrlID(w) == id; });
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
    const DWORD thread = GetWindowThreadProcessId(combo, nullptr);
    return First([&](WNDENUMPROC visit, LPARAM arg) { EnumThreadWindows(thread, visit, arg); },
                 [](HWND w) { return ClassName(w) == L"ComboLBox" && IsWindowVisible(w); });
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
    HWND palette = FindWindowW(win32::kPaletteClass, L"Marquill");
    Require([&] {
        DWORD_PTR queued = 1;
        return AskPalette(palette, win32::kStateInput, queued) && queued == 0;
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
    const auto key = [&](WORD vk, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = flags;
        inputs.push_back(in);
    };
    for (WORD vk : keys) key(vk, 0);
    for (auto it = keys.end(); it != keys.begin();) key(*--it, KEYEVENTF_KEYUP);  // let go in reverse
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    SettleInput();
    // Keys go to the window in front when they are taken: had another
    // window come to the front meanwhile, they went there instead.
    if (HWND front = GetForegroundWindow(); front != GetAncestor(window, GA_ROOT)) {
        const std::string cls = front != nullptr ? win32::Narrow(ClassName(front)) : "none";
        throw std::runtime_error("the keys went to another window in front (class " + cls + ")");
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
    const bool combo = ClassName(control) == L"ComboBox";
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
    PostKey(target, vk);
}

void PostKey(HWND target, UINT vk) {
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

std::wstring Setting(Session& s, const wchar_t* key, const wchar_t* section) {
    wchar_t buffer[512] = {};
    GetPrivateProfileStringW(section, key, L"(none)", buffer, 512, (s.Folder() + L"\\MARQ.ini").c_str());
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
