#include "dialogs/navi/NaviView.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "dialogs/Metrics.h"
#include "platform/win32/WideText.h"

namespace mq::win32 {
namespace {

// Layout in dialog units; the shared metrics are in dialogs/Metrics.h.
constexpr int kGlyph = 10;       // the check box's square and its gap
constexpr int kTextWidth = 120;  // a value box that does not run to the right edge
constexpr int kListWidth = 50;
constexpr int kMinValueWidth = 40;
// Pages whose value columns lie this close together share the widest;
// a page whose captions are all much shorter keeps its own, so that no
// caption stands far from its value.
constexpr int kColumnShare = 24;

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

int ValueWidth(const Units& u, const NaviDialogView::Cell& cell) {
    return u.X(std::holds_alternative<ui::ComboBox*>(cell.control) ? kListWidth : kTextWidth);
}

// A row whose first pair lines its value up in the page's column.
bool HasColumn(const NaviDialogView::Row& row) {
    return row.cells.size() >= 2 && !IsLabel(row.cells[1]) && !IsCheck(row.cells[1]);
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
    int top = y, height = u.Y(MQ_BOX_H);
    if (IsLabel(cell)) {
        style |= SS_LEFT;
        top += u.Y(MQ_LABEL_DROP);
        height = u.Y(MQ_LABEL_H);
    } else if (IsCheck(cell)) {
        cls = WC_BUTTONW;
        style |= BS_AUTOCHECKBOX | WS_TABSTOP;
        top += u.Y(MQ_CHECK_DROP);
        height = u.Y(MQ_CHECK_H);
    } else if (auto* combo = std::get_if<ui::ComboBox*>(&cell.control)) {
        cls = WC_COMBOBOXW;
        style |= ((*combo)->Editable() ? CBS_DROPDOWN : CBS_DROPDOWNLIST) | CBS_AUTOHSCROLL |
                 WS_VSCROLL | WS_TABSTOP;
        height = u.Y(MQ_DROP_H);
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
    const std::size_t count = std::min(pageWindows.size(), pages.size());
    if (count == 0) return;
    const Units u(pageWindows.front());
    // Each page's first values stand in one column, after its longest
    // first caption.
    std::vector<int> column(count, 0);
    for (std::size_t p = 0; p < count; ++p) {
        for (const Row& row : pages[p]) {
            if (HasColumn(row)) column[p] = std::max(column[p], CaptionWidth(pageWindows[p], u, row.cells[0]));
        }
        column[p] += u.X(MQ_MARGIN + MQ_LABEL_GAP);
    }
    std::vector<int> shared = column;
    for (std::size_t p = 0; p < count; ++p) {
        for (int other : column) {
            if (other > shared[p] && other - column[p] <= u.X(kColumnShare)) shared[p] = other;
        }
    }

    for (std::size_t p = 0; p < count; ++p) {
        HWND page = pageWindows[p];
        RECT client;
        GetClientRect(page, &client);
        const int right = client.right - u.X(MQ_MARGIN);
        int y = u.Y(MQ_MARGIN);
        for (const Row& row : pages[p]) {
            // The check boxes at the row's right end, and how far its pairs may reach.
            int rightStart = right;
            for (const Cell& cell : row.rightEnd) rightStart -= CaptionWidth(page, u, cell);
            const int reach = row.rightEnd.empty() ? right : rightStart - u.X(MQ_UNRELATED);
            int x = u.X(MQ_MARGIN);
            for (std::size_t i = 0; i < row.cells.size(); ++i) {
                const Cell& cell = row.cells[i];
                if (IsLabel(cell) || IsCheck(cell)) {
                    // A later pair stands apart from the one before it.
                    if (i > 0) x += u.X(MQ_UNRELATED);
                    const bool first = i == 0 && HasColumn(row);
                    const int width = first ? shared[p] - u.X(MQ_LABEL_GAP) - x : CaptionWidth(page, u, cell);
                    Create(page, cell, x, y, width);
                    x += width + u.X(MQ_LABEL_GAP);
                } else {
                    int width = cell.wide ? reach - x : ValueWidth(u, cell);
                    width = std::max(std::min(width, reach - x), u.X(kMinValueWidth));
                    Create(page, cell, x, y, width);
                    x += width;
                }
            }
            int rightX = rightStart;
            for (const Cell& cell : row.rightEnd) {
                const int width = CaptionWidth(page, u, cell);
                Create(page, cell, rightX, y, width);
                rightX += width;
            }
            for (const Cell& cell : row.cells) Bind(page, cell);
            for (const Cell& cell : row.rightEnd) Bind(page, cell);
            y += u.Y(MQ_ROW);
        }
    }
}

}  // namespace mq::win32
