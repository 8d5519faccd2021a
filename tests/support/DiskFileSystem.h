#pragma once
// The file-system port over a real folder of the test machine, for native
// tests: "\" separates folders as in the core's Windows paths, and names a
// test marks as hidden stand in for Windows' hidden and system attributes.
// Calls are counted, so a test can see what reached the disk.
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "platform/Shell.h"

namespace mq::test {

class DiskFileSystem final : public FileSystemPort {
public:
    std::string ApplicationFolder() override { return applicationFolder; }
    bool IsOrdinaryFile(const std::string& path) override {
        std::error_code ec;
        return std::filesystem::is_regular_file(Native(path), ec) && !IsHidden(path);
    }
    bool Exists(const std::string& path) override {
        std::error_code ec;
        return !path.empty() && std::filesystem::exists(Native(path), ec);
    }
    bool IsFolder(const std::string& path) override {
        std::error_code ec;
        return !path.empty() && std::filesystem::is_directory(Native(path), ec);
    }
    std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) override {
        ++listings;
        std::vector<std::string> names;
        std::error_code ec;
        for (std::filesystem::directory_iterator it(Native(folder), ec), end; !ec && it != end;
             it.increment(ec)) {
            const std::string name = it->path().filename().string();
            std::error_code ec2;
            if (!it->is_regular_file(ec2) || hidden.count(name) != 0) continue;
            if (Matches(pattern, name)) names.push_back(name);
        }
        // Any order may come back from the system; make it a poor one.
        std::sort(names.rbegin(), names.rend());
        return names;
    }

    // Case-blind "*" and "?" matching, as Windows matches long names.
    static bool Matches(std::string_view pattern, std::string_view name) {
        auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
        std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
        while (n < name.size()) {
            if (p < pattern.size() && (pattern[p] == '?' || fold(pattern[p]) == fold(name[n]))) {
                ++p;
                ++n;
            } else if (p < pattern.size() && pattern[p] == '*') {
                star = p++;
                mark = n;
            } else if (star != std::string_view::npos) {
                p = star + 1;
                n = ++mark;
            } else {
                return false;
            }
        }
        while (p < pattern.size() && pattern[p] == '*') ++p;
        return p == pattern.size();
    }

    static std::filesystem::path Native(std::string path) {
        std::replace(path.begin(), path.end(), '\\', '/');
        return std::filesystem::path(std::u8string(path.begin(), path.end()));
    }

    std::string applicationFolder;
    std::set<std::string> hidden;
    int listings = 0;

private:
    bool IsHidden(const std::string& path) const {
        return hidden.count(Native(path).filename().string()) != 0;
    }
};

}  // namespace mq::test
