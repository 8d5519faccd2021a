#pragma once
// A real file-system port (`Real`: the portable one natively, the system's
// under Wine) with the program's folder where the test wants it, and a note
// of every file asked after with the ordinary-file test.
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace mq::test {

template <class Real>
class AppFolderFiles final : public FileSystemPort {
public:
    std::string ApplicationFolder() override { return appFolder; }
    bool IsOrdinaryFile(const std::string& path) override {
        asked.push_back(path);
        return real.IsOrdinaryFile(path);
    }
    bool Exists(const std::string& path) override { return real.Exists(path); }
    bool IsFolder(const std::string& path) override { return real.IsFolder(path); }
    std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) override {
        return real.ListFiles(folder, pattern);
    }

    std::string appFolder;
    std::vector<std::string> asked;
    Real real;
};

}  // namespace mq::test
