// Opens every dialog of the program in turn, with the program's own views
// and resources, and writes down each control that breaks the layout rules:
// outside its parent's margins (a group box's inner margins for the
// controls it frames), over a sibling, too narrow or too low for its
// caption in its own font, or of another size than its kind's. The font replacement in force is read once, at
// the process's start, so the layout test starts this program once per face.
//
// Usage: layout_probe <output file>. The file, UTF-8, one line each:
//   face <the face the dialogs' font resolved to, by its own name>
//   opened <dialog caption>
//   <dialog caption> | <control> | <what is wrong>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "dialogs/Metrics.h"
#include "palette/Dialogs.h"
#include "platform/win32/CommonControls.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Collation.h"
#include "platform/win32/Win32FileChooser.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Ui.h"
#include "support/AppFolderFiles.h"

namespace {

using mq::Command;

// Every dialog the palette opens.
constexpr Command kDialogs[] = {Command::Text, Command::Image,      Command::Deck,
                                Command::Card, Command::NaviA,      Command::NaviAction,
                                Command::CE,   Command::Templete,   Command::Version};

std::vector<std::string> g_lines;

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}
std::wstring TextOf(HWND w) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
    return text;
}
bool Is(HWND w, const wchar_t* cls) { return lstrcmpiW(ClassOf(w).c_str(), cls) == 0; }
LONG_PTR Style(HWND w) { return GetWindowLongPtrW(w, GWL_STYLE); }
bool IsGroupBox(HWND w) { return Is(w, WC_BUTTONW) && (Style(w) & BS_TYPEMASK) == BS_GROUPBOX; }
bool IsCheck(HWND w) {
    const auto type = Style(w) & BS_TYPEMASK;
    return Is(w, WC_BUTTONW) && (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX ||
                                 type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
                                 type == BS_3STATE || type == BS_AUTO3STATE);
}

RECT Screen(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r;
}
RECT ClientScreen(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
// A tab page: a child dialog at the top left of the tab control's display area.
bool IsPage(HWND w, const RECT& pageArea) {
    const RECT r = Screen(w);
    return Is(w, L"#32770") && r.left == pageArea.left && r.top == pageArea.top;
}
// `r` shrunk by the given dialog units of `dialog`.
RECT Inset(RECT r, HWND dialog, int left, int top, int right, int bottom) {
    RECT d{left, top, right, bottom};
    MapDialogRect(dialog, &d);
    return {r.left + d.left, r.top + d.top, r.right - d.right, r.bottom - d.bottom};
}
// A control's position and its size are turned into pixels one by one, so
// its right and bottom edges may land a pixel beyond where the dialog units
// put them; its left and top edges land exactly.
constexpr int kRounding = 1;
bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.right <= outer.right + kRounding && inner.bottom <= outer.bottom + kRounding;
}
std::string Describe(const RECT& r, const RECT& origin) {
    char text[80];
    std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld) px", r.left - origin.left, r.top - origin.top,
                  r.right - origin.left, r.bottom - origin.top);
    return text;
}

// A caption as shown: "&x" underlines x, "&&" is one "&".
std::wstring Shown(HWND w, const std::wstring& caption) {
    if (Is(w, WC_STATICW) && (Style(w) & SS_NOPREFIX)) return caption;
    std::wstring out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

struct Measured {
    int width = 0;   // the widest line
    int height = 0;  // one line
};
Measured Measure(HWND w, const std::wstring& text) {
    HDC dc = GetDC(w);
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    Measured m;
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    m.height = tm.tmHeight;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        SIZE size{};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
        m.width = std::max(m.width, static_cast<int>(size.cx));
        start = end + 1;
    }
    SelectObject(dc, old);
    ReleaseDC(w, dc);
    return m;
}

// The room a control's own drawing takes beside its caption, in pixels.
int CaptionChrome(HWND w, HWND dialog) {
    RECT d{4, 0, 0, 0};
    MapDialogRect(dialog, &d);  // d.left: 4 dialog units
    if (IsCheck(w)) return GetSystemMetrics(SM_CXMENUCHECK) + d.left / 2;  // the square and its gap
    if (IsGroupBox(w)) return 2 * d.left;                                 // the frame's corner on each side
    if (Is(w, WC_BUTTONW)) return 2 * (GetSystemMetrics(SM_CXEDGE) + 2);   // edges and focus rectangle
    return 0;
}

