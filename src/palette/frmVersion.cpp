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

namespace mq::win32 {
namespace {

constexpr const wchar_t* kLabelFace = L"ＭＳ Ｐゴシック";
constexpr COLORREF kLinkColour = RGB(0, 0, 255);

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

}  // namespace

frmVersion::frmVersion(ShellPort& shell) : DialogBase(IDD_FRMVERSION), shell_(shell) {}

frmVersion::~frmVersion() {
    for (HFONT f : {nameFont_, versionFont_, linkFont_, textFont_}) {
        if (f != nullptr) DeleteObject(f);
    }
    if (icon_ != nullptr) DestroyIcon(icon_);
}

void frmVersion::SetFonts() {
    HWND self = Window();
    const UINT dpi = Dpi();
    nameFont_ = LabelFont(dpi, 1575, true, true, false);
    versionFont_ = LabelFont(dpi, 900, false, true, false);
    linkFont_ = LabelFont(dpi, 900, false, false, true);
    textFont_ = LabelFont(dpi, 900, false, false, false);
    SendDlgItemMessageW(self, IDC_LABEL1, WM_SETFONT, reinterpret_cast<WPARAM>(nameFont_), FALSE);
    SendDlgItemMessageW(self, IDC_LABEL2, WM_SETFONT, reinterpret_cast<WPARAM>(versionFont_), FALSE);
    SendDlgItemMessageW(self, IDC_LABEL3, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_), FALSE);
    SendDlgItemMessageW(self, IDC_LABEL4, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_), FALSE);

    // The program's own icon, at the box's scale.
    icon_ = LoadProgramIcon(GetModuleHandleW(nullptr), MulDiv(32, static_cast<int>(dpi), 96));
    SendDlgItemMessageW(self, IDC_IMAGE1, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
}

void frmVersion::OnInit() {
    SetFonts();
    Form_Load();
}

void frmVersion::Form_Load() {
    HWND self = Window();
    SetDlgItemTextW(self, IDC_LABEL1, Widen(kProductName).c_str());
    SetDlgItemTextW(self, IDC_LABEL2, Widen(VersionText(OwnVersion())).c_str());
    SetDlgItemTextW(self, IDC_LABEL3, Widen(kProjectPage).c_str());
    SetDlgItemTextW(self, IDC_LABEL4, Widen(kVersionNotice).c_str());
}

void frmVersion::Label3_Click() {
    // The box stays open; a failure to open the page is not reported.
    shell_.Open(reinterpret_cast<WindowHandle>(Window()),
                 Narrow(WindowText(GetDlgItem(Window(), IDC_LABEL3))));
}

void frmVersion::Command1_Click() { End(); }

void frmVersion::OnCommand(HWND parent, int id, int code) {
    if (parent != Window()) return;
    switch (id) {
    case IDC_COMMAND1:
    case IDOK:      // Enter
    case IDCANCEL:  // Esc: the button is the cancel button as well
        Command1_Click();
        break;
    case IDC_LABEL3:
        if (code == STN_CLICKED) Label3_Click();
        break;
    default:
        break;
    }
}

void frmVersion::OnClose() { Command1_Click(); }

// Nothing to hand back: the box only shows.
void frmVersion::OnAbandon() {}

bool frmVersion::OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    HWND link = GetDlgItem(Window(), IDC_LABEL3);
    if (window != Window()) return false;
    if (msg == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == link) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
        result = TRUE;
        return true;
    }
    if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == link) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kLinkColour);
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    return false;
}

}  // namespace mq::win32
