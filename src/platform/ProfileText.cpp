#include "platform/ProfileText.h"

#include <cstring>

namespace mq {
namespace profile {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Code page 932 lead bytes: the next byte belongs to the same character.
// UTF-8 has none in this sense: every byte of a character beyond ASCII is
// 0x80 or above, so no byte can pass for a bracket or a letter.
bool IsLead(char c, Encoding encoding) {
    const auto b = static_cast<unsigned char>(c);
    return encoding == Encoding::Cp932 && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC));
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

bool SameName(std::string_view a, std::string_view b, Encoding encoding) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsLead(a[i], encoding)) {
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
bool SectionName(std::string_view content, std::string_view& name, Encoding encoding) {
    std::size_t p = 0;
    while (p < content.size() && IsBlank(content[p])) ++p;
    if (p == content.size() || content[p] != '[') return false;
    for (std::size_t i = p + 1; i < content.size(); ++i) {
        if (IsLead(content[i], encoding)) {
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
bool FindSection(std::string_view text, std::string_view section, Line& header,
                 Encoding encoding) {
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
        if (!SectionName(text.substr(begin, end - begin), name, encoding)) continue;
        pos = end;
        if (!SameName(name, section, encoding)) continue;
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
                                          std::string_view key, Encoding encoding) {
    section = Trim(UpToNul(section));
    key = Trim(UpToNul(key));
    Line line;
    if (!FindSection(text, section, line, encoding)) return std::nullopt;
    Lines lines(text, line.next);
    while (lines.Next(line)) {
        const std::string_view content = text.substr(line.begin, line.end - line.begin);
        std::string_view name;
        // The first section of a name counts.
        if (SectionName(content, name, encoding)) return std::nullopt;
        std::string_view k;
        std::size_t eq = 0;
        if (KeyLine(content, k, eq) && SameName(k, key, encoding))
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
    const bool inSection = FindSection(text, section, anchor, Encoding::Cp932);
    Lines lines(text, inSection ? anchor.next : text.size());
    Line line;
    while (lines.Next(line)) {
        const std::string_view content = text.substr(line.begin, line.end - line.begin);
        std::string_view name;
        if (SectionName(content, name, Encoding::Cp932)) break;
        std::string_view k;
        std::size_t eq = 0;
        if (!KeyLine(content, k, eq)) continue;
        if (SameName(k, key, Encoding::Cp932)) {
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

}  // namespace mq
