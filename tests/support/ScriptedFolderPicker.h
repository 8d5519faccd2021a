#pragma once
// A folder browser that answers from a script: the owner and title it was
// shown with, and the folder (or "" for cancel) a test chose in advance.
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
        if (answers.empty()) return {};
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::string> answers;
    std::vector<WindowHandle> owners;
    std::vector<std::string> titles;
};

}  // namespace mq::test
