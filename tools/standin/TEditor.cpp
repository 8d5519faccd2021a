#include "TEditor.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <unordered_map>

namespace standin {
namespace {

constexpr UINT kHostCodePage = 932;
constexpr int kMargin = 4;
// How far back from the caret a view may start when looking for a line
// start; a text without line breaks is cut at a character boundary instead.
constexpr std::size_t kLineSearch = 2048;
constexpr std::size_t kNoLineBack = 1024;

class Editor {
public:
    explicit Editor(const EditorInit& init) : text_(init.text), quirks_(init.quirks) {
        SetSel(init.selStart, init.selEnd);
    }
    ~Editor() {
        if (font_) DeleteObject(font_);
    }

    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    const std::string& Text() const { return text_; }

private:
    std::uint32_t Length() const { return static_cast<std::uint32_t>(text_.size()); }
    std::uint32_t SelMin() const { return std::min(anchor_, caret_); }
    std::uint32_t SelMax() const { return std::max(anchor_, caret_); }

    // An edit control's EM_SETSEL: start -1 drops the selection at the
    // caret; otherwise both ends are clamped to the text, and a start after
    // the end is kept as anchor and caret (EM_GETSEL reports them ordered).
    void SetSel(std::uint32_t start, std::uint32_t end) {
        if (start == 0xFFFFFFFFu) {
            anchor_ = caret_;
            return;
        }
        anchor_ = std::min(start, Length());
        caret_ = std::min(end, Length());
    }
    LRESULT GetSel(WPARAM wp, LPARAM lp) const;
    void ReplaceSel(const char* bytes);
    void Changed(HWND hwnd) {
        follow_ = true;
        InvalidateRect(hwnd, nullptr, TRUE);
    }

    void Paint(HWND hwnd);
    std::size_t LineStartBefore(std::size_t pos) const;
    std::size_t BoundaryAtOrBefore(std::size_t pos) const;
    std::size_t CharLength(std::size_t pos) const;
    int Width(HDC dc, wchar_t ch);

    std::string text_;
    EditorQuirks quirks_;
    std::uint32_t anchor_ = 0;
    std::uint32_t caret_ = 0;
    // The first byte shown, and the byte after the last one shown.
    std::size_t viewTop_ = 0;
    std::size_t viewEnd_ = 0;
    bool follow_ = true;
    HFONT font_ = nullptr;
    std::unordered_map<wchar_t, int> widths_;
};

LRESULT Editor::GetSel(WPARAM wp, LPARAM lp) const {
    const std::uint32_t start = SelMin(), end = SelMax();
    if (!quirks_.noSelPointers) {
        if (wp) *reinterpret_cast<DWORD*>(wp) = start;
        if (lp) *reinterpret_cast<DWORD*>(lp) = end;
    }
    if (quirks_.truncatingSel) return static_cast<LRESULT>(MAKELONG(start & 0xFFFF, end & 0xFFFF));
    if (start > 0xFFFF || end > 0xFFFF) return -1;
    return static_cast<LRESULT>(MAKELONG(start, end));
}

void Editor::ReplaceSel(const char* bytes) {
    const std::size_t n = bytes ? std::strlen(bytes) : 0;
    const std::uint32_t start = SelMin();
    text_.replace(start, SelMax() - start, bytes ? bytes : "", n);
    anchor_ = caret_ = start + static_cast<std::uint32_t>(n);
}

std::size_t Editor::CharLength(std::size_t pos) const {
    const auto b = static_cast<BYTE>(text_[pos]);
    return IsDBCSLeadByteEx(kHostCodePage, b) && pos + 1 < text_.size() ? 2 : 1;
}

// Lead bytes of code page 932 also occur as trail bytes, so a boundary is
// found from the last byte before `pos` that cannot be a lead byte: the
// bytes after it pair up.
std::size_t Editor::BoundaryAtOrBefore(std::size_t pos) const {
    std::size_t q = pos;
    while (q > 0 && IsDBCSLeadByteEx(kHostCodePage, static_cast<BYTE>(text_[q - 1]))) --q;
    return (pos - q) % 2 == 0 ? pos : pos - 1;
}

std::size_t Editor::LineStartBefore(std::size_t pos) const {
    // LF is never a trail byte in code page 932, so searching back is safe.
    for (std::size_t i = pos; i > 0 && pos - i < kLineSearch; --i)
        if (text_[i - 1] == '\n') return i;
    if (pos < kLineSearch) return 0;
    return BoundaryAtOrBefore(pos - kNoLineBack);
}

int Editor::Width(HDC dc, wchar_t ch) {
    auto it = widths_.find(ch);
    if (it != widths_.end()) return it->second;
    SIZE size{};
    GetTextExtentPoint32W(dc, &ch, 1, &size);
    widths_.emplace(ch, size.cx);
    return size.cx;
}

void Editor::Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ oldFont = SelectObject(dc, font_);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    const int lineHeight = tm.tmHeight + tm.tmExternalLeading;
    const int right = client.right - kMargin;
    const bool focused = GetFocus() == hwnd;

