#include "palette/frmMain.h"

#include <commctrl.h>

#include <exception>

#include "palette/Dialogs.h"
#include "palette/HelpAndVersion.h"
#include "palette/SettingsImport.h"
#include "palette/ToolbarIcons.h"
#include "platform/win32/CommonControls.h"
#include "platform/win32/Placement.h"
#include "platform/win32/WideText.h"

namespace mq::win32 {
namespace {

constexpr int kClientWidth = 223;  // 9 buttons of 23 and 2 separators of 8
constexpr int kClientHeight = 24;
constexpr int kButtonWidth = 23;
constexpr int kButtonHeight = 22;
constexpr int kSeparatorWidth = 8;
constexpr int kIconSize = 16;

constexpr int ToolbarWidth() {
    int width = 0;
    for (const ToolbarSlot& slot : kToolbarSlots) {
        width += slot.key.empty() ? kSeparatorWidth : kButtonWidth;
    }
    return width;
}
static_assert(ToolbarWidth() == kClientWidth, "the client area is exactly as wide as the toolbar");

int IdOf(Command c) { return kMenuBase + static_cast<int>(c); }

// The menu's shape: its popups and separators. Each item's caption and
// shortcut come from the command table.
enum class Entry { Popup, Item, Separator, End };
struct MenuEntry {
    Entry kind;
    const char* caption;  // a popup's
    Command command;      // an item's
};
constexpr MenuEntry Popup(const char* caption) { return {Entry::Popup, caption, Command::Exit}; }
constexpr MenuEntry Item(Command c) { return {Entry::Item, nullptr, c}; }
constexpr MenuEntry kSeparator{Entry::Separator, nullptr, Command::Exit};
constexpr MenuEntry kEnd{Entry::End, nullptr, Command::Exit};

const MenuEntry kMenu[] = {
    Popup("メイン(&M)"),
    Item(Command::Exit),
    kSeparator,
    Popup("オプション(&O)"),
    Item(Command::Saizenmen),
    kSeparator,
    Item(Command::InportFromHDMLEditor),
    kEnd,
    kSeparator,
    Item(Command::Deck),
    Item(Command::Card),
    Item(Command::Text),
    Item(Command::NaviA),
    Item(Command::NaviAction),
    Item(Command::CE),
    Item(Command::Image),
    Item(Command::Templete),
    kEnd,
    Popup("ヘルプ(&H)"),
    Item(Command::OpenHelp),
    kSeparator,
    Item(Command::Version),
    kEnd,
};

// Every command's shortcut, as the accelerator table wants it.
std::vector<ACCEL> Accelerators() {
    std::vector<ACCEL> table;
    for (const CommandSpec& c : kCommands) {
        if (auto key = ParseShortcut(c.shortcut)) {
            table.push_back({static_cast<BYTE>(FVIRTKEY | (key->ctrl ? FCONTROL : 0)), key->virtualKey,
                             static_cast<WORD>(IdOf(c.command))});
        }
    }
    return table;
}

}  // namespace

frmMain::frmMain(HINSTANCE instance, Palette& palette, HostLink& link, const CommandContext& context,
                 Hooks hooks)
    : instance_(instance), palette_(palette), link_(link), context_(context), hooks_(std::move(hooks)) {}

int frmMain::Scale(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), 96); }

