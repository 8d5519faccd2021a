#pragma once
// Message boxes that are only written down: what was shown, and the answer
// a test chose in advance.
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace mq::test {

class RecordingMessagePort final : public MessagePort {
public:
    struct Shown {
        WindowHandle owner;
        std::string text;
        std::string caption;
        Icon icon;
        Buttons buttons;
    };

    Answer Show(WindowHandle owner, const std::string& text, const std::string& caption, Icon icon,
                Buttons buttons) override {
        shown.push_back({owner, text, caption, icon, buttons});
        return answer;
    }
    void Beep() override { ++beeps; }

    std::vector<Shown> shown;
    int beeps = 0;
    Answer answer = Answer::Ok;
};

}  // namespace mq::test
