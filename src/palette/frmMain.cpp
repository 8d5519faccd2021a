#include "palette/frmMain.h"

#include <commctrl.h>

#include <exception>

#include "palette/Dialogs.h"
#include "palette/ToolbarIcons.h"
#include "platform/win32/WideText.h"

namespace mq::win32 {
namespace {

constexpr int kClientWidth = 223;  // 9 buttons of 23 and 2 separators of 8
constexpr int kClientHeight = 24;
constexpr int kButtonWidth = 23;
constexpr int kButtonHeight = 22;
constexpr int kSeparatorWidth = 8;
constexpr int kIconSize = 16;

int IdOf(Command c) { return kMenuBase + static_cast<int>(c); }

struct MenuItem {
    int depth;  // 0: menu bar, 1: its submenu, 2: a submenu of that
    const char* caption;  // nullptr: separator
    const char* shortcut;
    Command command;
    bool popup;
};

const MenuItem kMenu[] = {
    {0, "メイン(&M)", nullptr, Command::Exit, true},
    {1, "終了(&X)", "Ctrl+X", Command::Exit, false},
    {1, nullptr, nullptr, Command::Exit, false},
    {1, "オプション(&O)", nullptr, Command::Exit, true},
    {2, "常に最前面に表示(&M)", nullptr, Command::Saizenmen, false},
    {2, nullptr, nullptr, Command::Exit, false},
    {2, "設定インポート(&I)", nullptr, Command::InportFromHDMLEditor, false},
    {1, nullptr, nullptr, Command::Exit, false},
    {1, "デッキ(&D)", "Ctrl+D", Command::Deck, false},
    {1, "カード(&C)", "Ctrl+C", Command::Card, false},
    {1, "テキスト(&T)", "Ctrl+T", Command::Text, false},
    {1, "ナビゲーション - A(&A)", "Ctrl+A", Command::NaviA, false},
    {1, "ナビゲーション - ACTION(&N)", "Ctrl+N", Command::NaviAction, false},
    {1, "選択肢(&E)", "Ctrl+E", Command::CE, false},
    {1, "画像(&I)", "Ctrl+I", Command::Image, false},
    {1, "テンプレート(&T)", "Ctrl+M", Command::Templete, false},
    {0, "ヘルプ(&H)", nullptr, Command::OpenHelp, true},
    {1, "開く(&O)", "F1", Command::OpenHelp, false},
    {1, nullptr, nullptr, Command::Exit, false},
    {1, "バージョン情報(&V)", nullptr, Command::Version, false},
};

const ACCEL kAccelerators[] = {
    {FCONTROL | FVIRTKEY, 'X', static_cast<WORD>(kMenuBase + static_cast<int>(Command::Exit))},
    {FCONTROL | FVIRTKEY, 'D', static_cast<WORD>(kMenuBase + static_cast<int>(Command::Deck))},
    {FCONTROL | FVIRTKEY, 'C', static_cast<WORD>(kMenuBase + static_cast<int>(Command::Card))},
    {FCONTROL | FVIRTKEY, 'T', static_cast<WORD>(kMenuBase + static_cast<int>(Command::Text))},
    {FCONTROL | FVIRTKEY, 'A', static_cast<WORD>(kMenuBase + static_cast<int>(Command::NaviA))},
    {FCONTROL | FVIRTKEY, 'N', static_cast<WORD>(kMenuBase + static_cast<int>(Command::NaviAction))},
    {FCONTROL | FVIRTKEY, 'E', static_cast<WORD>(kMenuBase + static_cast<int>(Command::CE))},
    {FCONTROL | FVIRTKEY, 'I', static_cast<WORD>(kMenuBase + static_cast<int>(Command::Image))},
    {FCONTROL | FVIRTKEY, 'M', static_cast<WORD>(kMenuBase + static_cast<int>(Command::Templete))},
    {FVIRTKEY, VK_F1, static_cast<WORD>(kMenuBase + static_cast<int>(Command::OpenHelp))},
};

UINT WindowDpi(HWND hwnd) {
    using Fn = UINT(WINAPI*)(HWND);
    static const auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    UINT dpi = fn != nullptr ? fn(hwnd) : 0;
    return dpi != 0 ? dpi : 96;
}

}  // namespace

frmMain::frmMain(HINSTANCE instance, Palette& palette, HostLink& link, Hooks hooks)
    : instance_(instance), palette_(palette), link_(link), hooks_(std::move(hooks)) {}

int frmMain::Scale(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), 96); }

