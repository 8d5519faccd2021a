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

namespace profile {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Code page 932 lead bytes: the next byte belongs to the same character.
bool IsLead(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view Trim(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// Arguments are C strings on Windows: nothing after a NUL reaches the file.
std::string_view UpToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsLead(a[i])) {
            // Both bytes of a double-byte character must match exactly.
            if (a[i] != b[i]) return false;
            if (++i < a.size() && a[i] != b[i]) return false;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

struct Line {
    std::size_t begin;  // first byte
    std::size_t end;    // one past the last byte before the line break
    std::size_t next;   // first byte of the next line (end of text: no break)
};

// Splits text at LF, CR LF and lone CR.
class Lines {
public:
    explicit Lines(std::string_view text, std::size_t from = 0) : t_(text), pos_(from) {}

    bool Next(Line& line) {
        if (pos_ >= t_.size()) return false;
        if (!lfKnown_ || lf_ < pos_) {
            lfKnown_ = true;
            // Remembered across lines, or a file of CR breaks would be
            // searched to its end once per line.
            const void* hit = std::memchr(t_.data() + pos_, '\n', t_.size() - pos_);
            lf_ = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - t_.data())
                      : t_.size();
        }
        line.begin = pos_;
        const void* cr = std::memchr(t_.data() + pos_, '\r', lf_ - pos_);
        if (cr != nullptr) {
            line.end = static_cast<std::size_t>(static_cast<const char*>(cr) - t_.data());
            line.next = line.end + 1;
            if (line.next < t_.size() && t_[line.next] == '\n') ++line.next;
        } else {
            line.end = lf_;
            line.next = lf_ < t_.size() ? lf_ + 1 : lf_;
        }
        pos_ = line.next;
        return true;
    }

private:
    std::string_view t_;
    std::size_t pos_;
    std::size_t lf_ = 0;  // the next LF at or after pos_, or the text's end
    bool lfKnown_ = false;
};

// The section a line names, if it is a section line: the text between
// "[" and the first "]" that is not the second byte of a character.
bool SectionName(std::string_view content, std::string_view& name) {
    std::size_t p = 0;
    while (p < content.size() && IsBlank(content[p])) ++p;
    if (p == content.size() || content[p] != '[') return false;
    for (std::size_t i = p + 1; i < content.size(); ++i) {
        if (IsLead(content[i])) {
            ++i;
        } else if (content[i] == ']') {
            name = Trim(content.substr(p + 1, i - p - 1));
            return true;
        }
    }
    return false;
}

// A key line: its key, and the offset of its "=" within the content.
bool KeyLine(std::string_view content, std::string_view& key, std::size_t& eq) {
    std::size_t p = 0;
    while (p < content.size() && IsBlank(content[p])) ++p;
    if (p < content.size() && content[p] == ';') return false;
    // "=" (0x3D) is never the second byte of a double-byte character.
    eq = content.find('=', p);
    if (eq == std::string_view::npos) return false;
    key = Trim(content.substr(p, eq - p));
    return true;
}

std::string_view Unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// The line of the first section of this name. Jumps from "[" to "[" rather
// than looking at every line: lines outside the section do not matter, and
// most of them hold no "[". A "[" counts only at the start of a line, after
// blanks; one that is the second byte of a character never is.
bool FindSection(std::string_view text, std::string_view section, Line& header) {
    const char* const base = text.data();
    std::size_t pos = 0;
    while (pos < text.size()) {
        const void* hit = std::memchr(base + pos, '[', text.size() - pos);
        if (hit == nullptr) return false;
        const std::size_t bracket = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        pos = bracket + 1;
        std::size_t begin = bracket;
        while (begin > 0 && IsBlank(text[begin - 1])) --begin;
        if (begin > 0 && text[begin - 1] != '\n' && text[begin - 1] != '\r') continue;
        std::size_t end = bracket;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
        std::string_view name;
        if (!SectionName(text.substr(begin, end - begin), name)) continue;
        pos = end;
        if (!SameName(name, section)) continue;
        header.begin = begin;
        header.end = end;
        header.next = end;
        if (end < text.size()) {
            header.next = end + 1;
            if (text[end] == '\r' && header.next < text.size() && text[header.next] == '\n')
                ++header.next;
        }
        return true;
    }
    return false;
}

}  // namespace

bool IsUtf16(std::string_view text) {
    return text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') ||
                                (text[0] == '\xFE' && text[1] == '\xFF'));
}

std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
    section = Trim(UpToNul(section));
    key = Trim(UpToNul(key));
    Line line;
    if (!FindSection(text, section, line)) return std::nullopt;
    Lines lines(text, line.next);
    while (lines.Next(line)) {
        const std::string_view content = text.substr(line.begin, line.end - line.begin);
        std::string_view name;
        if (SectionName(content, name)) return std::nullopt;  // the first section of a name counts
        std::string_view k;
        std::size_t eq = 0;
        if (KeyLine(content, k, eq) && SameName(k, key))
            return Unquote(Trim(content.substr(eq + 1)));
    }
    return std::nullopt;
}

std::optional<std::string> WithValue(std::string_view text, std::string_view section,
                                     std::string_view key, std::string_view value) {
    section = Trim(UpToNul(section));
    key = Trim(UpToNul(key));
    value = UpToNul(value);
    if (IsUtf16(text) || HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        return std::nullopt;

    Line anchor{};  // the section's line, then its last key line
    const bool inSection = FindSection(text, section, anchor);
    Lines lines(text, inSection ? anchor.next : text.size());
    Line line;
    while (lines.Next(line)) {
        const std::string_view content = text.substr(line.begin, line.end - line.begin);
        std::string_view name;
        if (SectionName(content, name)) break;
        std::string_view k;
        std::size_t eq = 0;
        if (!KeyLine(content, k, eq)) continue;
        if (SameName(k, key)) {
            // Replace the value in place: the key, the "=" and the blanks
            // after it stay; so does the line break.
            std::size_t v = line.begin + eq + 1;
            while (v < line.end && IsBlank(text[v])) ++v;
            std::string out;
            out.reserve(text.size() + value.size());
            out.append(text.substr(0, v)).append(value).append(text.substr(line.end));
            return out;
        }
        anchor = line;
    }

    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
    if (inSection) {
        out.append(text.substr(0, anchor.next));
        if (anchor.next == anchor.end) out.append("\r\n");  // the last line had no break
        out.append(key).append("=").append(value).append("\r\n");
        out.append(text.substr(anchor.next));
        return out;
    }
    out.append(text);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out.append("\r\n");
    out.append("[").append(section).append("]\r\n");
    out.append(key).append("=").append(value).append("\r\n");
    return out;
}

}  // namespace profile

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
