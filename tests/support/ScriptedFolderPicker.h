#pragma once
// A folder browser that answers from a script: the owner and title it was
// shown with, and the folders (or "" for cancel) a test chose in advance;
// once they have run out, every showing answers `otherwise`.
#include <deque>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace mq::test {

class ScriptedFolderPicker final : public FolderPickerPort {
public:
    std::string PickFolder(WindowHandle owner, const std::string& title) override {
        owners.push_back(owner);
        titles.push_back(title);
        if (answers.empty()) return otherwise;
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::string> answers;
    std::string otherwise;
    std::vector<WindowHandle> owners;
    std::vector<std::string> titles;
};

}  // namespace mq::test
