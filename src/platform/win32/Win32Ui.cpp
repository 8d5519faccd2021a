#include "platform/win32/Win32Ui.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace mq {

MessagePort::Answer Win32Messages::Show(WindowHandle owner, const std::string& text,
                                        const std::string& caption, Icon icon, Buttons buttons) {
    UINT style = buttons == Buttons::OkCancel ? MB_OKCANCEL : MB_OK;
    switch (icon) {
    case Icon::Warning: style |= MB_ICONEXCLAMATION; break;
    case Icon::Question: style |= MB_ICONQUESTION; break;
    case Icon::Information: style |= MB_ICONINFORMATION; break;
    }
    int r = MessageBoxW(reinterpret_cast<HWND>(owner), win32::Widen(text).c_str(),
                        win32::Widen(caption).c_str(), style);
    return r == IDOK ? Answer::Ok : Answer::Cancel;
}

void Win32Messages::Beep() { MessageBeep(MB_OK); }

}  // namespace mq
