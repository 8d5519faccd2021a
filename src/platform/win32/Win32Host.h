#pragma once
#include "platform/HostEditor.h"
#include "platform/Ui.h"

namespace mq {

// The host editor through real window messages (ANSI, SendMessageA).
class Win32HostEditor final : public HostEditorPort {
public:
    WindowHandle GetForegroundWindow() override;
    WindowHandle FindChildByClass(WindowHandle parent, const char* className) override;
    std::intptr_t GetTextLength(WindowHandle edit) override;
    std::string GetText(WindowHandle edit, std::size_t length) override;
    std::uint32_t GetSelectionPacked(WindowHandle edit) override;
    void GetSelectionPointers(WindowHandle edit, std::uint32_t& start, std::uint32_t& end) override;
    void ReplaceSelection(WindowHandle edit, const std::string& ansiBytes) override;
    void SetForegroundWindow(WindowHandle window) override;
    WindowIdentity Identify(WindowHandle window) override;
};

class Win32Windows final : public WindowPort {
public:
    bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                      unsigned flags) override;
};

}  // namespace mq
