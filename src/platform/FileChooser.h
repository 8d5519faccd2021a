#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/Handles.h"

namespace mq {

// One entry of an open-file dialog's type list: what the user reads, and
// the wildcard pattern it stands for.
struct FileFilter {
    std::string description;
    std::string pattern;
};

// What an open-file dialog is shown with. `fileName` is where it starts: a
// pattern ("*.bmp") or the full path of an earlier choice, whose folder it
// then opens in.
struct OpenFileRequest {
    WindowHandle owner = 0;
    std::string title;
    std::vector<FileFilter> filters;
    std::string fileName;
};

// The system's open-file dialog, shown modally over `owner`.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file's full path, or nothing when the user cancelled (or
    // the dialog could not be shown).
    virtual std::optional<std::string> ShowOpen(const OpenFileRequest& request) = 0;
};

}  // namespace mq
