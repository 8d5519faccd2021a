#include "platform/posix/PosixProfile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <cerrno>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace mq {
namespace fs = std::filesystem;

namespace {

fs::path ToPath(std::string_view utf8) {
    utf8 = utf8.substr(0, utf8.find('\0'));
#ifdef _WIN32
    std::u8string s(utf8.size(), u8'\0');
    std::transform(utf8.begin(), utf8.end(), s.begin(),
                   [](char c) { return static_cast<char8_t>(c); });
    return fs::path(s);
#else
    std::string s(utf8);
    std::replace(s.begin(), s.end(), '\\', '/');
    return fs::path(s);
#endif
}

enum class Loaded { Ok, Missing, Failed };

Loaded Load(const fs::path& path, std::string& out) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (st.type() == fs::file_type::not_found) return Loaded::Missing;
    if (ec || fs::is_directory(st)) return Loaded::Failed;
    std::ifstream in(path, std::ios::binary);
    if (!in) return Loaded::Failed;
    // One read of the size the file has now, then whatever it grew by.
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > 0 && size < (std::uintmax_t{1} << 40)) {
        out.resize(static_cast<std::size_t>(size));
        in.read(out.data(), static_cast<std::streamsize>(size));
        out.resize(static_cast<std::size_t>(in.gcount()));
    }
    char chunk[1 << 14];
    while (in && (in.read(chunk, sizeof chunk) || in.gcount() > 0))
        out.append(chunk, static_cast<std::size_t>(in.gcount()));
    return in.bad() ? Loaded::Failed : Loaded::Ok;
}

#ifdef _WIN32
using FileId = int;
FileId CreateNew(const fs::path& p) {
    return _wopen(p.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
bool WriteAll(FileId f, std::string_view bytes) {
    while (!bytes.empty()) {
        const unsigned n = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30));
        const int w = _write(f, bytes.data(), n);
        if (w <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(w));
    }
    return _commit(f) == 0;
}
bool Close(FileId f) { return _close(f) == 0; }
#else
using FileId = int;
FileId CreateNew(const fs::path& p) {
    return ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
bool WriteAll(FileId f, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t w = ::write(f, bytes.data(), bytes.size());
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(w));
    }
    return ::fsync(f) == 0;
}
bool Close(FileId f) { return ::close(f) == 0; }
#endif

// Writes the bytes to a new file beside `target`, then renames it over
// `target`: readers see the old file or the new one, never a part.
bool ReplaceFile(const fs::path& target, std::string_view bytes,
                 std::optional<fs::perms> perms) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    fs::path tmp;
    FileId f = -1;
    for (int attempt = 0; attempt < 100 && f < 0; ++attempt) {
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".%llx-%x.tmp", stamp & 0xFFFFFFFFFFull,
                      counter.fetch_add(1));
        tmp = target;
        tmp += suffix;
        f = CreateNew(tmp);
        if (f < 0 && errno != EEXIST) return false;  // no folder, no permission
    }
    if (f < 0) return false;
    const bool written = WriteAll(f, bytes);
    const bool closed = Close(f);
    std::error_code ec;
    if (written && closed) {
        if (perms) fs::permissions(tmp, *perms, ec);
        ec.clear();
        fs::rename(tmp, target, ec);
        if (!ec) return true;
    }
    fs::remove(tmp, ec);
    return false;
}

}  // namespace

ProfileFile::Read PosixProfileFile::GetString(std::string_view section, std::string_view key,
                                              std::string_view def, std::size_t bufferSize,
                                              std::string_view path) {
    if (bufferSize == 0) return {};
    std::string text;
    std::optional<std::string_view> value;
    if (!path.empty() && path.front() != '\0' && Load(ToPath(path), text) == Loaded::Ok &&
        !profile::IsUtf16(text))
        value = profile::FindValue(text, section, key);
    if (!value) {
        def = def.substr(0, def.find('\0'));
        while (!def.empty() && def.back() == ' ') def.remove_suffix(1);
        value = def;
    }
    Read r;
    r.count = std::min(value->size(), bufferSize - 1);
    r.bytes.assign(value->substr(0, r.count));
    return r;
}

std::optional<std::string> PosixProfileFile::ReadAll(std::string_view path) {
    std::string text;
    if (path.empty() || path.front() == '\0' || Load(ToPath(path), text) != Loaded::Ok)
        return std::nullopt;
    return text;
}

bool PosixProfileFile::WriteString(std::string_view section, std::string_view key,
                                   std::string_view value, std::string_view path) {
    if (path.empty() || path.front() == '\0') return false;
    fs::path target = ToPath(path);
    std::error_code ec;
    // Write through a symbolic link, not over it.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        target = fs::canonical(target, ec);
        if (ec) return false;
    }
    std::string text;
    std::optional<fs::perms> perms;
    switch (Load(target, text)) {
    case Loaded::Failed:
        return false;  // never replace a file that could not be read
    case Loaded::Missing:
        break;
    case Loaded::Ok: {
        const fs::file_status st = fs::status(target, ec);
        if (ec) return false;
        perms = st.permissions();
        if ((*perms & fs::perms::owner_write) == fs::perms::none) return false;  // read-only
        break;
    }
    }
    const std::optional<std::string> out = profile::WithValue(text, section, key, value);
    if (!out) return false;
    return ReplaceFile(target, *out, perms);
}

}  // namespace mq
