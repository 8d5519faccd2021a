#pragma once
#include "platform/FileChooser.h"

namespace mq {

// GetOpenFileNameW, Explorer style.
class Win32FileChooser final : public FileChooser {
public:
    std::optional<std::string> ShowOpen(const OpenFileRequest& request) override;
};

}  // namespace mq
