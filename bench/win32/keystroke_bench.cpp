// One keystroke in the action dialog's DEST box under Wine, from the
// WM_CHAR to the rebuilt preview, through the real view. DEST has the
// focus, as when the user types into it (with the focus left on the
// preview, the dialog's first control, every rebuild would be a write into
// the focused box, caret and all, which typing elsewhere never is). The edit control
// takes the character, its change notice reaches the model, the model
// rebuilds the preview and the view writes it into the preview box. The
// baseline, in the same process and run, alternating with it: a plain
// WM_SETTEXT of the same preview text into an edit box of its own, in the
// preview's font (laying Japanese text out is most of what an edit box's
// WM_SETTEXT costs under Wine, and the system font's is far cheaper).
// Prints both medians and their ratio; the aim is at most 3. Also where
// the time goes: the same key into an edit box on DEST's page that nothing
// is bound to, and the preview box's own WM_SETTEXT of the new text.
//
//   xvfb-run -a scripts/wine-run.sh build/windows/bench/win32/keystroke_bench.exe [--keys N]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/CommonControls.h"
#include "dialogs/CommonRes.h"
#include "dialogs/navi/NaviAttributeSet.h"
#include "dialogs/naviAction/NaviActionRes.h"
#include "dialogs/Views.h"

namespace {

using Clock = std::chrono::steady_clock;

double Us(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::wstring TextOf(HWND w) {
    std::wstring t(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    t.resize(static_cast<std::size_t>(GetWindowTextW(w, t.data(), static_cast<int>(t.size()))));
    return t;
}

HWND FindDeep(HWND root, int id) {
    struct Find {
        int id;
        HWND found;
    } f{id, nullptr};
    EnumChildWindows(
        root,
        [](HWND w, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<Find*>(p);
            if (GetDlgCtrlID(w) != f->id) return TRUE;
            f->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.found;
}

mq::win32::frmNaviAction* dialog = nullptr;
HWND plainEdit = nullptr;
int keys = 400;
std::vector<double> typed, baseline, unboundKey, inPlace;
bool previewFollowed = true;
constexpr UINT kShown = WM_APP + 1;

// Runs inside the dialog's own message loop, once it is on screen: the
// keystrokes are sent on the dialog's thread, as the keyboard's are handled.
LRESULT CALLBACK HelperProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kShown || dialog == nullptr || dialog->Window() == nullptr) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    HWND dlg = dialog->Window();
    HWND dest = FindDeep(dlg, IDC_NAVIACTION_ATTR_FIRST + 2 * static_cast<int>(mq::IndexOf(mq::NaviAttr::Dest)) + 1);
    HWND preview = GetDlgItem(dlg, IDC_TXTED);
    // The user types in DEST: it has the focus (and its caret), as after a
    // click into it; the preview, first in the tab order, had it before.
    SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(dest), TRUE);
    if (GetFocus() != dest) {
        std::printf("keystroke_bench: DEST did not take the focus\n");
        PostMessageW(dlg, WM_CLOSE, 0, 0);
        return 0;
    }
    SendMessageW(plainEdit, WM_SETFONT, SendMessageW(preview, WM_GETFONT, 0, 0), FALSE);
    // Its notices take the dialog's way but reach no model.
    RECT r;
    GetWindowRect(dest, &r);
    MapWindowPoints(nullptr, GetParent(dest), reinterpret_cast<POINT*>(&r), 2);
    HWND unbound = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                   r.left, r.bottom + 2, r.right - r.left, r.bottom - r.top,
                                   GetParent(dest), reinterpret_cast<HMENU>(static_cast<INT_PTR>(4321)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(unbound, WM_SETFONT, SendMessageW(dest, WM_GETFONT, 0, 0), FALSE);
    std::wstring before = TextOf(preview);
    for (int i = 0; i < keys; ++i) {
        // Alternately a letter and a backspace, so the box stays short.
        const wchar_t key = i % 2 == 0 ? static_cast<wchar_t>(L'a' + (i / 2) % 26) : L'\b';
        const auto t0 = Clock::now();
        SendMessageW(dest, WM_CHAR, key, 1);
        const auto t1 = Clock::now();
        const std::wstring shown = TextOf(preview);
        if (i % 2 == 0 && shown.find(std::wstring(L"DEST=\"") + key + L"\"") == std::wstring::npos) {
            previewFollowed = false;
        }
        const auto b0 = Clock::now();
        SendMessageW(plainEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        const auto b1 = Clock::now();
        // The preview box's own share: back to the text it showed before
        // the key, then, timed, the new text again.
        SendMessageW(preview, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(before.c_str()));
        const auto w0 = Clock::now();
        SendMessageW(preview, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        const auto w1 = Clock::now();
        inPlace.push_back(Us(w1 - w0));
        before = shown;
        const auto u0 = Clock::now();
        SendMessageW(unbound, WM_CHAR, key, 1);
        const auto u1 = Clock::now();
        typed.push_back(Us(t1 - t0));
        baseline.push_back(Us(b1 - b0));
        unboundKey.push_back(Us(u1 - u0));
    }
    PostMessageW(dlg, WM_CLOSE, 0, 0);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::wcscmp(argv[i], L"--keys") == 0) keys = std::max(2, _wtoi(argv[i + 1]));
    }
    mq::win32::InitCommonControls(ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES);
    HINSTANCE instance = GetModuleHandleW(nullptr);

    WNDCLASSW wc{};
    wc.lpfnWndProc = HelperProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"KeystrokeBenchHelper";
    RegisterClassW(&wc);
    HWND helper = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    // The baseline's edit box: single-line, as the preview is, and shown.
    plainEdit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_POPUP | WS_VISIBLE | ES_AUTOHSCROLL,
                                0, 0, 600, 24, nullptr, nullptr, instance, nullptr);

    mq::win32::frmNaviAction form;
    mq::win32::frmNaviAction* self = &form;
    dialog = self;
    // Comes out of the dialog's own loop once it is showing.
    PostMessageW(helper, kShown, 0, 0);
    form.ShowModal(instance, nullptr);

    // The first keystrokes warm caches up; they are left out.
    const std::size_t skip = std::min<std::size_t>(20, typed.size() / 4);
    std::vector<double> t(typed.begin() + static_cast<std::ptrdiff_t>(skip), typed.end());
    std::vector<double> b(baseline.begin() + static_cast<std::ptrdiff_t>(skip), baseline.end());
    if (t.empty() || !previewFollowed) {
        std::printf("keystroke_bench: the preview did not follow the keys\n");
        return 1;
    }
    const double mt = Median(t), mb = Median(b);
    const double mu = Median({unboundKey.begin() + static_cast<std::ptrdiff_t>(skip), unboundKey.end()});
    const double mw = Median({inPlace.begin() + static_cast<std::ptrdiff_t>(skip), inPlace.end()});
    std::printf("keystrokes measured: %zu (after %zu warm-up)\n", t.size(), skip);
    std::printf("keystroke in DEST to rebuilt preview: median %.1f us\n", mt);
    std::printf("WM_SETTEXT of the preview text:       median %.1f us\n", mb);
    std::printf("ratio: %.2f (aim: at most 3)\n", mt / mb);
    std::printf("where it goes: the key into an unbound edit box on DEST's page %.1f us, the preview "
                "box's WM_SETTEXT of the new text in place %.1f us, the rest (notices, model, view) "
                "%.1f us\n",
                mu, mw, mt - mu - mw);
    DestroyWindow(plainEdit);
    DestroyWindow(helper);
    return 0;
}
