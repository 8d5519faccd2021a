#pragma once
#include "platform/Shell.h"

namespace mq {

// The file system through std::filesystem, for the native build. "\" in a
// path counts as a folder separator, since the core builds Windows paths.
// Hidden means a name beginning with "."; there are no system files.
class PosixFileSystem final : public FileSystemPort {
public:
    std::string ApplicationFolder() override;
    bool IsOrdinaryFile(const std::string& path) override;
    bool Exists(const std::string& path) override;
    bool IsFolder(const std::string& path) override;
    std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) override;
};

}  // namespace mq
