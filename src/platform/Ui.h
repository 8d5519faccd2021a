#pragma once
#include <cstdint>
#include <string>

#include "platform/Handles.h"

namespace mq {

// Message boxes and the beep. Texts are UTF-8; lines are joined by CR LF.
class MessagePort {
public:
    enum class Icon { Warning, Question, Information };
    enum class Buttons { Ok, OkCancel };
    enum class Answer { Ok, Cancel };

    virtual ~MessagePort() = default;
    virtual Answer Show(WindowHandle owner, const std::string& text, const std::string& caption,
                        Icon icon, Buttons buttons) = 0;
    virtual void Beep() = 0;
};

// The window's place in the topmost band: SetWindowPos as the palette calls it.
class WindowPort {
public:
    static constexpr WindowHandle kTopmost = static_cast<WindowHandle>(-1);
    static constexpr WindowHandle kNotTopmost = static_cast<WindowHandle>(-2);

    virtual ~WindowPort() = default;
    virtual bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx,
                              int cy, unsigned flags) = 0;
};

}  // namespace mq
