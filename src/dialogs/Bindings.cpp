#include "dialogs/Bindings.h"

#include <windowsx.h>

#include <utility>
#include <vector>

#include "dialogs/TextSplice.h"
#include "platform/win32/WideText.h"

namespace mq::win32 {
namespace {

std::wstring ListText(HWND list, int index) {
    const LRESULT n = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(n));
    return text;
}

std::wstring ComboItemText(HWND combo, int index) {
    const LRESULT n = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(n));
    return text;
}

bool IsEditBox(HWND control) {
    wchar_t cls[8] = {};
    return GetClassNameW(control, cls, 8) == 4 && CompareStringOrdinal(cls, 4, L"Edit", 4, TRUE) == CSTR_EQUAL;
}

// Writes `text` into a control that does not show it yet. An edit box
// gets only the part that differs: a rebuilt preview mostly changes in
// one place, and laying out the whole line again is what an edit box's
// WM_SETTEXT spends its time on. In the box that has the focus the caret
// goes after the new text rather than before it.
void WriteText(HWND control, const std::string& text, bool editBox, bool focused) {
    const std::wstring wide = Widen(text);
    const std::wstring shown = WindowText(control);
    if (shown == wide) return;
    if (editBox && !focused) {
        const ui::Splice part = ui::DifferingPart<wchar_t>(shown, wide);
        const std::wstring middle = wide.substr(part.start, part.toEnd - part.start);
        SendMessageW(control, EM_SETSEL, part.start, static_cast<LPARAM>(part.end));
        SendMessageW(control, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(middle.c_str()));
        if (WindowText(control) == wide) return;  // else: a limit or a filter got in the way
    }
    SetWindowTextW(control, wide.c_str());
    if (focused) SendMessageW(control, EM_SETSEL, wide.size(), static_cast<LPARAM>(wide.size()));
}

class TextBinding final : public Binding {
public:
    TextBinding(HWND parent, int id, ui::TextBox& box)
        : Binding(parent, id), box_(box), shown_(Narrow(WindowText(control_))) {}

    bool Takes(int code) const override {
        return code == EN_CHANGE || code == EN_SETFOCUS || code == EN_KILLFOCUS;
    }

    void Read(int code) override {
        // Where the focus is, kept from the box's own notices: asking the
        // system costs a round trip to the server under Wine on every write.
        if (code == EN_SETFOCUS) focused_ = true;
        if (code == EN_KILLFOCUS) focused_ = false;
        if (code == EN_CHANGE) {
            // Exactly as typed, a lone surrogate of a half-typed pair
            // included: the control keeps it, the model sees U+FFFD until
            // the pair is whole.
            shown_ = Narrow(WindowText(control_));
            box_.SetText(shown_);
        } else if (code == EN_SETFOCUS && box_.GotFocus) {
            box_.GotFocus();
        }
    }

    HWND Show() override {
        if (box_.Text() != shown_) {
            WriteText(control_, box_.Text(), editBox_, focused_);
            shown_ = box_.Text();
        }
        if (auto sel = box_.TakeSelRequest()) {
            SendMessageW(control_, EM_SETSEL, sel->start, static_cast<LPARAM>(sel->start + sel->length));
        }
        return box_.TakeFocusRequest() ? control_ : nullptr;
    }

private:
    ui::TextBox& box_;
    std::string shown_;
    const bool editBox_ = IsEditBox(control_);  // not a label showing model text
    bool focused_ = false;
};

class CheckBinding final : public Binding {
public:
    CheckBinding(HWND parent, int id, ui::CheckBox& box)
        : Binding(parent, id), box_(box), shown_(Checked()) {}

    bool Takes(int code) const override { return code == BN_CLICKED; }

    void Read(int) override {
        shown_ = Checked();
        box_.SetValue(shown_);
    }

