#include "palette/frmVersion.h"

#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "palette/HelpAndVersion.h"
#include "palette/ToolbarIcons.h"
#include "palette/VersionRes.h"
#include "platform/win32/Placement.h"
#include "platform/win32/SystemDll.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Shell.h"

namespace mq::win32 {
namespace {

constexpr const wchar_t* kLabelFace = L"ＭＳ Ｐゴシック";
constexpr COLORREF kLinkColour = RGB(0, 0, 255);

UINT WindowDpi(HWND hwnd) {
    using Fn = UINT(WINAPI*)(HWND);
    static const auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = fn != nullptr ? fn(hwnd) : 0;
    return dpi != 0 ? dpi : 96;
}

// `hundredths` of a point, e.g. 1575 for 15.75 pt.
HFONT LabelFont(UINT dpi, int hundredths, bool bold, bool italic, bool underline) {
    return CreateFontW(-MulDiv(hundredths, static_cast<int>(dpi), 7200), 0, 0, 0,
                       bold ? FW_BOLD : FW_NORMAL, italic, underline, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, kLabelFace);
}

// The program's own file version from its VERSIONINFO resource.
VersionNumbers OwnVersion() {
    wchar_t path[MAX_PATH * 4] = {};
    if (GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path))) == 0) return {};
    DWORD ignored = 0;
    static const auto infoSize =
        SystemFunction<DWORD(WINAPI*)(LPCWSTR, LPDWORD)>(L"version.dll", "GetFileVersionInfoSizeW");
    static const auto info = SystemFunction<BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID)>(
        L"version.dll", "GetFileVersionInfoW");
    static const auto query = SystemFunction<BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT)>(
        L"version.dll", "VerQueryValueW");
    if (infoSize == nullptr || info == nullptr || query == nullptr) return {};
    const DWORD size = infoSize(path, &ignored);
    if (size == 0) return {};
    std::vector<unsigned char> data(size);
    if (!info(path, 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!query(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        fixed == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
        return {};
    }
    return FromFileVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}

// The box's picture: an "M" on a blue badge, 16 x 16 pixel art drawn at
// `size` pixels.
HICON CreateBadgeIcon(int size) {
    static constexpr std::array<const char*, 16> kArt{{
        "................",
        "..bbbbbbbbbbbb..",
        ".bbbbbbbbbbbbbb.",
        ".bbbbbbbbbbbbbb.",
        ".bbwwbbbbbbwwbb.",
        ".bbwwwbbbbwwwbb.",
        ".bbwwwwbbwwwwbb.",
        ".bbwwbwwwwbwwbb.",
        ".bbwwbbwwbbwwbb.",
        ".bbwwbbbbbbwwbb.",
        ".bbwwbbbbbbwwbb.",
        ".bbwwbbbbbbwwbb.",
        ".bbbbbbbbbbbbbb.",
        ".bbbbbbbbbbbbbb.",
        "..bbbbbbbbbbbb..",
        "................",
    }};
    // Transparent outside the badge.
    const auto pixel = [](char c) -> DWORD {
        if (c == 'b') return 0xFF1F4FA8;
        if (c == 'w') return 0xFFFFFFFF;
        return 0;
    };
    HBITMAP colour = PixelArtBitmap(kArt.data(), size, pixel);
    if (colour == nullptr) return nullptr;
    std::vector<unsigned char> maskBits(static_cast<std::size_t>((size + 15) / 16 * 2 * size), 0);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, maskBits.data());
    ICONINFO ii{};
    ii.fIcon = TRUE;
    ii.hbmColor = colour;
    ii.hbmMask = mask;
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(colour);
    DeleteObject(mask);
    return icon;
}

std::wstring ControlText(HWND control) {
    const int n = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(control, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

}  // namespace

frmVersion::frmVersion() : shell_(std::make_unique<Win32Shell>()) {}

frmVersion::~frmVersion() {
    for (HFONT f : {nameFont_, versionFont_, linkFont_, textFont_}) {
        if (f != nullptr) DeleteObject(f);
    }
    if (icon_ != nullptr) DestroyIcon(icon_);
}

void frmVersion::ShowModal(HINSTANCE instance, HWND anchor) {
    anchor_ = anchor;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_FRMVERSION), nullptr, DialogProc,
                    reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
}

void frmVersion::SetFonts() {
    const UINT dpi = WindowDpi(hwnd_);
    nameFont_ = LabelFont(dpi, 1575, true, true, false);
    versionFont_ = LabelFont(dpi, 900, false, true, false);
    linkFont_ = LabelFont(dpi, 900, false, false, true);
    textFont_ = LabelFont(dpi, 900, false, false, false);
    SendDlgItemMessageW(hwnd_, IDC_LABEL1, WM_SETFONT, reinterpret_cast<WPARAM>(nameFont_), FALSE);
    SendDlgItemMessageW(hwnd_, IDC_LABEL2, WM_SETFONT, reinterpret_cast<WPARAM>(versionFont_), FALSE);
    SendDlgItemMessageW(hwnd_, IDC_LABEL3, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_), FALSE);
    SendDlgItemMessageW(hwnd_, IDC_LABEL4, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_), FALSE);

    icon_ = CreateBadgeIcon(MulDiv(32, static_cast<int>(dpi), 96));
    SendDlgItemMessageW(hwnd_, IDC_IMAGE1, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
}

void frmVersion::PlaceNear() { PlaceDialogNear(hwnd_, anchor_); }

void frmVersion::Form_Load() {
    SetDlgItemTextW(hwnd_, IDC_LABEL1, Widen(kProductName).c_str());
    SetDlgItemTextW(hwnd_, IDC_LABEL2, Widen(VersionText(OwnVersion())).c_str());
    SetDlgItemTextW(hwnd_, IDC_LABEL3, Widen(kProjectPage).c_str());
    SetDlgItemTextW(hwnd_, IDC_LABEL4, Widen(kVersionNotice).c_str());
}

void frmVersion::Label3_Click() {
    // The box stays open; a failure to open the page is not reported.
    shell_->Open(reinterpret_cast<WindowHandle>(hwnd_),
                 Narrow(ControlText(GetDlgItem(hwnd_, IDC_LABEL3))));
}

void frmVersion::Command1_Click() { EndDialog(hwnd_, IDOK); }

INT_PTR frmVersion::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        SetFonts();
        Form_Load();
        PlaceNear();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_COMMAND1:
        case IDOK:      // Enter
        case IDCANCEL:  // Esc: the button is the cancel button as well
            Command1_Click();
            return TRUE;
        case IDC_LABEL3:
            if (HIWORD(wParam) == STN_CLICKED) Label3_Click();
            return TRUE;
        default:
            return FALSE;
        }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == GetDlgItem(hwnd_, IDC_LABEL3)) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(hwnd_, IDC_LABEL3)) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kLinkColour);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        return FALSE;
    case WM_CLOSE:
        Command1_Click();
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK frmVersion::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<frmVersion*>(lParam)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<frmVersion*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr) return FALSE;
    try {
        return self->Handle(msg, wParam, lParam);
    } catch (const std::exception& e) {
        const std::wstring text = L"内部エラーのため、ダイアログを閉じます。\r\n" + Widen(e.what());
        MessageBoxW(hwnd, text.c_str(), L"Marquill", MB_OK | MB_ICONEXCLAMATION);
    } catch (...) {
        MessageBoxW(hwnd, L"内部エラーのため、ダイアログを閉じます。", L"Marquill",
                    MB_OK | MB_ICONEXCLAMATION);
    }
    EndDialog(hwnd, IDCANCEL);
    return TRUE;
}

}  // namespace mq::win32