class Inspector {
public:
    explicit Inspector(HWND dialog) : dialog_(dialog), caption_(mq::win32::Narrow(TextOf(dialog))) {}

    void Run() {
        g_lines.push_back("opened " + caption_);
        EnumChildWindows(dialog_, Collect, reinterpret_cast<LPARAM>(this));
        const RECT client = ClientScreen(dialog_);
        // The tab control's display area: where its pages and the sections
        // shown with them stand.
        RECT pageArea = client;
        HWND visiblePage = nullptr;
        for (HWND w : all_) {
            if (Is(w, WC_TABCONTROLW)) {
                pageArea = ClientScreen(w);
                MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&pageArea), 2);
                SendMessageW(w, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pageArea));
                MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&pageArea), 2);
            }
        }
        for (HWND w : all_) {
            if (IsPage(w, pageArea) && IsWindowVisible(w)) visiblePage = w;
        }

        for (HWND w : all_) {
            HWND parent = GetParent(w);
            if (Is(w, L"#32770") || Is(parent, WC_COMBOBOXW) || Is(parent, L"ComboBoxEx32")) continue;
            if (!(Style(w) & WS_VISIBLE) && IsWindowVisible(parent)) continue;  // hidden on purpose
            Control c{w, Screen(w), {}, parent};
            if (parent == dialog_) {
                c.frame = Inset(client, dialog_, MQ_MARGIN, MQ_MARGIN, MQ_MARGIN, MQ_MARGIN);
            } else {
                // A page may stop short of the display area to make room for
                // a section shown with it; the margins are the area's.
                c.frame = Inset(pageArea, parent, MQ_MARGIN, MQ_MARGIN, MQ_MARGIN, MQ_MARGIN);
                // A section stands in the page it is shown with.
                if (!IsPage(parent, pageArea) && visiblePage != nullptr) c.area = visiblePage;
            }
            controls_.push_back(c);
        }
        // Controls framed by a group box keep to its inner margins and
        // share their area with its other controls only.
        for (Control& c : controls_) {
            for (const Control& g : controls_) {
                if (&g == &c || !IsGroupBox(g.w) || g.area != c.area) continue;
                const POINT centre{(c.r.left + c.r.right) / 2, (c.r.top + c.r.bottom) / 2};
                if (!PtInRect(&g.r, centre)) continue;
                c.frame = Inset(g.r, g.w, MQ_GROUP_SIDE, MQ_GROUP_TOP, MQ_GROUP_SIDE, MQ_GROUP_BOTTOM);
                c.area = g.w;
            }
        }

        for (std::size_t i = 0; i < controls_.size(); ++i) {
            const Control& c = controls_[i];
            const RECT origin = ClientScreen(GetParent(c.w));
            if (!Inside(c.r, c.frame)) {
                Report(c.w, "outside its margins: " + Describe(c.r, origin) + " in " +
                                Describe(c.frame, origin));
            }
            for (std::size_t j = i + 1; j < controls_.size(); ++j) {
                const Control& o = controls_[j];
                RECT both;
                if (o.area == c.area && IntersectRect(&both, &c.r, &o.r)) {
                    Report(c.w, "overlaps " + Name(o.w));
                }
            }
            CheckCaption(c.w);
            CheckSize(c.w);
        }
    }