void frmMain::CreateMenuBar() {
    menu_ = CreateMenu();
    std::vector<HMENU> open{menu_};
    for (const MenuEntry& entry : kMenu) {
        HMENU parent = open.back();
        switch (entry.kind) {
        case Entry::Popup: {
            HMENU sub = CreatePopupMenu();
            AppendMenuW(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                        Widen(entry.caption).c_str());
            open.push_back(sub);
            break;
        }
        case Entry::Item: {
            const CommandSpec& c = SpecOf(entry.command);
            std::string caption(c.caption);
            if (!c.shortcut.empty()) caption.append(1, '\t').append(c.shortcut);
            AppendMenuW(parent, MF_STRING, static_cast<UINT_PTR>(IdOf(c.command)), Widen(caption).c_str());
            break;
        }
        case Entry::Separator:
            AppendMenuW(parent, MF_SEPARATOR, 0, nullptr);
            break;
        case Entry::End:
            if (open.size() > 1) open.pop_back();
            break;
        }
    }
    SetMenu(hwnd_, menu_);
    std::vector<ACCEL> keys = Accelerators();
    accel_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

void frmMain::CreateToolbar() {
    toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                   CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                               0, 0, Scale(kClientWidth), Scale(kClientHeight), hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbarId)), instance_,
                               nullptr);
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const int icon = Scale(kIconSize);
    images_ = CreateToolbarIcons(icon);
    SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(icon, icon));

    std::vector<TBBUTTON> buttons;
    tips_.clear();
    for (std::size_t i = 0; i < kToolbarSlots.size(); ++i) {
        const ToolbarSlot& slot = kToolbarSlots[i];
        TBBUTTON b{};
        if (slot.key.empty()) {
            b.iBitmap = Scale(kSeparatorWidth);
            b.fsStyle = BTNS_SEP;
        } else {
            b.iBitmap = ToolbarIconIndex(slot.iconKey);
            b.idCommand = kToolbarBase + static_cast<int>(i);
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(b);
        tips_.push_back(Widen(slot.key));
    }
    SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(Scale(kButtonWidth), Scale(kButtonHeight)));
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    SetWindowPos(toolbar_, nullptr, 0, 0, Scale(kClientWidth), Scale(kClientHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmMain::FitClientArea() {
    // The frame and the menu bar come on top of the client area, whatever
    // their sizes under the current theme and DPI.
    RECT window, client;
    GetWindowRect(hwnd_, &window);
    GetClientRect(hwnd_, &client);
    const int w = Scale(kClientWidth) + (window.right - window.left) - client.right;
    const int h = Scale(kClientHeight) + (window.bottom - window.top) - client.bottom;
    SetWindowPos(hwnd_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A narrow window may wrap the menu bar onto two lines: measure again.
    GetWindowRect(hwnd_, &window);
    GetClientRect(hwnd_, &client);
    if (client.bottom != Scale(kClientHeight)) {
        SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left,
                     window.bottom - window.top + Scale(kClientHeight) - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void frmMain::PlaceNearHost() {
    // Inside the host's top-right corner, below its title and menu, where
    // it covers the least of the text; always fully on the host's screen.
    RECT self;
    GetWindowRect(hwnd_, &self);
    const LONG w = self.right - self.left, h = self.bottom - self.top;
    HWND host = reinterpret_cast<HWND>(link_.HostWindow());
    HMONITOR monitor = MonitorFromWindow(host != nullptr ? host : hwnd_, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    const RECT work = info.rcWork;
    LONG x = work.right - w - Scale(16);
    LONG y = work.top + Scale(64);
    RECT r;
    if (host != nullptr && host != GetDesktopWindow() && IsWindowVisible(host) &&
        GetWindowRect(host, &r)) {
        x = r.right - w - Scale(24);
        y = r.top + Scale(56);
    }
    if (x + w > work.right) x = work.right - w;
    if (y + h > work.bottom) y = work.bottom - h;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmMain::RefreshMenu() {
    CheckMenuItem(menu_, static_cast<UINT>(IdOf(Command::Saizenmen)),
                  MF_BYCOMMAND | (palette_.TopMostChecked() ? MF_CHECKED : MF_UNCHECKED));
}

void frmMain::RunCommand(Command command) {
    struct Running {
        int& count;
        explicit Running(int& c) : count(c) { ++count; }
        ~Running() { --count; }
    } running{commandsRunning_};
    const CommandSpec& row = SpecOf(command);
    if (row.dialog) {
        palette_.RunModal(
            [&] {
                // The dialog has no owner; the palette takes no input meanwhile,
                // and takes it again however the dialog ends.
                EnableWindow(hwnd_, FALSE);
                struct Reenable {
                    HWND hwnd;
                    ~Reenable() { EnableWindow(hwnd, TRUE); }
                } reenable{hwnd_};
                ShowCommandDialog(command, instance_, hwnd_, context_);
            },
            row.inserts);
        // A close request that came while the dialog was open.
        if (palette_.ClosePending() && IsWindow(hwnd_)) Close();
        return;
    }
    const auto window = reinterpret_cast<WindowHandle>(hwnd_);
    const TemplatePorts& ports = context_.templates;
    switch (command) {
    case Command::Exit:
        SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        return;
    case Command::Saizenmen:
        palette_.mnuSaizenmen_Click();
        return;
    case Command::InportFromHDMLEditor:
        mnuInportFromHDMLEditor_Click(
            window, {context_.messages, context_.folders, ports.files, ports.profile, ports.codePage});
        return;
    case Command::OpenHelp:
        mnuOpenHelp_Click(window, ports.files, context_.shell, context_.messages);
        return;
    default:  // the dialogs, above
        return;
    }
}

void frmMain::Toolbar1_ButtonClick(int slot) {
    if (slot < 0 || slot >= static_cast<int>(kToolbarSlots.size())) return;
    const std::string_view key = kToolbarSlots[static_cast<std::size_t>(slot)].key;
    if (key.empty()) return;
    // The toolbar's dispatch swallows its own failures: a failing command
    // from the toolbar ends silently.
    try {
        if (auto command = ToolbarCommandForKey(key)) RunCommand(*command);
    } catch (...) {
    }
}

void frmMain::Form_Unload() {
    if (hooks_.saveTopMost) hooks_.saveTopMost(palette_);
}

void frmMain::Close() {
    Form_Unload();
    DestroyWindow(hwnd_);
}

LRESULT frmMain::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == stateMessage_ && stateMessage_ != 0) {
        if (wParam == kStateProbe) {
            lastProbe_ = lParam;
            return 0;
        }
        if (wParam == kStateNoted) return lastProbe_;
        if (wParam == kStateCommands) return commandsRunning_;
        if (wParam == kStateInput) return HIWORD(GetQueueStatus(QS_INPUT));
        LRESULT state = 0;
        if (GetMenuState(menu_, static_cast<UINT>(IdOf(Command::Saizenmen)), MF_BYCOMMAND) & MF_CHECKED) {
            state |= kStateChecked;
        }
        if (GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) state |= kStateTopmost;
        return state;
    }
    switch (msg) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id >= kToolbarBase && id < kToolbarBase + static_cast<int>(kToolbarSlots.size())) {
            Toolbar1_ButtonClick(id - kToolbarBase);
        } else if (id >= kMenuBase && id < kMenuBase + static_cast<int>(kCommands.size())) {
            RunCommand(static_cast<Command>(id - kMenuBase));
        }
        return 0;
    }
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            const auto slot = static_cast<std::size_t>(static_cast<int>(hdr->idFrom) - kToolbarBase);
            if (slot < tips_.size()) info->lpszText = tips_[slot].data();
            return 0;
        }
        break;
    }
    case WM_DPICHANGED: {
        // Moved to a monitor of another scale: redraw the toolbar at the new
        // size and keep the client area exactly as large as the toolbar.
        dpi_ = HIWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        HIMAGELIST old = images_;
        DestroyWindow(toolbar_);
        CreateToolbar();
        DestroyImageList(old);
        FitClientArea();
        return 0;
    }
    case WM_CLOSE:
        // Posted by another program or the taskbar while a dialog has the
        // palette disabled: the dialog is left to finish, then the palette
        // closes (RunCommand).
        if (palette_.RequestClose()) Close();
        return 0;
    case WM_SYSCOMMAND:
        // The system ignores SC_CLOSE for a disabled window; the palette is
        // disabled only while its dialog is open, and the taskbar's close
        // then counts as a close request like any other.
        if ((wParam & 0xFFF0) == SC_CLOSE && palette_.DialogOpen()) {
            palette_.RequestClose();
            return 0;
        }
        break;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam != FALSE && !palette_.SessionEnded()) {
            // Whatever is open, nothing more reaches the host; the user's
            // state is saved, and the program ends before the system ends it.
            palette_.EndSession();
            Form_Unload();
            DestroyWindow(hwnd_);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK frmMain::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        static_cast<frmMain*>(cs->lpCreateParams)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<frmMain*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        return self->Handle(msg, wParam, lParam);
    } catch (const std::exception& e) {
        std::wstring text = L"内部エラーが発生しました。\r\n" + Widen(e.what());
        MessageBoxW(hwnd, text.c_str(), L"Marquill", MB_OK | MB_ICONEXCLAMATION);
    } catch (...) {
        MessageBoxW(hwnd, L"内部エラーが発生しました。", L"Marquill", MB_OK | MB_ICONEXCLAMATION);
    }
    return 0;
}

