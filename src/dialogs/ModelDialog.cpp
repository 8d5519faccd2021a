#include "dialogs/ModelDialog.h"

#include <commctrl.h>

#include "dialogs/Bindings.h"
#include "dialogs/CommonRes.h"
#include "platform/win32/CommonControls.h"
#include "platform/win32/WideText.h"

namespace mq::win32 {

ModelDialog::ModelDialog(TagDialogModel& model, int templateId)
    : DialogBase(templateId), model_(model) {}

ModelDialog::~ModelDialog() = default;

void ModelDialog::BindText(HWND parent, int id, ui::TextBox& box) {
    bindings_.push_back(BindTextBox(parent, id, box));
}

void ModelDialog::BindCheck(HWND parent, int id, ui::CheckBox& box) {
    bindings_.push_back(BindCheckBox(parent, id, box));
}

void ModelDialog::BindCombo(HWND parent, int id, ui::ComboBox& box) {
    bindings_.push_back(BindComboBox(parent, id, box));
}

void ModelDialog::BindList(HWND parent, int id, ui::ListBox& box) {
    bindings_.push_back(BindListBox(parent, id, box));
}

void ModelDialog::BindButton(HWND parent, int id, std::function<void()> onClick) {
    bindings_.push_back(BindPushButton(parent, id, std::move(onClick)));
}

void ModelDialog::SetTip(HWND parent, int id, const std::string& text) {
    if (tooltip_ == nullptr) {
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window(), nullptr,
                                   nullptr, nullptr);
        SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    std::wstring wide = Widen(text);
    HWND control = GetDlgItem(parent, id);
    // An editable drop-down list takes the mouse in its edit part, which
    // needs the tip as well; tools are told apart by window, not by place.
    for (HWND target : {control, FindWindowExW(control, nullptr, L"Edit", nullptr)}) {
        if (target == nullptr) continue;
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = Window();
        info.uId = reinterpret_cast<UINT_PTR>(target);
        info.lpszText = wide.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

std::vector<HWND> ModelDialog::AddTabPages(int tabId, const std::vector<PageSpec>& pages) {
    HWND self = Window();
    tab_ = GetDlgItem(self, tabId);
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
    MapWindowPoints(tab_, self, reinterpret_cast<POINT*>(&area), 2);
    HWND after = tab_;
    for (const auto& wanted : pages) {
        HWND page = CreateChild(wanted.templateId);
        EnableTabPageTexture(page);
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
    HWND section = CreateChild(templateId);
    EnableTabPageTexture(section);
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
    // Everything of the other pages goes first, so that no moment shows
    // the controls of two pages at once.
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        if (static_cast<int>(i) != index) ShowWindow(pages_[i], SW_HIDE);
    }
    for (auto [page, control] : attached_) {
        if (page != index) ShowWindow(control, SW_HIDE);
    }
    if (index >= 0 && static_cast<std::size_t>(index) < pages_.size()) {
        ShowWindow(pages_[static_cast<std::size_t>(index)], SW_SHOW);
    }
    for (auto [page, control] : attached_) {
        if (page == index) ShowWindow(control, SW_SHOW);
    }
    if (tab_ != nullptr && SendMessageW(tab_, TCM_GETCURSEL, 0, 0) != index) {
        SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void ModelDialog::Sync() {
    syncing_ = true;
    HWND focus = nullptr;
    for (auto& b : bindings_) {
        if (HWND wanted = b->Show()) focus = wanted;
    }
    syncing_ = false;
    // Last, and outside the guard: the focus moving in raises the box's own
    // focus handling, which may ask for more (a selection).
    if (focus != nullptr && GetFocus() != focus) {
        SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    }
}

void ModelDialog::AfterModelRan() {
    if (model_.Closed()) {
        End();
        return;
    }
    Sync();
}

void ModelDialog::OnInit() {
    HWND self = Window();
    BindButton(self, IDC_CMDOK, [this] { model_.cmdOK_Click(); });
    BindButton(self, IDC_CMDCANCEL, [this] { model_.cmdCancel_Click(); });
    OnBind();
    model_.Form_Load();
    AfterModelRan();
}

void ModelDialog::OnCommand(HWND parent, int id, int code) {
    // The view's own writes raise notices too (EN_CHANGE on every
    // WM_SETTEXT); they are not the user's.
    if (syncing_) return;
    if (parent == Window() && id == IDCANCEL) {
        // Esc: IsDialogMessage reports it as IDCANCEL, which no control has,
        // so it stays apart from a click on Cancel.
        if (!model_.EscCancels()) return;
        model_.cmdCancel_Click();
        AfterModelRan();
        return;
    }
    for (auto& b : bindings_) {
        if (!b->Owns(parent, id)) continue;
        // Only the notices the model takes in may lead to a sync. EN_UPDATE
        // and CBN_EDITUPDATE (and CBN_SELENDOK) arrive before the change
        // notice, with the control already showing the user's new text or
        // item: nothing must be written then.
        if (!b->Takes(code)) return;
        b->Read(code);
        AfterModelRan();
        return;
    }
}

void ModelDialog::OnClose() {
    model_.cmdCancel_Click();
    End();
}

void ModelDialog::OnAbandon() {
    if (!model_.Closed()) model_.cmdCancel_Click();
}

bool ModelDialog::OnKey(const MSG& msg) {
    // Pages by keyboard, as in the system's property sheets: Ctrl+Tab and
    // Ctrl+PageDown go to the next page, with Shift or PageUp to the
    // previous one, around the ends; the focus goes onto the new page.
    if (tab_ == nullptr || pages_.empty() || msg.message != WM_KEYDOWN) return false;
    if ((GetKeyState(VK_CONTROL) & 0x8000) == 0 || (GetKeyState(VK_MENU) & 0x8000) != 0) return false;
    int step = 0;
    if (msg.wParam == VK_TAB) step = (GetKeyState(VK_SHIFT) & 0x8000) != 0 ? -1 : 1;
    else if (msg.wParam == VK_NEXT) step = 1;
    else if (msg.wParam == VK_PRIOR) step = -1;
    else return false;
    const int count = static_cast<int>(pages_.size());
    const int now = static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0));
    const int next = ((now < 0 ? 0 : now) + step + count) % count;
    SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    ShowPage(next);
    HWND page = pages_[static_cast<std::size_t>(next)];
    for (HWND c = GetWindow(page, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        const LONG_PTR style = GetWindowLongPtrW(c, GWL_STYLE);
        if ((style & WS_TABSTOP) != 0 && (style & WS_VISIBLE) != 0 && IsWindowEnabled(c)) {
            SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(c), TRUE);
            break;
        }
    }
    return true;
}

bool ModelDialog::OnMessage(HWND window, UINT msg, WPARAM, LPARAM lParam, INT_PTR& result) {
    if (msg != WM_NOTIFY || window != Window() || tab_ == nullptr) return false;
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr->hwndFrom != tab_ || hdr->code != TCN_SELCHANGE) return false;
    ShowPage(static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)));
    result = TRUE;
    return true;
}

}  // namespace mq::win32
