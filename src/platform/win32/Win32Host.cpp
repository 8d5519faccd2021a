#include "platform/win32/Win32Host.h"

#include <windows.h>

namespace mq {
namespace {
HWND H(WindowHandle w) { return reinterpret_cast<HWND>(w); }
WindowHandle W(HWND h) { return reinterpret_cast<WindowHandle>(h); }
}  // namespace

WindowHandle Win32HostEditor::GetForegroundWindow() { return W(::GetForegroundWindow()); }

WindowHandle Win32HostEditor::FindChildByClass(WindowHandle parent, const char* className) {
    return W(FindWindowExA(H(parent), nullptr, className, nullptr));
}

std::intptr_t Win32HostEditor::GetTextLength(WindowHandle edit) {
    return SendMessageA(H(edit), WM_GETTEXTLENGTH, 0, 0);
}

std::string Win32HostEditor::GetText(WindowHandle edit, std::size_t length) {
    std::string buffer(length + 1, '\0');
    SendMessageA(H(edit), WM_GETTEXT, static_cast<WPARAM>(length + 1),
                 reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(length);
    return buffer;
}

std::uint32_t Win32HostEditor::GetSelectionPacked(WindowHandle edit) {
    return static_cast<std::uint32_t>(SendMessageA(H(edit), EM_GETSEL, 0, 0));
}

void Win32HostEditor::GetSelectionPointers(WindowHandle edit, std::uint32_t& start,
                                           std::uint32_t& end) {
    DWORD s = start, e = end;
    SendMessageA(H(edit), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = s;
    end = e;
}

void Win32HostEditor::ReplaceSelection(WindowHandle edit, const std::string& ansiBytes) {
    SendMessageA(H(edit), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(ansiBytes.c_str()));
}

void Win32HostEditor::SetForegroundWindow(WindowHandle window) { ::SetForegroundWindow(H(window)); }

WindowIdentity Win32HostEditor::Identify(WindowHandle window) {
    HWND h = H(window);
    if (h == nullptr || !IsWindow(h)) return {};
    WindowIdentity id;
    DWORD process = 0;
    id.thread = GetWindowThreadProcessId(h, &process);
    id.process = process;
    char name[256] = {};
    const int n = GetClassNameA(h, name, sizeof name);
    if (n > 0) id.className.assign(name, static_cast<std::size_t>(n));
    return id;
}

bool Win32Windows::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx,
                                int cy, unsigned flags) {
    return ::SetWindowPos(H(window), H(insertAfter), x, y, cx, cy, flags) != FALSE;
}

}  // namespace mq