int frmMain::Run() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadProgramIcon(instance_, GetSystemMetrics(SM_CXICON));
    wc.hIconSm = LoadProgramIcon(instance_, GetSystemMetrics(SM_CXSMICON));
    wc.lpszClassName = kPaletteClass;
    RegisterClassExW(&wc);
    stateMessage_ = RegisterWindowMessageW(kStateMessage);

    // Fixed single frame, minimise box, no maximise box; hidden until the
    // start-up toggle shows it.
    hwnd_ = CreateWindowExW(0, kPaletteClass, L"Marquill",
                            WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                            CW_USEDEFAULT, CW_USEDEFAULT, 300, 100, nullptr, nullptr, instance_,
                            this);
    if (hwnd_ == nullptr) return 1;
    dpi_ = WindowDpi(hwnd_);
    CreateMenuBar();
    CreateToolbar();
    FitClientArea();
    palette_.SetWindow(reinterpret_cast<WindowHandle>(hwnd_));
    palette_.CheckChanged = [this] { RefreshMenu(); };
    link_.SetOwner(reinterpret_cast<WindowHandle>(hwnd_));
    palette_.Form_Load(hooks_.savedTopMost, [this] { PlaceNearHost(); });

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (hwnd_ != nullptr && IsWindow(hwnd_) && TranslateAcceleratorW(hwnd_, accel_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (accel_ != nullptr) DestroyAcceleratorTable(accel_);
    DestroyImageList(images_);
    return static_cast<int>(msg.wParam);
}

}  // namespace mq::win32
