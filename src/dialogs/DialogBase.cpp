#include "dialogs/DialogBase.h"

#include <exception>
#include <string>

#include "platform/win32/Placement.h"
#include "platform/win32/WideText.h"

namespace mq::win32 {

DialogBase::DialogBase(int templateId) : templateId_(templateId) {}

bool DialogBase::OnMessage(HWND, UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

UINT DialogBase::Dpi() const { return WindowDpi(hwnd_); }

void DialogBase::ShowModal(HINSTANCE instance, HWND anchor) {
    anchor_ = anchor;
    ended_ = false;
    // The window is kept in hwnd_ from WM_INITDIALOG on.
    CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId_), nullptr, Proc,
                       reinterpret_cast<LPARAM>(this));
    if (hwnd_ == nullptr) return;
    if (!ended_) {
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
    }
    bool quit = false;
    WPARAM exitCode = 0;
    MSG msg;
    while (!ended_ && IsWindow(hwnd_)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            exitCode = msg.wParam;
            break;
        }
        if (got == -1) break;
        const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST &&
                         (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd));
        if (key && OnKey(msg)) continue;
        if (!IsDialogMessageW(hwnd_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (!ended_) {
        ended_ = true;
        try {
            OnAbandon();
        } catch (...) {
            // Nothing is left to report to: the dialog is going away.
        }
    }
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    // The palette's own loop must see the request too.
    if (quit) PostQuitMessage(static_cast<int>(exitCode));
}

HWND DialogBase::CreateChild(int templateId) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), hwnd_, Proc,
                              reinterpret_cast<LPARAM>(this));
}

void DialogBase::Fail(const char* what) {
    // A handler that throws must not leave the dialog half-alive (Wine drops
    // exceptions thrown inside callbacks): say so, and close as Cancel would.
    const std::wstring text = L"内部エラーのため、ダイアログを閉じます。\r\n" + Widen(what);
    MessageBoxW(hwnd_, text.c_str(), L"Marquill", MB_OK | MB_ICONEXCLAMATION);
    if (!ended_) {
        ended_ = true;
        try {
            OnAbandon();
        } catch (...) {
        }
    }
}

INT_PTR DialogBase::Handle(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    if (msg == WM_INITDIALOG) {
        if (window != hwnd_) return FALSE;  // a child dialog: focus is the dialog's business
        OnInit();
        PlaceDialogNear(hwnd_, anchor_);
        return TRUE;
    }
    if (OnMessage(window, msg, wParam, lParam, result)) return result;
    switch (msg) {
    case WM_COMMAND:
        if (!ended_) OnCommand(window, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        if (window != hwnd_) return FALSE;
        if (!ended_) OnClose();
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK DialogBase::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        auto* self = reinterpret_cast<DialogBase*>(lParam);
        if (self->hwnd_ == nullptr) self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr) return FALSE;
    try {
        return self->Handle(hwnd, msg, wParam, lParam);
    } catch (const std::exception& e) {
        self->Fail(e.what());
    } catch (...) {
        self->Fail("unknown error");
    }
    return TRUE;
}

}  // namespace mq::win32
