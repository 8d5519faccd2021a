#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/Controls.h"
#include "dialogs/DialogBase.h"
#include "dialogs/TagDialog.h"

namespace mq::win32 {

class Binding;

// The Win32 side of a tag dialog: its controls mirror a TagDialogModel.
// It holds no rule of its own. A user's edit goes into the model, which
// runs its handlers; then every control whose value the model itself has
// changed since is brought in line. What the user typed is never written
// back, so the caret, the selection and a half-typed surrogate pair stay
// as they are.
//
// OK (IDOK) runs cmdOK_Click and Cancel (IDC_CMDCANCEL) cmdCancel_Click.
// Enter presses the template's default button; Esc (IDCANCEL, which no
// control has) runs cmdCancel_Click only when the model says Esc cancels;
// the close box always does.
class ModelDialog : public DialogBase {
public:
    ModelDialog(TagDialogModel& model, int templateId);
    ~ModelDialog() override;

protected:
    // Binds the controls to the model (the Bind* calls below); Form_Load
    // runs afterwards, then the controls are filled from the model.
    virtual void OnBind() = 0;

    // `parent` is the dialog itself or one of its tab pages.
    void BindText(HWND parent, int id, ui::TextBox& box);
    void BindCheck(HWND parent, int id, ui::CheckBox& box);
    void BindCombo(HWND parent, int id, ui::ComboBox& box);
    void BindList(HWND parent, int id, ui::ListBox& box);
    void BindButton(HWND parent, int id, std::function<void()> onClick);
    // A tooltip for a control (tooltips of check boxes and the like).
    void SetTip(HWND parent, int id, const std::string& text);

    // Tab pages: child dialogs shown in the tab control `tabId`, one per
    // template; the first one is shown. Returns the pages' windows.
    struct PageSpec {
        std::string caption;
        int templateId;
    };
    std::vector<HWND> AddTabPages(int tabId, const std::vector<PageSpec>& pages);
    // A group of controls in a child dialog of its own (a template like a
    // page's, placed where its template says), right after `after` in the
    // tab order. With AttachToPage it becomes part of a tab page that comes
    // later in the tab order than the page's own window allows.
    HWND AddSection(int templateId, HWND after);
    // A window of the dialog that is shown and hidden with a tab page.
    void AttachToPage(int pageIndex, HWND window);

    // Brings every bound control in line with the model.
    void Sync();

    TagDialogModel& model_;

private:
    void OnInit() final;
    void OnCommand(HWND parent, int id, int code) final;
    void OnClose() final;
    void OnAbandon() final;
    bool OnKey(const MSG& msg) final;
    bool OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void ShowPage(int index);
    void AfterModelRan();

    HWND tooltip_ = nullptr;
    HWND tab_ = nullptr;
    std::vector<HWND> pages_;
    std::vector<std::pair<int, HWND>> attached_;
    std::vector<std::unique_ptr<Binding>> bindings_;
    bool syncing_ = false;
};

}  // namespace mq::win32
