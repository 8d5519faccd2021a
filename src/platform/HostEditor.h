#pragma once
#include <cstdint>
#include <string>

#include "platform/Handles.h"

namespace mq {

// Whose a window is: its class and the process and thread that made it.
// All empty for a handle that names no window (any more).
struct WindowIdentity {
    std::string className;
    std::uint32_t process = 0;
    std::uint32_t thread = 0;
    bool operator==(const WindowIdentity&) const = default;
};

// Everything the host link needs of the host editor, one member per window
// message or call, and nothing more. Sending to a null or dead handle does
// nothing and answers 0, as on Windows.
class HostEditorPort {
public:
    virtual ~HostEditorPort() = default;

    virtual WindowHandle GetForegroundWindow() = 0;
    // First direct child of `parent` with this window class, or 0.
    virtual WindowHandle FindChildByClass(WindowHandle parent, const char* className) = 0;
    // WM_GETTEXTLENGTH: the text's length in bytes.
    virtual std::intptr_t GetTextLength(WindowHandle edit) = 0;
    // WM_GETTEXT with a zero-filled buffer of `length` + 1 bytes; returns the
    // first `length` bytes of that buffer as the host left them.
    virtual std::string GetText(WindowHandle edit, std::size_t length) = 0;
    // EM_GETSEL(0, 0): the packed value, start in the low word, end in the high.
    virtual std::uint32_t GetSelectionPacked(WindowHandle edit) = 0;
    // EM_GETSEL(&start, &end): the caller presets both; a host that does not
    // fill them leaves them as they were.
    virtual void GetSelectionPointers(WindowHandle edit, std::uint32_t& start, std::uint32_t& end) = 0;
    // EM_REPLACESEL(FALSE, bytes): not undoable, as the host expects.
    virtual void ReplaceSelection(WindowHandle edit, const std::string& ansiBytes) = 0;
    virtual void SetForegroundWindow(WindowHandle window) = 0;
    // Asks nothing of the window itself: the system answers.
    virtual WindowIdentity Identify(WindowHandle window) = 0;
};

}  // namespace mq