private:
    struct Control {
        HWND w;
        RECT r;
        RECT frame;
        HWND area;  // controls of one area must not overlap
    };

    static BOOL CALLBACK Collect(HWND w, LPARAM self) {
        reinterpret_cast<Inspector*>(self)->all_.push_back(w);
        return TRUE;
    }

    void CheckCaption(HWND w) {
        const bool isStatic = Is(w, WC_STATICW) && (Style(w) & SS_TYPEMASK) <= SS_RIGHT;
        if (!isStatic && !Is(w, WC_BUTTONW)) return;
        const std::wstring text = Shown(w, TextOf(w));
        if (text.empty()) return;
        const Measured m = Measure(w, text);
        RECT r;
        GetClientRect(w, &r);
        const int need = m.width + CaptionChrome(w, GetParent(w));
        if (need > r.right) {
            Report(w, "caption needs " + std::to_string(need) + " px, has " + std::to_string(r.right));
        }
        if (m.height > r.bottom) {
            Report(w, "caption needs " + std::to_string(m.height) + " px high, has " +
                          std::to_string(r.bottom));
        }
    }

    // The one size of each kind of control, in its parent's dialog units.
    void CheckSize(HWND w) {
        int wantHeight = 0, minWidth = 0;
        const auto type = Style(w) & BS_TYPEMASK;
        if (Is(w, WC_EDITW) && !(Style(w) & ES_MULTILINE)) {
            wantHeight = MQ_BOX_H;
        } else if (IsCheck(w)) {
            wantHeight = MQ_CHECK_H;
        } else if (Is(w, WC_BUTTONW) && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
            wantHeight = MQ_BUTTON_H;
            minWidth = MQ_BUTTON_W;
        } else {
            return;
        }
        RECT want{0, 0, minWidth, wantHeight};
        MapDialogRect(GetParent(w), &want);
        RECT r;
        GetWindowRect(w, &r);
        if (r.bottom - r.top != want.bottom || r.right - r.left < want.right) {
            Report(w, "is " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) +
                          " px, not " + (minWidth > 0 ? "at least " + std::to_string(want.right) + "x" : "") +
                          std::to_string(want.bottom) + " high");
        }
    }

    std::string Name(HWND w) const {
        return mq::win32::Narrow(ClassOf(w)) + " " + std::to_string(GetDlgCtrlID(w)) + " \"" +
               mq::win32::Narrow(TextOf(w)) + "\"";
    }
    void Report(HWND w, const std::string& problem) {
        g_lines.push_back(caption_ + " | " + Name(w) + " | " + problem);
    }

    HWND dialog_;
    std::string caption_;
    std::vector<HWND> all_;
    std::vector<Control> controls_;
};

BOOL CALLBACK FindShown(HWND w, LPARAM found) {
    if (IsWindowVisible(w) && Is(w, L"#32770")) {
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
    }
    return TRUE;
}

// Runs inside the dialog's modal loop, once the dialog is up.
void CALLBACK InspectAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShown, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) {
        g_lines.push_back("no dialog came up");
        return;
    }
    Inspector(dialog).Run();
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

// The face the dialogs' font resolved to here.
std::string FaceInUse() {
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                             L"MS UI Gothic");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    std::string face;
    if (UINT size = GetOutlineTextMetricsW(dc, 0, nullptr); size > 0) {
        std::vector<char> buffer(size);
        auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
        GetOutlineTextMetricsW(dc, size, otm);
        // The family name is the one asked for; the face name is the font's own.
        face = mq::win32::Narrow(reinterpret_cast<const wchar_t*>(
            buffer.data() + reinterpret_cast<std::uintptr_t>(otm->otmpFaceName)));
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return face;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2) return 2;
    mq::win32::InitCommonControls(ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES |
                                  ICC_WIN95_CLASSES);

    mq::Win32CodePage codePage;
    mq::Win32Messages messages;
    mq::Win32ProfileFile profile;
    mq::Win32FolderPicker folders;
    mq::Win32Shell shell;
    mq::Win32FileChooser chooser;
    mq::Win32Collation collation;
    // The template dialog's settings go to a folder of this run's own.
    mq::test::AppFolderFiles<mq::Win32FileSystem> files;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    files.appFolder = mq::win32::Narrow(temp) + "mq-layout-probe";
    CreateDirectoryW(mq::win32::Widen(files.appFolder).c_str(), nullptr);
    const mq::TemplatePorts templatePorts{profile, codePage, files, collation};
    mq::TagTemplate inUse;
    const mq::win32::CommandContext context{messages, chooser, templatePorts, folders, shell, inUse};

    g_lines.push_back("face " + FaceInUse());
    for (Command command : kDialogs) {
        SetTimer(nullptr, 0, 0, InspectAndClose);
        mq::win32::ShowCommandDialog(command, GetModuleHandleW(nullptr), nullptr, context);
    }

    FILE* out = _wfopen(argv[1], L"wb");
    if (out == nullptr) return 3;
    for (const std::string& line : g_lines) std::fprintf(out, "%s\n", line.c_str());
    std::fclose(out);
    return 0;
}
