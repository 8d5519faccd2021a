#pragma once
#include <windows.h>

namespace mq::win32 {

// What every modal dialog of the program shares: the window from a
// resource template, one dialog procedure for the dialog and its child
// dialogs (tab pages, sections), one exception boundary, the placement
// near the palette, and the modal loop.
//
// The loop is the program's own rather than DialogBoxParam's, so that a
// dialog can see keys before the dialog manager does (Ctrl+Tab between
// tab pages) and so that a WM_QUIT ends it the way Cancel does, passed on
// to the palette's loop afterwards.
class DialogBase {
public:
    explicit DialogBase(int templateId);
    virtual ~DialogBase() = default;
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    // Shows the dialog modally without an owner, placed near `anchor` (the
    // palette), and returns once it has closed.
    void ShowModal(HINSTANCE instance, HWND anchor);

    HWND Window() const { return hwnd_; }

protected:
    // WM_INITDIALOG, before the dialog is placed and shown.
    virtual void OnInit() = 0;
    // A WM_COMMAND that reached the dialog or one of its child dialogs
    // (`parent`). Commands are told apart by the control's ID and the
    // window that received them, never by the handle in lParam: for the
    // default button the system reports whatever window of that ID it
    // found first anywhere in the tree.
    virtual void OnCommand(HWND parent, int id, int code) = 0;
    // The close box and the system menu.
    virtual void OnClose() = 0;
    // The dialog ends without any of its own buttons: a handler failed, or
    // the modal loop was broken by WM_QUIT. Closes as Cancel would.
    virtual void OnAbandon() = 0;
    // A key message for the dialog before the dialog manager sees it;
    // answer true to swallow it.
    virtual bool OnKey(const MSG&) { return false; }
    // Anything else the dialog handles itself (notices, colours, cursors);
    // answer true if handled, with the procedure's result in `result`.
    virtual bool OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    // Leaves the modal loop; the window is destroyed afterwards.
    void End() { ended_ = true; }

    // A child dialog from a template (a tab page or a section) whose
    // controls report to this dialog.
    HWND CreateChild(int templateId);

    // The window's dots per inch (96 where the system cannot tell).
    UINT Dpi() const;

private:
    static INT_PTR CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Fail(const char* what);

    int templateId_;
    HWND hwnd_ = nullptr;
    HWND anchor_ = nullptr;
    bool ended_ = false;
};

}  // namespace mq::win32
