#pragma once
#include "platform/Ui.h"

namespace mq {

class Win32Messages final : public MessagePort {
public:
    Answer Show(WindowHandle owner, const std::string& text, const std::string& caption, Icon icon,
                Buttons buttons) override;
    void Beep() override;
};

}  // namespace mq
