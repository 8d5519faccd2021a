#pragma once
#include "platform/Shell.h"

namespace mq {

// SHBrowseForFolderA with BIF_RETURNONLYFSDIRS and no callback, starting at
// the desktop. COM must be initialised on the calling thread.
class Win32FolderPicker final : public FolderPickerPort {
public:
    std::string PickFolder(WindowHandle owner, const std::string& title) override;
};

// The file system through the W functions: UTF-8 paths are exact there,
// whatever the ANSI code page can spell.
class Win32FileSystem final : public FileSystemPort {
public:
    std::string ApplicationFolder() override;
    bool IsOrdinaryFile(const std::string& path) override;
    bool Exists(const std::string& path) override;
    bool IsFolder(const std::string& path) override;
    std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) override;
};

// ShellExecuteA "open" with no parameters and no directory. A text the
// ANSI code page cannot spell goes through ShellExecuteW instead, so that
// it still names the same file.
class Win32Shell final : public ShellPort {
public:
    bool Open(WindowHandle owner, const std::string& fileOrAddress) override;
};

}  // namespace mq
