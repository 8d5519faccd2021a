#include "platform/win32/Placement.h"

namespace mq::win32 {

UINT WindowDpi(HWND window) {
    using Fn = UINT(WINAPI*)(HWND);
    static const auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = fn != nullptr && window != nullptr ? fn(window) : 0;
    return dpi != 0 ? dpi : 96;
}

void PlaceDialogNear(HWND dialog, HWND anchor) {
    RECT self;
    GetWindowRect(dialog, &self);
    const LONG w = self.right - self.left, h = self.bottom - self.top;
    HMONITOR monitor = MonitorFromWindow(anchor != nullptr ? anchor : dialog, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    const RECT work = info.rcWork;
    LONG x = work.left + (work.right - work.left - w) / 2;
    LONG y = work.top + (work.bottom - work.top - h) / 2;
    RECT a;
    if (anchor != nullptr && GetWindowRect(anchor, &a)) {
        x = a.left + (a.right - a.left - w) / 2;
        y = a.bottom + 4;
        if (y + h > work.bottom) y = a.top - h - 4;
    }
    if (x + w > work.right) x = work.right - w;
    if (y + h > work.bottom) y = work.bottom - h;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace mq::win32
