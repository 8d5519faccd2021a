#pragma once
#include <windows.h>

#include <array>
#include <string_view>
#include <variant>
#include <vector>

#include "dialogs/Controls.h"
#include "dialogs/ModelDialog.h"
#include "dialogs/navi/NaviAttributeSet.h"

namespace mq::win32 {

// What the link and action dialogs' windows share: tab pages whose rows
// are built from the attribute table, so a caption, a list or a page is
// written down only once, in the table.
class NaviDialogView : public ModelDialog {
public:
    // One control on a row. With no model control it is a label.
    struct Cell {
        int id = 0;
        std::string_view caption;
        std::variant<std::monostate, ui::CheckBox*, ui::TextBox*, ui::ComboBox*> control;
        bool wide = false;    // a text box running to the page's right edge
        bool locked = false;  // shown disabled
    };
    // A row holds caption/value pairs from the left and perhaps check boxes
    // at its right end. The first value of every row stands in the page's
    // column, after the page's longest first caption; a further pair
    // follows it on the row.
    struct Row {
        std::vector<Cell> cells;
        std::vector<Cell> rightEnd;
    };
    using Page = std::vector<Row>;

protected:
    NaviDialogView(TagDialogModel& model, int templateId);

    // The check box of attribute `a` has ID firstId + 2 * index, its value
    // control the ID after it.
    static constexpr int CheckId(int firstId, NaviAttr a) {
        return firstId + 2 * static_cast<int>(IndexOf(a));
    }
    static constexpr int ValueId(int firstId, NaviAttr a) { return CheckId(firstId, a) + 1; }

    // The rows of the three attribute pages, in the table's order, REL at
    // the right end of the row of `relJoins`.
    static std::array<Page, 3> AttributePages(NaviAttributeSet& set, int firstId, NaviAttr relJoins);
    // Creates and binds the rows' controls on the tab pages.
    void LayOutPages(const std::vector<HWND>& pageWindows, const std::vector<Page>& pages);

private:
    HWND Create(HWND page, const Cell& cell, int x, int y, int width);
    void Bind(HWND page, const Cell& cell);
};

}  // namespace mq::win32