    HWND Show() override {
        if (box_.Value() != shown_) {
            if (Checked() != box_.Value()) {
                SendMessageW(control_, BM_SETCHECK, box_.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            shown_ = box_.Value();
        }
        return nullptr;
    }

private:
    bool Checked() const { return SendMessageW(control_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

    ui::CheckBox& box_;
    bool shown_;
};

// The list's items never change after binding; they go in once.
void FillCombo(HWND combo, const ui::ComboBox& box) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const auto& item : box.Items()) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
}

int CurSel(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

// A list-only drop-down list: its value is the chosen item.
class ListComboBinding final : public Binding {
public:
    ListComboBinding(HWND parent, int id, ui::ComboBox& box) : Binding(parent, id), box_(box) {
        FillCombo(control_, box_);
        shown_ = CurSel(control_);
    }

    bool Takes(int code) const override { return code == CBN_SELCHANGE; }

    void Read(int) override {
        shown_ = CurSel(control_);
        box_.SetListIndex(shown_);
    }

    HWND Show() override {
        if (box_.ListIndex() != shown_) {
            if (CurSel(control_) != box_.ListIndex()) {
                SendMessageW(control_, CB_SETCURSEL, static_cast<WPARAM>(box_.ListIndex()), 0);
            }
            shown_ = box_.ListIndex();
        }
        return nullptr;
    }

private:
    ui::ComboBox& box_;
    int shown_ = -1;
};

// An editable drop-down list: its value is its text. A pick from the list
// puts the item's text in; typing never moves the list's selection, since
// choosing an item rewrites the edit part and moves the caret.
class EditComboBinding final : public Binding {
public:
    EditComboBinding(HWND parent, int id, ui::ComboBox& box) : Binding(parent, id), box_(box) {
        FillCombo(control_, box_);
        shownIndex_ = CurSel(control_);
        shownText_ = Narrow(WindowText(control_));
    }

    bool Takes(int code) const override {
        return code == CBN_SELCHANGE || code == CBN_EDITCHANGE || code == CBN_SELENDOK;
    }

    void Read(int code) override {
        if (code == CBN_SELENDOK) {
            // Enter in the open list after typing the start of an item: the
            // list has followed the typing to that item without a notice,
            // and the user takes it. Typed text that is no such start (one
            // ending in a space, one running past the item) stays.
            const int index = CurSel(control_);
            if (index < 0) return;
            const std::wstring item = ComboItemText(control_, index);
            const std::wstring typed = WindowText(control_);
            if (typed.size() >= item.size() ||
                CompareStringOrdinal(item.data(), static_cast<int>(typed.size()), typed.data(),
                                     static_cast<int>(typed.size()), TRUE) != CSTR_EQUAL) {
                return;
            }
            shownText_ = Narrow(typed);
            shownIndex_ = -1;
            box_.SetListIndex(index);
            return;
        }
        if (code == CBN_SELCHANGE) {
            // The edit part still shows the old text here; the list puts
            // the item's in right afterwards.
            shownIndex_ = CurSel(control_);
            shownText_ = shownIndex_ >= 0 ? Narrow(ComboItemText(control_, shownIndex_))
                                          : Narrow(WindowText(control_));
            box_.SetListIndex(shownIndex_);
        } else {
            shownText_ = Narrow(WindowText(control_));
            box_.SetText(shownText_);
            // Whatever the list shows as chosen now is the user's doing.
            shownIndex_ = box_.ListIndex();
        }
    }

    HWND Show() override {
        if (box_.ListIndex() != shownIndex_) {
            // The model chose an item (the first one, at opening).
            if (CurSel(control_) != box_.ListIndex()) {
                SendMessageW(control_, CB_SETCURSEL, static_cast<WPARAM>(box_.ListIndex()), 0);
            }
            shownIndex_ = box_.ListIndex();
        }
        if (box_.Text() != shownText_) {
            // The focus is never on the list itself but on its edit part.
            WriteText(control_, box_.Text(), false, false);
            shownText_ = box_.Text();
        }
        return nullptr;
    }

private:
    ui::ComboBox& box_;
    int shownIndex_ = -1;
    std::string shownText_;
};

// A list box. The system sends LBN_SELCHANGE for every click on a line,
// the line already selected included; a click is the user picking that
// line, also again. So the binding watches the mouse button itself: a
// release over the selected line that brought no notice of its own while
// the button was down (a press on another line does) picks that line
// again. Any other notice counts only when the selection has really
// moved: the keyboard sends one also where it moves nothing (Down on the
// last line), and that picks nothing.
class ListBinding final : public Binding {
public:
    ListBinding(HWND parent, int id, ui::ListBox& box)
        : Binding(parent, id), box_(box),
          shownIndex_(static_cast<int>(SendMessageW(control_, LB_GETCURSEL, 0, 0))) {
        // Its own window procedure in front of the list's, the binding kept
        // in the window's user data: the common controls' subclassing looks
        // its data up in a window property, which under Wine asks the
        // server on every message, ten thousand times while the list fills.
        SetWindowLongPtrW(control_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        listProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchButton)));
    }
    ~ListBinding() override {
        if (IsWindow(control_) &&
            GetWindowLongPtrW(control_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(WatchButton)) {
            SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc_));
            SetWindowLongPtrW(control_, GWLP_USERDATA, 0);
        }
    }

    bool Takes(int code) const override { return code == LBN_SELCHANGE; }

    void Read(int) override {
        shownIndex_ = static_cast<int>(SendMessageW(control_, LB_GETCURSEL, 0, 0));
        if (releasing_ && !noticedWhileDown_ && OnLine(shownIndex_, releasedAt_)) {
            box_.ClickLine(shownIndex_);
            return;
        }
        if (buttonDown_) noticedWhileDown_ = true;
        box_.SetListIndex(shownIndex_);
    }

