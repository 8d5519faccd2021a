#include "dialogs/ModelDialog.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <exception>

#include "dialogs/CommonRes.h"
#include "platform/win32/Placement.h"
#include "platform/win32/WideText.h"

namespace mq::win32 {
namespace {

std::wstring WindowText(HWND control) {
    int n = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    n = GetWindowTextW(control, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return text;
}

std::wstring ListText(HWND list, int index) {
    LRESULT n = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(n));
    return text;
}

}  // namespace

ModelDialog::ModelDialog(TagDialogModel& model, int templateId)
    : model_(model), templateId_(templateId) {}

void ModelDialog::ShowModal(HINSTANCE instance, HWND anchor) {
    anchor_ = anchor;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId_), nullptr, DialogProc,
                    reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
}

bool ModelDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

HWND ModelDialog::Control(HWND parent, int id) const { return GetDlgItem(parent, id); }

void ModelDialog::BindText(HWND parent, int id, ui::TextBox& box) {
    bindings_.push_back({Control(parent, id), Kind::Text, &box, {}});
}

void ModelDialog::BindCheck(HWND parent, int id, ui::CheckBox& box) {
    bindings_.push_back({Control(parent, id), Kind::Check, &box, {}});
}

void ModelDialog::BindCombo(HWND parent, int id, ui::ComboBox& box) {
    HWND combo = Control(parent, id);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const auto& item : box.Items()) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
    bindings_.push_back({combo, Kind::Combo, &box, {}});
}

void ModelDialog::BindList(HWND parent, int id, ui::ListBox& box) {
    bindings_.push_back({Control(parent, id), Kind::List, &box, {}});
}

void ModelDialog::BindButton(HWND parent, int id, std::function<void()> onClick) {
    bindings_.push_back({Control(parent, id), Kind::Button, nullptr, std::move(onClick)});
}

void ModelDialog::SetTip(HWND parent, int id, const std::string& text) {
    if (tooltip_ == nullptr) {
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                   nullptr, nullptr);
        SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    std::wstring wide = Widen(text);
    HWND control = Control(parent, id);
    // An editable drop-down list takes the mouse in its edit part, which
    // needs the tip as well; tools are told apart by window, not by place.
    for (HWND target : {control, FindWindowExW(control, nullptr, L"Edit", nullptr)}) {
        if (target == nullptr) continue;
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hwnd_;
        info.uId = reinterpret_cast<UINT_PTR>(target);
        info.lpszText = wide.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

std::vector<HWND> ModelDialog::AddTabPages(int tabId, const std::vector<PageSpec>& pages) {
    tab_ = GetDlgItem(hwnd_, tabId);
    // The pages sit over the tab control; without this it paints over them.
    SetWindowLongPtrW(tab_, GWL_STYLE, GetWindowLongPtrW(tab_, GWL_STYLE) | WS_CLIPSIBLINGS);
    RECT area;
    GetClientRect(tab_, &area);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        std::wstring caption = Widen(pages[i].caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tab_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(tab_, hwnd_, reinterpret_cast<POINT*>(&area), 2);
    HWND after = tab_;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    for (const auto& wanted : pages) {
        HWND page = CreateDialogParamW(instance, MAKEINTRESOURCEW(wanted.templateId), hwnd_, PageProc,
                                       reinterpret_cast<LPARAM>(this));
        EnableThemeDialogTexture(page, ETDT_ENABLETAB);
        // Right after the tab control in the Z order, so Tab walks from the
        // tabs into the page and on to the buttons.
        SetWindowPos(page, after, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOACTIVATE);
        after = page;
        pages_.push_back(page);
    }
    ShowPage(0);
    return pages_;
}

HWND ModelDialog::AddSection(int templateId, HWND after) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    HWND section = CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), hwnd_, PageProc,
                                      reinterpret_cast<LPARAM>(this));
    EnableThemeDialogTexture(section, ETDT_ENABLETAB);
    SetWindowPos(section, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(section, SW_SHOW);
    return section;
}

void ModelDialog::AttachToPage(int pageIndex, HWND window) {
    attached_.emplace_back(pageIndex, window);
    const int shown = tab_ != nullptr ? static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)) : 0;
    ShowWindow(window, pageIndex == shown ? SW_SHOW : SW_HIDE);
}

