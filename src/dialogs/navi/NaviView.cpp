#include "dialogs/navi/NaviView.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/win32/WideText.h"

namespace mq::win32 {
namespace {

// Layout in dialog units.
constexpr int kMargin = 6;
constexpr int kRowPitch = 16;
constexpr int kBoxHeight = 12;
constexpr int kGlyph = 13;       // the check box's square and its gap
constexpr int kGap = 4;          // between a caption and its value
constexpr int kPairGap = 12;     // between two pairs on a packed row
constexpr int kTextWidth = 120;  // a value box on a lined-up row
constexpr int kListWidth = 64;
constexpr int kPackedTextWidth = 90;
constexpr int kPackedListWidth = 58;
constexpr int kMinValueWidth = 40;
constexpr int kDropHeight = 120;

// Dialog units to the page's pixels, horizontally and vertically.
struct Units {
    explicit Units(HWND page) {
        RECT r{0, 0, 400, 800};
        MapDialogRect(page, &r);
        x400 = r.right;
        y800 = r.bottom;
    }
    int X(int dlu) const { return MulDiv(dlu, x400, 400); }
    int Y(int dlu) const { return MulDiv(dlu, y800, 800); }
    int x400, y800;
};

bool IsCheck(const NaviDialogView::Cell& cell) {
    return std::holds_alternative<ui::CheckBox*>(cell.control);
}
bool IsLabel(const NaviDialogView::Cell& cell) {
    return std::holds_alternative<std::monostate>(cell.control);
}

// The caption as shown: "&x" underlines x, "&&" is one "&".
std::wstring Shown(std::string_view caption) {
    std::wstring wide = Widen(caption), out;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] == L'&' && i + 1 < wide.size()) ++i;
        out += wide[i];
    }
    return out;
}

// How wide a caption control must be, in pixels.
int CaptionWidth(HWND page, const Units& u, const NaviDialogView::Cell& cell) {
    HDC dc = GetDC(page);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(page, WM_GETFONT, 0, 0)));
    const std::wstring text = Shown(cell.caption);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(page, dc);
    return size.cx + (IsCheck(cell) ? u.X(kGlyph) : u.X(2));
}

int ValueWidth(const Units& u, const NaviDialogView::Cell& cell, bool packed) {
    if (std::holds_alternative<ui::ComboBox*>(cell.control)) {
        return u.X(packed ? kPackedListWidth : kListWidth);
    }
    return u.X(packed ? kPackedTextWidth : kTextWidth);
}

bool LinedUp(const NaviDialogView::Row& row) {
    return row.cells.size() == 2 && row.rightEnd.empty() && !IsLabel(row.cells[0]);
}

}  // namespace

NaviDialogView::NaviDialogView(TagDialogModel& model, int templateId)
    : ModelDialog(model, templateId) {}

std::array<NaviDialogView::Page, 3> NaviDialogView::AttributePages(NaviAttributeSet& set,
                                                                   int firstId,
                                                                   NaviAttr relJoins) {
    std::array<Page, 3> pages;
    const auto pair = [&](const NaviAttrSpec& info) {
        std::vector<Cell> cells{{CheckId(firstId, info.attr), info.caption, &set.Check(info.attr)}};
        const int valueId = ValueId(firstId, info.attr);
        switch (info.kind) {
        case NaviValueKind::None: break;
        case NaviValueKind::Text:
            cells.push_back({valueId, {}, &set.Text(info.attr), info.attr == NaviAttr::Dest});
            break;
        case NaviValueKind::EditableList:
        case NaviValueKind::FixedList:
            cells.push_back({valueId, {}, &set.Combo(info.attr)});
            break;
        }
        return cells;
    };
    for (const NaviAttrSpec& info : kNaviAttrs) {
        if (info.attr == NaviAttr::Rel) continue;
        Row row{pair(info), {}};
        if (info.attr == relJoins) row.rightEnd = pair(SpecOf(NaviAttr::Rel));
        pages[static_cast<std::size_t>(info.page)].push_back(std::move(row));
    }
    return pages;
}