    HWND Show() override {
        const bool refilled = box_.Revision() != shownRevision_;
        if (refilled) {
            Refill();
            shownRevision_ = box_.Revision();
        }
        if (refilled || box_.ListIndex() != shownIndex_) {
            if (SendMessageW(control_, LB_GETCURSEL, 0, 0) != box_.ListIndex()) {
                SendMessageW(control_, LB_SETCURSEL, static_cast<WPARAM>(box_.ListIndex()), 0);
            }
            shownIndex_ = box_.ListIndex();
        }
        return nullptr;
    }

private:
    static LRESULT CALLBACK WatchButton(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* binding = reinterpret_cast<ListBinding*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
            binding->buttonDown_ = true;
            binding->noticedWhileDown_ = false;
        } else if (msg == WM_LBUTTONUP) {
            // The list sends its notice from inside the release.
            binding->releasing_ = true;
            binding->releasedAt_ = lParam;
            const LRESULT r = CallWindowProcW(binding->listProc_, hwnd, msg, wParam, lParam);
            binding->releasing_ = false;
            binding->buttonDown_ = false;
            return r;
        }
        return CallWindowProcW(binding->listProc_, hwnd, msg, wParam, lParam);
    }

    // Whether a point of the list's client area lies on line `index`.
    bool OnLine(int index, LPARAM point) const {
        RECT line{};
        if (index < 0 ||
            SendMessageW(control_, LB_GETITEMRECT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&line)) == LB_ERR) {
            return false;
        }
        const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
        return PtInRect(&line, at) != FALSE;
    }

    void Refill() {
        const auto& items = box_.Items();
        // Only this binding fills the control, so a new revision is the
        // one moment to compare; when the items are the same (a list
        // rebuilt as it was) nothing is redrawn.
        std::wstring line;
        bool same = SendMessageW(control_, LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(items.size());
        for (std::size_t i = 0; same && i < items.size(); ++i) {
            WidenInto(items[i], line);
            same = ListText(control_, static_cast<int>(i)) == line;
        }
        if (same) return;
        // Without redrawing in between: a list of thousands (a template
        // library) otherwise updates its scroll bar and repaints per item.
        SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(control_, LB_RESETCONTENT, 0, 0);
        std::size_t bytes = 0;
        for (const auto& item : items) bytes += (item.size() + 1) * sizeof(wchar_t);
        SendMessageW(control_, LB_INITSTORAGE, items.size(), static_cast<LPARAM>(bytes));
        // Straight to the list's own procedure: through SendMessageW and
        // the binding's procedure in front, ten thousand lines take half as
        // long again under Wine.
        for (const auto& item : items) {
            WidenInto(item, line);
            CallWindowProcW(listProc_, control_, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(line.c_str()));
        }
        SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control_, nullptr, TRUE);
    }

    ui::ListBox& box_;
    std::uint64_t shownRevision_ = ~std::uint64_t{0};
    int shownIndex_;
    WNDPROC listProc_ = nullptr;
    bool buttonDown_ = false;
    bool noticedWhileDown_ = false;
    bool releasing_ = false;
    LPARAM releasedAt_ = 0;
};

class ButtonBinding final : public Binding {
public:
    ButtonBinding(HWND parent, int id, std::function<void()> onClick)
        : Binding(parent, id), onClick_(std::move(onClick)) {}

    bool Takes(int code) const override { return code == BN_CLICKED; }
    void Read(int) override {
        if (onClick_) onClick_();
    }
    HWND Show() override { return nullptr; }

private:
    std::function<void()> onClick_;
};

}  // namespace

Binding::Binding(HWND parent, int id) : parent_(parent), id_(id), control_(GetDlgItem(parent, id)) {}

std::unique_ptr<Binding> BindTextBox(HWND parent, int id, ui::TextBox& box) {
    return std::make_unique<TextBinding>(parent, id, box);
}

std::unique_ptr<Binding> BindCheckBox(HWND parent, int id, ui::CheckBox& box) {
    return std::make_unique<CheckBinding>(parent, id, box);
}

std::unique_ptr<Binding> BindComboBox(HWND parent, int id, ui::ComboBox& box) {
    if (box.Editable()) return std::make_unique<EditComboBinding>(parent, id, box);
    return std::make_unique<ListComboBinding>(parent, id, box);
}

std::unique_ptr<Binding> BindListBox(HWND parent, int id, ui::ListBox& box) {
    return std::make_unique<ListBinding>(parent, id, box);
}

std::unique_ptr<Binding> BindPushButton(HWND parent, int id, std::function<void()> onClick) {
    return std::make_unique<ButtonBinding>(parent, id, std::move(onClick));
}

}  // namespace mq::win32