void ModelDialog::ShowPage(int index) {
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        ShowWindow(pages_[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
    }
    for (auto [page, control] : attached_) ShowWindow(control, page == index ? SW_SHOW : SW_HIDE);
    if (tab_ != nullptr && SendMessageW(tab_, TCM_GETCURSEL, 0, 0) != index) {
        SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

ModelDialog::Binding* ModelDialog::Find(HWND control) {
    if (control == nullptr) return nullptr;
    for (auto& b : bindings_) {
        if (b.control == control) return &b;
    }
    return nullptr;
}

void ModelDialog::Sync() {
    syncing_ = true;
    HWND focus = nullptr;
    for (auto& b : bindings_) {
        switch (b.kind) {
        case Kind::Text: {
            auto& box = *static_cast<ui::TextBox*>(b.target);
            std::wstring want = Widen(box.Text());
            if (WindowText(b.control) != want) SetWindowTextW(b.control, want.c_str());
            if (auto sel = box.TakeSelRequest()) {
                SendMessageW(b.control, EM_SETSEL, sel->start, static_cast<LPARAM>(sel->start + sel->length));
            }
            if (box.TakeFocusRequest()) focus = b.control;
            break;
        }
        case Kind::Check: {
            auto& box = *static_cast<ui::CheckBox*>(b.target);
            bool shown = SendMessageW(b.control, BM_GETCHECK, 0, 0) == BST_CHECKED;
            if (shown != box.Value()) {
                SendMessageW(b.control, BM_SETCHECK, box.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            break;
        }
        case Kind::Combo: {
            auto& box = *static_cast<ui::ComboBox*>(b.target);
            if (SendMessageW(b.control, CB_GETCURSEL, 0, 0) != box.ListIndex()) {
                SendMessageW(b.control, CB_SETCURSEL, static_cast<WPARAM>(box.ListIndex()), 0);
            }
            if (box.Editable()) {
                std::wstring want = Widen(box.Text());
                if (WindowText(b.control) != want) SetWindowTextW(b.control, want.c_str());
            }
            break;
        }
        case Kind::List: {
            auto& box = *static_cast<ui::ListBox*>(b.target);
            const auto& items = box.Items();
            // Only the view fills the control, so an unchanged revision
            // means it still shows every item: no walk over thousands of
            // them on each keystroke elsewhere in the dialog.
            bool same = box.Revision() == b.shownRevision;
            if (!same) {
                same = SendMessageW(b.control, LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(items.size());
                for (std::size_t i = 0; same && i < items.size(); ++i) {
                    same = ListText(b.control, static_cast<int>(i)) == Widen(items[i]);
                }
            }
            b.shownRevision = box.Revision();
            if (!same) {
                // Without redrawing in between: a list of thousands (a
                // template library) otherwise updates its scroll bar and
                // repaints once per item.
                SendMessageW(b.control, WM_SETREDRAW, FALSE, 0);
                SendMessageW(b.control, LB_RESETCONTENT, 0, 0);
                std::size_t bytes = 0;
                for (const auto& item : items) bytes += (item.size() + 1) * sizeof(wchar_t);
                SendMessageW(b.control, LB_INITSTORAGE, items.size(), static_cast<LPARAM>(bytes));
                for (const auto& item : items) {
                    SendMessageW(b.control, LB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(Widen(item).c_str()));
                }
                SendMessageW(b.control, WM_SETREDRAW, TRUE, 0);
                InvalidateRect(b.control, nullptr, TRUE);
            }
            if (SendMessageW(b.control, LB_GETCURSEL, 0, 0) != box.ListIndex()) {
                SendMessageW(b.control, LB_SETCURSEL, static_cast<WPARAM>(box.ListIndex()), 0);
            }
            break;
        }
        case Kind::Button:
            break;
        }
    }
    syncing_ = false;
    // Last, and outside the guard: the focus moving in raises the box's own
    // focus handling, which may ask for more (a selection).
    if (focus != nullptr && GetFocus() != focus) {
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    }
}

void ModelDialog::OnUserEdit(Binding& b, int code) {
    switch (b.kind) {
    case Kind::Text: {
        auto& box = *static_cast<ui::TextBox*>(b.target);
        if (code == EN_CHANGE) box.SetText(Narrow(WindowText(b.control)));
        else if (code == EN_SETFOCUS && box.GotFocus) box.GotFocus();
        break;
    }
    case Kind::Check:
        if (code == BN_CLICKED) {
            bool checked = SendMessageW(b.control, BM_GETCHECK, 0, 0) == BST_CHECKED;
            static_cast<ui::CheckBox*>(b.target)->SetValue(checked);
        }
        break;
    case Kind::Combo: {
        auto& box = *static_cast<ui::ComboBox*>(b.target);
        if (code == CBN_SELCHANGE) {
            box.SetListIndex(static_cast<int>(SendMessageW(b.control, CB_GETCURSEL, 0, 0)));
        } else if (code == CBN_EDITCHANGE) {
            box.SetText(Narrow(WindowText(b.control)));
        }
        break;
    }
    case Kind::List:
        if (code == LBN_SELCHANGE) {
            static_cast<ui::ListBox*>(b.target)->SetListIndex(
                static_cast<int>(SendMessageW(b.control, LB_GETCURSEL, 0, 0)));
        }
        break;
    case Kind::Button:
        if (code == BN_CLICKED && b.onClick) b.onClick();
        break;
    }
}

void ModelDialog::OnCommand(HWND control, int id, int code) {
    if (syncing_) return;
    if (control == nullptr && id == IDCANCEL) {
        // Esc (IsDialogMessage turns it into IDCANCEL; no control has that ID).
        if (model_.EscCancels()) model_.cmdCancel_Click();
    } else {
        if (control == nullptr) control = GetDlgItem(hwnd_, id);
        Binding* b = Find(control);
        // Only the notices the model takes in can change it, so only they
        // lead to a sync. The others must not: EN_UPDATE and CBN_EDITUPDATE
        // (and CBN_SELENDOK) arrive before the change notice, with the
        // control already showing the user's new text or item, and a sync
        // then would put the old one back before the model hears of it.
        const bool taken = b != nullptr && [&] {
            switch (b->kind) {
            case Kind::Text: return code == EN_CHANGE || code == EN_SETFOCUS;
            case Kind::Check:
            case Kind::Button: return code == BN_CLICKED;
            case Kind::Combo: return code == CBN_SELCHANGE || code == CBN_EDITCHANGE;
            case Kind::List: return code == LBN_SELCHANGE;
            }
            return false;
        }();
        if (!taken) return;
        OnUserEdit(*b, code);
    }
    if (model_.Closed()) {
        EndDialog(hwnd_, 0);
        return;
    }
    Sync();
}

void ModelDialog::PlaceNear(HWND anchor) { PlaceDialogNear(hwnd_, anchor); }

void ModelDialog::Fail(const char* what) {
    // A handler that throws must not leave the dialog half-alive (Wine drops
    // exceptions thrown inside callbacks): say so, and close as Cancel would.
    std::wstring text = L"内部エラーのため、ダイアログを閉じます。\r\n" + Widen(what);
    MessageBoxW(hwnd_, text.c_str(), L"Marquill", MB_OK | MB_ICONEXCLAMATION);
    model_.cmdCancel_Click();
    EndDialog(hwnd_, 0);
}

INT_PTR ModelDialog::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    if (msg != WM_INITDIALOG && OnMessage(msg, wParam, lParam, result)) return result;
    switch (msg) {
    case WM_INITDIALOG:
        if (GetDlgItem(hwnd_, IDC_CMDOK)) BindButton(hwnd_, IDC_CMDOK, [this] { model_.cmdOK_Click(); });
        if (GetDlgItem(hwnd_, IDC_CMDCANCEL)) {
            BindButton(hwnd_, IDC_CMDCANCEL, [this] { model_.cmdCancel_Click(); });
        }
        OnInit();
        model_.Form_Load();
        Sync();
        PlaceNear(anchor_);
        return TRUE;
    case WM_COMMAND:
        OnCommand(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (tab_ != nullptr && hdr->hwndFrom == tab_ && hdr->code == TCN_SELCHANGE) {
            ShowPage(static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)));
            return TRUE;
        }
        return FALSE;
    }
    case WM_CLOSE:
        // The close box and the system menu: always as Cancel.
        model_.cmdCancel_Click();
        EndDialog(hwnd_, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK ModelDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<ModelDialog*>(lParam)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<ModelDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr) return FALSE;
    try {
        return self->Handle(msg, wParam, lParam);
    } catch (const std::exception& e) {
        self->Fail(e.what());
    } catch (...) {
        self->Fail("unknown error");
    }
    return TRUE;
}

INT_PTR CALLBACK ModelDialog::PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return FALSE;
    }
    auto* self = reinterpret_cast<ModelDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr || (msg != WM_COMMAND && msg != WM_NOTIFY)) return FALSE;
    // Controls on a page report to the page; the dialog handles them.
    try {
        return self->Handle(msg, wParam, lParam);
    } catch (const std::exception& e) {
        self->Fail(e.what());
    } catch (...) {
        self->Fail("unknown error");
    }
    return TRUE;
}

}  // namespace mq::win32
