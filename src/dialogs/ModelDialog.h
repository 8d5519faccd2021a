#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/Controls.h"
#include "dialogs/TagDialog.h"

namespace mq::win32 {

// The Win32 side of a tag dialog: a modal dialog from a resource template
// whose controls mirror a TagDialogModel. It holds no rule of its own: a
// user's edit goes into the model (which runs its handlers), then every
// control is brought back in line with the model. Its own writes never come
// back as user edits.
//
// Cancel (IDC_CMDCANCEL) and the close box run cmdCancel_Click; Esc runs it
// only when the model says Esc cancels; OK (IDC_CMDOK) runs cmdOK_Click.
// Enter presses the template's default button.
class ModelDialog {
public:
    ModelDialog(TagDialogModel& model, int templateId);
    virtual ~ModelDialog() = default;
    ModelDialog(const ModelDialog&) = delete;
    ModelDialog& operator=(const ModelDialog&) = delete;

    // Shows the dialog modally without an owner, placed near `anchor` (the
    // palette). Returns once it has closed.
    void ShowModal(HINSTANCE instance, HWND anchor);

    HWND Window() const { return hwnd_; }

protected:
    // Binds the controls to the model (the Bind* calls below); Form_Load
    // runs afterwards, then the controls are filled from the model.
    virtual void OnInit() = 0;
    // Anything the generic binding does not cover; return true if handled.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);

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
    enum class Kind { Text, Check, Combo, List, Button };
    struct Binding {
        HWND control;
        Kind kind;
        void* target;
        std::function<void()> onClick;
        // Lists: the model's revision the control last showed in full.
        std::uint64_t shownRevision = ~std::uint64_t{0};
    };

    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    static INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(HWND control, int id, int code);
    void OnUserEdit(Binding& b, int code);
    void ShowPage(int index);
    void PlaceNear(HWND anchor);
    void Fail(const char* what);
    HWND Control(HWND parent, int id) const;
    Binding* Find(HWND control);

    int templateId_;
    HWND hwnd_ = nullptr;
    HWND anchor_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND tab_ = nullptr;
    std::vector<HWND> pages_;
    std::vector<std::pair<int, HWND>> attached_;
    std::vector<Binding> bindings_;
    bool syncing_ = false;
};

}  // namespace mq::win32
