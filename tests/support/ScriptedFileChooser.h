#pragma once
// An open-file dialog that answers from a script: what it was asked, and
// the path (or cancel) a test chose in advance for each showing.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileChooser.h"

namespace mq::test {

class ScriptedFileChooser final : public FileChooser {
public:
    std::optional<std::string> ShowOpen(const OpenFileRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // std::nullopt stands for the user cancelling.
    std::deque<std::optional<std::string>> answers;
    std::vector<OpenFileRequest> requests;
};

}  // namespace mq::test