    const std::size_t selMin = SelMin(), selMax = SelMax();
    if (follow_) {
        // Keep the selection in sight: start a few lines above it unless it
        // is already shown.
        if (selMin < viewTop_ || selMin >= viewEnd_ || viewTop_ > text_.size()) {
            std::size_t top = LineStartBefore(selMin);
            for (int back = 0; back < 3 && top > 0; ++back) top = LineStartBefore(top - 1);
            viewTop_ = top;
        }
        follow_ = false;
    }

    int x = kMargin, y = kMargin;
    std::wstring run;
    int runX = x;
    bool runSelected = false;
    auto flush = [&] {
        if (run.empty()) return;
        SetBkMode(dc, runSelected ? OPAQUE : TRANSPARENT);
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(runSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        ExtTextOutW(dc, runX, y, 0, nullptr, run.data(), static_cast<UINT>(run.size()), nullptr);
        run.clear();
    };
    auto newLine = [&] {
        flush();
        x = runX = kMargin;
        y += lineHeight;
    };
    auto drawCaret = [&] {
        if (!focused) return;
        RECT bar{x, y, x + 1, y + lineHeight};
        FillRect(dc, &bar, GetSysColorBrush(COLOR_WINDOWTEXT));
    };

    std::size_t pos = viewTop_;
    const std::wstring_view tab = L"    ";
    while (pos < text_.size() && y < client.bottom) {
        if (pos == caret_) drawCaret();
        const bool selected = pos >= selMin && pos < selMax;
        const char b = text_[pos];
        if (b == '\r' || b == '\n') {
            const std::size_t n = b == '\r' && pos + 1 < text_.size() && text_[pos + 1] == '\n' ? 2 : 1;
            if (selected) {
                flush();
                RECT mark{x, y, x + tm.tmAveCharWidth, y + lineHeight};
                FillRect(dc, &mark, GetSysColorBrush(COLOR_HIGHLIGHT));
            }
            newLine();
            pos += n;
            continue;
        }
        const std::size_t n = CharLength(pos);
        wchar_t wide[4];
        int count;
        if (b == '\t') {
            std::memcpy(wide, tab.data(), tab.size() * sizeof(wchar_t));
            count = static_cast<int>(tab.size());
        } else {
            count = MultiByteToWideChar(kHostCodePage, 0, text_.data() + pos, static_cast<int>(n),
                                        wide, 4);
        }
        int w = 0;
        for (int i = 0; i < count; ++i) w += Width(dc, wide[i]);
        if (x + w > right && x > kMargin) newLine();
        if (selected != runSelected || run.empty()) {
            flush();
            runX = x;
            runSelected = selected;
        }
        run.append(wide, static_cast<std::size_t>(count));
        x += w;
        pos += n;
    }
    flush();
    if (pos == caret_ && pos == text_.size() && y < client.bottom) drawCaret();
    viewEnd_ = pos;

    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

LRESULT Editor::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: {
        LOGFONTW lf{};
        lf.lfHeight = -16;
        lf.lfCharSet = SHIFTJIS_CHARSET;
        lstrcpynW(lf.lfFaceName, L"ＭＳ ゴシック", LF_FACESIZE);
        font_ = CreateFontIndirectW(&lf);
        return 0;
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(text_.size());
    case WM_GETTEXT: {
        if (wp == 0 || lp == 0) return 0;
        const std::size_t n = std::min<std::size_t>(wp - 1, text_.size());
        auto* out = reinterpret_cast<char*>(lp);
        std::memcpy(out, text_.data(), n);
        out[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_SETTEXT:
        text_ = lp ? reinterpret_cast<const char*>(lp) : "";
        anchor_ = caret_ = 0;
        viewTop_ = 0;
        Changed(hwnd);
        return TRUE;
    case EM_GETSEL:
        return GetSel(wp, lp);
    case EM_SETSEL:
        SetSel(static_cast<std::uint32_t>(wp), static_cast<std::uint32_t>(lp));
        Changed(hwnd);
        return 0;
    case EM_REPLACESEL:
        ReplaceSel(reinterpret_cast<const char*>(lp));
        Changed(hwnd);
        return 0;
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // painted with the text
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    default:
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

LRESULT CALLBACK EditorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
        const auto* init = static_cast<const EditorInit*>(cs->lpCreateParams);
        auto* editor = new Editor(init ? *init : EditorInit{});
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(editor));
    }
    auto* editor = reinterpret_cast<Editor*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!editor) return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete editor;
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    // Nothing may unwind into the system's dispatcher, which would swallow
    // it and leave the control half-changed; a failed allocation leaves the
    // text as it was and answers 0.
    try {
        return editor->Handle(hwnd, msg, wp, lp);
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace

bool RegisterEditorClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = EditorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
    wc.lpszClassName = kEditorClass;
    return RegisterClassA(&wc) != 0;
}

std::string EditorText(HWND editor) {
    auto* e = reinterpret_cast<Editor*>(GetWindowLongPtrA(editor, GWLP_USERDATA));
    return e ? e->Text() : std::string();
}

}  // namespace standin
