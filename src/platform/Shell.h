#pragma once
#include <string>
#include <vector>

#include "platform/Handles.h"

namespace mq {

// The system's folder browser (SHBrowseForFolderA with BIF_RETURNONLYFSDIRS).
// Paths are UTF-8; the Win32 implementation converts at the A calls.
class FolderPickerPort {
public:
    virtual ~FolderPickerPort() = default;
    // The chosen folder's path (a drive root keeps its backslash), or empty
    // text when the user cancelled or the choice has no file-system path.
    virtual std::string PickFolder(WindowHandle owner, const std::string& title) = 0;
};

// The little the program asks of the file system. Paths are UTF-8, in the
// platform's own form (backslashes on Windows).
class FileSystemPort {
public:
    virtual ~FileSystemPort() = default;
    // The folder of the program's executable: no trailing backslash except
    // at a drive root.
    virtual std::string ApplicationFolder() = 0;
    // An existing file that is neither a folder, hidden nor system.
    virtual bool IsOrdinaryFile(const std::string& path) = 0;
    // Whether anything (file or folder) exists at the path.
    virtual bool Exists(const std::string& path) = 0;
    virtual bool IsFolder(const std::string& path) = 0;
    // Names (not paths) of the ordinary files in `folder` matching the
    // wildcard `pattern` without regard to case; no folders, no hidden or
    // system files; in the order the system lists them.
    virtual std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) = 0;
};

// ShellExecuteA "open": a file with its handler, or an address in the browser.
class ShellPort {
public:
    virtual ~ShellPort() = default;
    virtual bool Open(WindowHandle owner, const std::string& fileOrAddress) = 0;
};

}  // namespace mq