void frmMain::CreateMenuBar() {
    menu_ = CreateMenu();
    HMENU parents[3] = {menu_, nullptr, nullptr};
    for (const MenuItem& item : kMenu) {
        HMENU parent = parents[item.depth];
        if (item.caption == nullptr) {
            AppendMenuW(parent, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string caption = item.caption;
        if (item.shortcut != nullptr) caption += std::string("\t") + item.shortcut;
        if (item.popup) {
            HMENU sub = CreatePopupMenu();
            AppendMenuW(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                        Widen(caption).c_str());
            parents[item.depth + 1] = sub;
        } else {
            AppendMenuW(parent, MF_STRING, static_cast<UINT_PTR>(IdOf(item.command)),
                        Widen(caption).c_str());
        }
    }
    SetMenu(hwnd_, menu_);
    accel_ = CreateAcceleratorTableW(const_cast<ACCEL*>(kAccelerators),
                                     static_cast<int>(sizeof kAccelerators / sizeof kAccelerators[0]));
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
        if (slot.key == nullptr) {
            b.iBitmap = Scale(kSeparatorWidth);
            b.fsStyle = BTNS_SEP;
        } else {
            b.iBitmap = ToolbarIconIndex(slot.iconKey);
            b.idCommand = kToolbarBase + static_cast<int>(i);
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(b);
        tips_.push_back(slot.key != nullptr ? Widen(slot.key) : std::wstring());
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
    if (command == Command::Exit) {
        SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        return;
    }
    if (command == Command::Saizenmen) {
        palette_.mnuSaizenmen_Click();
        return;
    }
    if (hooks_.extraCommand && hooks_.extraCommand(command, hwnd_)) return;
    // A command whose dialog is not there yet does nothing at all: no
    // trip out of the topmost band, and no insertion of an earlier result.
    if (!HasCommandDialog(command)) return;
    palette_.RunModal(
        [&] {
            // The dialog has no owner; the palette takes no input meanwhile.
            EnableWindow(hwnd_, FALSE);
            ShowCommandDialog(command, instance_, hwnd_);
            EnableWindow(hwnd_, TRUE);
        },
        IsTagCommand(command));
}

void frmMain::Toolbar1_ButtonClick(int slot) {
    if (slot < 0 || slot >= static_cast<int>(kToolbarSlots.size())) return;
    const char* key = kToolbarSlots[static_cast<std::size_t>(slot)].key;
    if (key == nullptr) return;
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

LRESULT frmMain::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == stateMessage_ && stateMessage_ != 0) {
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
        } else if (id >= kMenuBase && id <= kMenuBase + static_cast<int>(Command::Version)) {
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
        if (old != nullptr) ImageList_Destroy(old);
        FitClientArea();
        return 0;
    }
    case WM_CLOSE:
        Form_Unload();
        DestroyWindow(hwnd_);
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
    palette_.Form_Load(hooks_.loadTopMost, [this] { PlaceNearHost(); });

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (hwnd_ != nullptr && IsWindow(hwnd_) && TranslateAcceleratorW(hwnd_, accel_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (accel_ != nullptr) DestroyAcceleratorTable(accel_);
    if (images_ != nullptr) ImageList_Destroy(images_);
    return static_cast<int>(msg.wParam);
}

}  // namespace mq::win32
