#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The values of a dialog's controls as its model holds them. Writing a
// value runs the control's handler at once, nested inside the write, and
// only when the value really changes: the rebuild chains of the dialogs
// rely on exactly that. The Win32 views mirror these into real controls.
namespace mq::ui {

class TextBox {
public:
    explicit TextBox(std::string text = {}) : text_(std::move(text)) {}
    TextBox(const TextBox&) = delete;
    TextBox& operator=(const TextBox&) = delete;

    const std::string& Text() const { return text_; }
    void SetText(std::string text) {
        if (text == text_) return;
        text_ = std::move(text);
        if (Change) Change();
    }

    std::function<void()> Change;

    // The keyboard focus and the selection, as a handler asks for them. The
    // view carries a request out on its next sync and drops it; the box
    // itself does not track where the focus is. Positions count UTF-16 units,
    // as the edit control does.
    struct Selection {
        std::size_t start = 0;
        std::size_t length = 0;
    };
    void SetFocus() { focusWanted_ = true; }
    void SetSel(std::size_t start, std::size_t length) { sel_ = Selection{start, length}; }
    bool FocusRequested() const { return focusWanted_; }
    const std::optional<Selection>& SelRequested() const { return sel_; }
    bool TakeFocusRequest() { return std::exchange(focusWanted_, false); }
    std::optional<Selection> TakeSelRequest() { return std::exchange(sel_, std::nullopt); }

    // Runs when the box receives the keyboard focus.
    std::function<void()> GotFocus;

private:
    std::string text_;
    bool focusWanted_ = false;
    std::optional<Selection> sel_;
};

class CheckBox {
public:
    explicit CheckBox(bool value = false) : value_(value) {}
    CheckBox(const CheckBox&) = delete;
    CheckBox& operator=(const CheckBox&) = delete;

    bool Value() const { return value_; }
    void SetValue(bool value) {
        if (value == value_) return;
        value_ = value;
        if (Click) Click();
    }

    std::function<void()> Click;

private:
    bool value_;
};

// A drop-down list, editable (the user may type any text) or list-only.
// Choosing an item sets the text to it and runs Click; typing into an
// editable one runs Change. In an editable list the text is the value:
// typed text chooses no item, even when it spells one, so the next pick of
// any item, that one included, is a change again.
class ComboBox {
public:
    ComboBox(std::vector<std::string> items, bool editable)
        : items_(std::move(items)), editable_(editable) {}
    ComboBox(const ComboBox&) = delete;
    ComboBox& operator=(const ComboBox&) = delete;

    const std::vector<std::string>& Items() const { return items_; }
    bool Editable() const { return editable_; }
    int ListIndex() const { return index_; }
    const std::string& Text() const { return text_; }

    void SetListIndex(int index) {
        if (index < -1 || index >= static_cast<int>(items_.size())) return;
        if (index == index_) return;
        index_ = index;
        std::string text = index >= 0 ? items_[static_cast<std::size_t>(index)] : std::string();
        const bool textChanged = text != text_;
        text_ = std::move(text);
        if (Click) Click();
        if (textChanged && editable_ && Change) Change();
    }
    // Typing into an editable list.
    void SetText(std::string text) {
        if (!editable_ || text == text_) return;
        text_ = std::move(text);
        index_ = -1;
        if (Change) Change();
    }

    std::function<void()> Click;
    std::function<void()> Change;

private:
    std::vector<std::string> items_;
    bool editable_;
    int index_ = -1;
    std::string text_;
};

// A plain list box whose items the model adds and removes.
class ListBox {
public:
    ListBox() = default;
    ListBox(const ListBox&) = delete;
    ListBox& operator=(const ListBox&) = delete;

    const std::vector<std::string>& Items() const { return items_; }
    // Changes with every change of the items, so a view can tell at once
    // whether it still shows them all (a template library has thousands).
    std::uint64_t Revision() const { return revision_; }
    int ListIndex() const { return index_; }
    void SetListIndex(int index) {
        if (index < -1 || index >= static_cast<int>(items_.size())) return;
        if (index == index_) return;
        index_ = index;
        if (Click) Click();
    }
    // The user picks line `index` with a click. The system reports a click
    // on the line that is already picked too, and so does this: Click runs
    // every time. A handler's own SetListIndex stays quiet when nothing
    // changes.
    void ClickLine(int index) {
        if (index < 0 || index >= static_cast<int>(items_.size())) return;
        index_ = index;
        if (Click) Click();
    }
    void AddItem(std::string item) {
        items_.push_back(std::move(item));
        ++revision_;
    }
    // All items at once, none selected (a folder's listing).
    void SetItems(std::vector<std::string> items) {
        items_ = std::move(items);
        index_ = -1;
        ++revision_;
    }
    void RemoveItem(int index) {
        if (index < 0 || index >= static_cast<int>(items_.size())) return;
        items_.erase(items_.begin() + index);
        ++revision_;
        if (index_ == index) index_ = -1;
        else if (index_ > index) --index_;
    }

    std::function<void()> Click;

private:
    std::vector<std::string> items_;
    int index_ = -1;
    std::uint64_t revision_ = 0;
};

}  // namespace mq::ui
