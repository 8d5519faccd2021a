#include "platform/posix/PosixFileSystem.h"

#include <filesystem>
#include <system_error>

#include "platform/Wildcard.h"

namespace mq {
namespace fs = std::filesystem;
namespace {

fs::path Native(const std::string& path) {
    std::string p = path.substr(0, path.find('\0'));
    for (char& c : p) {
        if (c == '\\') c = '/';
    }
    return fs::path(std::u8string(p.begin(), p.end()));
}

std::string Utf8(const fs::path& p) {
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

bool Hidden(const fs::path& p) {
    const std::string name = Utf8(p.filename());
    return !name.empty() && name.front() == '.';
}

}  // namespace

std::string PosixFileSystem::ApplicationFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return Utf8(exe.parent_path());
}

bool PosixFileSystem::IsOrdinaryFile(const std::string& path) {
    if (path.empty()) return false;
    const fs::path p = Native(path);
    std::error_code ec;
    return fs::is_regular_file(p, ec) && !Hidden(p);
}

bool PosixFileSystem::Exists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return fs::exists(Native(path), ec);
}

bool PosixFileSystem::IsFolder(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return fs::is_directory(Native(path), ec);
}

std::vector<std::string> PosixFileSystem::ListFiles(const std::string& folder,
                                                    const std::string& pattern) {
    std::vector<std::string> names;
    if (folder.empty()) return names;
    std::error_code ec;
    for (fs::directory_iterator it(Native(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError) || Hidden(it->path())) continue;
        std::string name = Utf8(it->path().filename());
        if (MatchesWildcard(name, pattern)) names.push_back(std::move(name));
    }
    return names;
}

}  // namespace mq
