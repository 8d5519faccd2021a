#pragma once
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/Controls.h"

namespace mq {

// The sixteen navigation attributes that the link (<A>) and soft-key action
// (<ACTION>) dialogs share. Everything about one attribute (name, check box,
// caption, value control, items, state at opening, page) is one row of
// kNaviAttrs; the models, the orders of writing and the views all read it
// from there.
enum class NaviAttr {
    Task, Rel, Label, Dest, Vars, Next, Receive, Cancel,
    Clear, SendReferer, Friend, Retvals, PostMethod, PostData, Number, AcceptCharset,
};
inline constexpr std::size_t kNaviAttrCount = 16;

// What stands beside an attribute's check box.
enum class NaviValueKind {
    None,          // nothing: the value is fixed
    Text,          // a single-line text box, any text
    EditableList,  // a drop-down list whose text can also be typed
    FixedList,     // a drop-down list of its items only
};

// The tab pages the attributes stand on.
enum class NaviPage { Navigation, Variables, Data };
inline constexpr std::array<std::string_view, 3> kNaviPageCaptions{"ナビゲーション", "変数", "データ"};

struct NaviAttrSpec {
    NaviAttr attr;
    std::string_view name;          // as written: ` NAME="value"`
    std::string_view checkBox;      // the check box's name
    std::string_view caption;       // its caption; "&" marks the accelerator
    NaviValueKind kind;
    std::string_view valueControl;  // the value control's name, empty for none
    std::span<const std::string_view> items;  // list items, the first selected at opening
    bool checkedAtOpening;
    std::string_view text;          // a text box's text at opening, or the fixed value
    NaviPage page;
};

inline constexpr std::array<std::string_view, 7> kTaskItems{"GO",     "GOSUB", "PREV", "RETURN",
                                                            "CANCEL", "CALL",  "NOOP"};
inline constexpr std::array<std::string_view, 2> kTrueFalseItems{"True", "False"};
inline constexpr std::array<std::string_view, 2> kPostMethodItems{"GET", "POST"};
// The soft keys a TYPE names (the action and the choice entries dialogs).
inline constexpr std::array<std::string_view, 2> kSoftKeyTypes{"ACCEPT", "SOFT1"};

inline constexpr std::array<NaviAttrSpec, kNaviAttrCount> kNaviAttrs{{
    {NaviAttr::Task, "TASK", "chkTask", "ソフトキーに割り当てる作業TASK",
     NaviValueKind::EditableList, "cboTask", kTaskItems, false, "", NaviPage::Navigation},
    {NaviAttr::Rel, "REL", "chkRelNext", "先にダウンロードしておく&REL=NEXT ",
     NaviValueKind::None, "", {}, false, "NEXT", NaviPage::Navigation},
    {NaviAttr::Label, "LABEL", "chkLabel", "ラベルの内容LA&BEL",
     NaviValueKind::Text, "txtLabel", {}, true, "OK", NaviPage::Navigation},
    {NaviAttr::Dest, "DEST", "chkDest", "リンク先&DEST",
     NaviValueKind::Text, "txtDest", {}, true, "", NaviPage::Navigation},
    {NaviAttr::Vars, "VARS", "chkVars", "変数 &VARS",
     NaviValueKind::Text, "txtVars", {}, false, "", NaviPage::Variables},
    {NaviAttr::Next, "NEXT", "chkNext", "RETURNタスクをした後にアクセスするURL &NEXT",
     NaviValueKind::Text, "txtNext", {}, false, "", NaviPage::Navigation},
    {NaviAttr::Receive, "RECEIVE", "chkRECEIVE", "GOSUBタスクからの返り値を格納する変数R&ECEIVE",
     NaviValueKind::Text, "txtRECEIVE", {}, false, "", NaviPage::Variables},
    {NaviAttr::Cancel, "CANCEL", "chkCancel", "CANCELタスクが実行された時に移動するURL &CANCEL",
     NaviValueKind::Text, "txtCancel", {}, false, "", NaviPage::Navigation},
    {NaviAttr::Clear, "CLEAR", "chkClear", "呼び出すアクティビティの変数をクリア C&LEAR",
     NaviValueKind::FixedList, "cboClear", kTrueFalseItems, false, "", NaviPage::Variables},
    {NaviAttr::SendReferer, "SENDREFERER", "chkSendReferer", "現在のURLをサーバーへ送信&SENDREFERER",
     NaviValueKind::Text, "txtSendReferer", {}, false, "", NaviPage::Data},
    {NaviAttr::Friend, "FRIEND", "chkFriend",
     "GOSUBタスクで指定されたアクティビティはフレンドリーであるか&FRIEND ",
     NaviValueKind::FixedList, "cboFriend", kTrueFalseItems, false, "", NaviPage::Navigation},
    {NaviAttr::Retvals, "RETVALS", "chkRetvals", "呼び出し元へ返す値RETVALS(&Q) ",
     NaviValueKind::Text, "txtRetvals", {}, false, "", NaviPage::Variables},
    {NaviAttr::PostMethod, "POSTMETHOD", "chkPostMethod", "サーバーへのアクセスモード&POSTMETHOD",
     NaviValueKind::FixedList, "cboPostMethod", kPostMethodItems, false, "", NaviPage::Data},
    {NaviAttr::PostData, "POSTDATA", "chkPostData", "POSTするデータPOSTDATA",
     NaviValueKind::Text, "txtPostData", {}, false, "", NaviPage::Data},
    {NaviAttr::Number, "NUMBER", "chkNumber", "リンクした時にかける電話番号NUMBER=",
     NaviValueKind::Text, "txtNumber", {}, false, "", NaviPage::Navigation},
    {NaviAttr::AcceptCharset, "ACCEPTCHARSET", "chkACCEPTCHARSET", "文字セットACCEPT&-CHARSET",
     NaviValueKind::Text, "txtACCEPTCHARSET", {}, false, "", NaviPage::Data},
}};

constexpr std::size_t IndexOf(NaviAttr a) { return static_cast<std::size_t>(a); }
constexpr const NaviAttrSpec& SpecOf(NaviAttr a) { return kNaviAttrs[IndexOf(a)]; }

// The orders of writing. The link dialog writes the table's order, TASK
// first and only when checked. The action dialog writes TASK in its head,
// always, and DEST before LABEL; its own ICON and SRC follow these.
inline constexpr std::array<NaviAttr, kNaviAttrCount> kNaviAOrder = [] {
    std::array<NaviAttr, kNaviAttrCount> order{};
    for (std::size_t i = 0; i < kNaviAttrCount; ++i) order[i] = kNaviAttrs[i].attr;
    return order;
}();
inline constexpr std::array<NaviAttr, kNaviAttrCount - 1> kNaviActionOrder{
    NaviAttr::Rel,     NaviAttr::Dest,   NaviAttr::Label,       NaviAttr::Vars,
    NaviAttr::Next,    NaviAttr::Receive, NaviAttr::Cancel,     NaviAttr::Clear,
    NaviAttr::SendReferer, NaviAttr::Friend, NaviAttr::Retvals, NaviAttr::PostMethod,
    NaviAttr::PostData, NaviAttr::Number, NaviAttr::AcceptCharset,
};

// Each row sits at its attribute's index, and the action order names every
// attribute but TASK exactly once.
static_assert([] {
    for (std::size_t i = 0; i < kNaviAttrCount; ++i) {
        if (IndexOf(kNaviAttrs[i].attr) != i) return false;
    }
    std::array<int, kNaviAttrCount> seen{};
    for (NaviAttr a : kNaviActionOrder) ++seen[IndexOf(a)];
    for (std::size_t i = 0; i < kNaviAttrCount; ++i) {
        if (seen[i] != (i == IndexOf(NaviAttr::Task) ? 0 : 1)) return false;
    }
    return true;
}());

std::vector<std::string> ToItems(std::span<const std::string_view> items);

// The state of the sixteen attributes of one open dialog: a check box and a
// value control each (REL has none), at their state at opening.
class NaviAttributeSet {
public:
    NaviAttributeSet();
    NaviAttributeSet(const NaviAttributeSet&) = delete;
    NaviAttributeSet& operator=(const NaviAttributeSet&) = delete;

    ui::CheckBox& Check(NaviAttr a) { return slots_[IndexOf(a)].check; }
    const ui::CheckBox& Check(NaviAttr a) const { return slots_[IndexOf(a)].check; }
    // The value control; asking for the wrong kind is a programming error
    // and throws std::logic_error.
    ui::TextBox& Text(NaviAttr a);
    ui::ComboBox& Combo(NaviAttr a);
    // The value as its control shows it (the fixed value for REL).
    std::string_view Value(NaviAttr a) const;

    // Selects the first item of every list, in the table's order.
    void SelectFirstItems();
    // Every check box and value control runs `rebuild` when it changes.
    void OnChange(const std::function<void()>& rebuild);
    // Appends ` NAME="value"` for every checked attribute, in `order`.
    void AppendFragments(std::string& out, std::span<const NaviAttr> order) const;

private:
    struct Slot {
        ui::CheckBox check;
        std::optional<ui::TextBox> text;
        std::optional<ui::ComboBox> combo;
    };
    std::array<Slot, kNaviAttrCount> slots_;
};

}  // namespace mq