HWND NaviDialogView::Create(HWND page, const Cell& cell, int x, int y, int width) {
    const Units u(page);
    const wchar_t* cls = WC_STATICW;
    DWORD style = WS_CHILD | WS_VISIBLE, exStyle = 0;
    int top = y, height = u.Y(kBoxHeight);
    if (IsLabel(cell)) {
        style |= SS_LEFT;
        top += u.Y(2);
        height = u.Y(8);
    } else if (IsCheck(cell)) {
        cls = WC_BUTTONW;
        style |= BS_AUTOCHECKBOX | WS_TABSTOP;
        top += u.Y(1);
        height = u.Y(10);
    } else if (auto* combo = std::get_if<ui::ComboBox*>(&cell.control)) {
        cls = WC_COMBOBOXW;
        style |= ((*combo)->Editable() ? CBS_DROPDOWN : CBS_DROPDOWNLIST) | CBS_AUTOHSCROLL |
                 WS_VSCROLL | WS_TABSTOP;
        height = u.Y(kDropHeight);
    } else {
        cls = WC_EDITW;
        style |= ES_AUTOHSCROLL | WS_TABSTOP;
        exStyle = WS_EX_CLIENTEDGE;
    }
    if (cell.locked) style |= WS_DISABLED;
    const std::wstring caption = Widen(cell.caption);
    HWND control = CreateWindowExW(exStyle, cls, caption.c_str(), style, x, top, width, height, page,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(cell.id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE)),
                                   nullptr);
    SendMessageW(control, WM_SETFONT, SendMessageW(page, WM_GETFONT, 0, 0), FALSE);
    return control;
}

void NaviDialogView::Bind(HWND page, const Cell& cell) {
    if (auto* check = std::get_if<ui::CheckBox*>(&cell.control)) BindCheck(page, cell.id, **check);
    if (auto* text = std::get_if<ui::TextBox*>(&cell.control)) BindText(page, cell.id, **text);
    if (auto* combo = std::get_if<ui::ComboBox*>(&cell.control)) BindCombo(page, cell.id, **combo);
}

void NaviDialogView::LayOutPages(const std::vector<HWND>& pageWindows, const std::vector<Page>& pages) {
    if (pageWindows.empty()) return;
    const Units u(pageWindows.front());
    // Lined-up rows put their values in one column across all pages.
    int column = 0;
    for (std::size_t p = 0; p < pages.size() && p < pageWindows.size(); ++p) {
        for (const Row& row : pages[p]) {
            if (LinedUp(row)) column = std::max(column, CaptionWidth(pageWindows[p], u, row.cells[0]));
        }
    }
    column += u.X(kMargin + kGap);

    for (std::size_t p = 0; p < pages.size() && p < pageWindows.size(); ++p) {
        HWND page = pageWindows[p];
        RECT client;
        GetClientRect(page, &client);
        const int right = client.right - u.X(kMargin);
        int y = u.Y(kMargin);
        for (const Row& row : pages[p]) {
            if (LinedUp(row)) {
                const Cell& value = row.cells[1];
                int width = value.wide ? right - column : ValueWidth(u, value, false);
                width = std::max(std::min(width, right - column), u.X(kMinValueWidth));
                Create(page, row.cells[0], u.X(kMargin), y, column - u.X(kMargin + kGap));
                Create(page, value, column, y, width);
            } else {
                int x = u.X(kMargin);
                for (std::size_t i = 0; i < row.cells.size(); ++i) {
                    const Cell& cell = row.cells[i];
                    const bool caption = IsLabel(cell) || IsCheck(cell);
                    const int width = caption ? CaptionWidth(page, u, cell) : ValueWidth(u, cell, true);
                    Create(page, cell, x, y, width);
                    x += width + u.X(caption ? kGap : kPairGap);
                }
                int rightX = right;
                for (const Cell& cell : row.rightEnd) rightX -= CaptionWidth(page, u, cell);
                for (const Cell& cell : row.rightEnd) {
                    const int width = CaptionWidth(page, u, cell);
                    Create(page, cell, rightX, y, width);
                    rightX += width;
                }
            }
            for (const Cell& cell : row.cells) Bind(page, cell);
            for (const Cell& cell : row.rightEnd) Bind(page, cell);
            y += u.Y(kRowPitch);
        }
    }
}

}  // namespace mq::win32
