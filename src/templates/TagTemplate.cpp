#include "templates/TagTemplate.h"

#include <algorithm>

#include "platform/ProfileText.h"
#include "platform/Utf.h"
#include "settings/INIAccessGlobal.h"
#include "settings/SettingsFile.h"

namespace mq {
namespace {

unsigned char Folded(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'a' && b <= 'z') ? static_cast<unsigned char>(b - 'a' + 'A') : b;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// As GetINIData: a value is cut after 255 bytes in the ANSI code page.
constexpr std::size_t kValueBytes = 255;

// Well-formed UTF-8 that holds at least one character beyond ASCII. Text
// in code page 932 is that only by chance, and then hardly ever all
// through a file; plain ASCII reads the same either way.
bool IsUtf8Beyond7Bit(std::string_view bytes) {
    bool beyond = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        utf::Next(bytes, pos);
        if (pos - start < 2) return false;  // a malformed sequence steps one byte
        beyond = true;
    }
    return beyond;
}

// The text with every malformed sequence as U+FFFD, so that the dialog
// never gets bytes that are no text. Already well-formed text comes back
// as it is.
std::string WellFormed(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) utf::Append(out, utf::Next(bytes, pos));
    return out;
}

// The value as far as its ANSI form fits in 255 bytes, cut between
// characters. A character's ANSI form is never longer than its UTF-8 form,
// so a value of up to 255 UTF-8 bytes always fits.
std::string CutForCodePage(std::string_view value, const AnsiCodePage& codePage) {
    value = value.substr(0, value.find('\0'));  // as the C string GetINIData gets
    if (value.size() <= kValueBytes) return std::string(value);
    std::size_t ansiBytes = 0;
    std::size_t pos = 0;
    while (pos < value.size()) {
        std::size_t next = pos;
        utf::Next(value, next);
        ansiBytes += codePage.FromUtf8(value.substr(pos, next - pos)).size();
        if (ansiBytes > kValueBytes) break;
        pos = next;
    }
    return std::string(value.substr(0, pos));
}

void AppendPart(std::string& out, const std::string& element, std::string_view value) {
    out += element;
    out += '"';
    out += value;
    out += "\" ";
}

}  // namespace

std::string ResolveLibraryFolder(const TemplatePorts& ports) {
    const std::string appFolder = ports.files.ApplicationFolder();
    INIAccessGlobal ini(ports.profile, ports.codePage);
    ini.FileName = SettingsFilePath(appFolder);

    if (ini.GetINIData(kSettingsSection, kTempleteLibKey).empty()) {
        ini.SetINIData(kSettingsSection, kTempleteLibKey, appFolder);
    }
    // A path naming a file is no library either: listing it could never
    // find a template, so it is repaired like a missing folder.
    if (!ports.files.IsFolder(ini.GetINIData(kSettingsSection, kTempleteLibKey))) {
        ini.SetINIData(kSettingsSection, kTempleteLibKey, appFolder);
    }
    std::string folder = ini.GetINIData(kSettingsSection, kTempleteLibKey);
    // The settings file could not be written: the templates beside the
    // program are still worth offering.
    if (folder.empty()) folder = appFolder;
    return folder;
}

bool TemplateNameLess(std::string_view a, std::string_view b) {
    const auto folded = [](char x, char y) { return Folded(x) < Folded(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded)) return false;
    const auto bytes = [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), bytes);
}

std::string TemplateNameOrder::SortKey(std::string_view name) const {
    // The folded name first; a NUL ends it, so a name that is the start of
    // another comes first; then the bytes decide between names that differ
    // only in case.
    std::string key;
    key.reserve(name.size() * 2 + 1);
    for (char c : name) key += static_cast<char>(Folded(c));
    key += '\0';
    key += name;
    return key;
}

std::vector<std::string> ListTemplates(FileSystemPort& files, const CollationPort& order,
                                       const AnsiCodePage& codePage, const std::string& folder) {
    if (folder.empty()) return {};
    std::vector<std::string> names = files.ListFiles(folder, std::string(kTemplatePattern));
    std::erase_if(names, [&](const std::string& name) { return !SpelledInCodePage(name, codePage); });
    // One key per name, however many comparisons the sort makes.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (auto& name : names) {
        std::string key = order.SortKey(name);
        keyed.emplace_back(std::move(key), std::move(name));
    }
    // Names equal to the collation (case alone) keep a fixed order.
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < keyed.size(); ++i) names[i] = std::move(keyed[i].second);
    return names;
}

std::string TemplatePath(std::string_view folder, std::string_view fileName) {
    std::string path(folder);
    if (path.empty() || path.back() != '\\') path += '\\';
    path += fileName;
    return path;
}

TagTemplate LoadTemplate(ProfileFile& profile, const AnsiCodePage& codePage,
                         const std::string& path) {
    TagTemplate t;
    // In this order, as the format is read everywhere.
    std::string* const fields[] = {
        &t.TagName,         &t.Edited,          &t.Index,           &t.BaseElement,
        &t.Element1,        &t.Element2,        &t.Element3,        &t.Element1Default,
        &t.Element2Default, &t.Element3Default, &t.CloseTag,
    };
    const std::string_view keys[] = {
        "TagName",         "Edited",          "Index",           "BaseElement",
        "Element1",        "Element2",        "Element3",        "Element1Default",
        "Element2Default", "Element3Default", "CloseTag",
    };
    static_assert(std::size(fields) == std::size(keys));

    // Today's editors save as UTF-8, often with the mark. Such a file is
    // parsed here, with the rules of the profile functions, which would
    // read its text as code page 932 (or, on Windows, miss the section
    // behind the mark).
    const std::optional<std::string> bytes =
        path.empty() ? std::nullopt : profile.ReadAll(path);
    if (bytes && (bytes->starts_with(kUtf8Mark) || IsUtf8Beyond7Bit(*bytes))) {
        std::string_view text(*bytes);
        std::string decoded;
        if (text.starts_with(kUtf8Mark)) {
            text.remove_prefix(kUtf8Mark.size());
            decoded = WellFormed(text);
            text = decoded;
        }
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            const auto value =
                profile::FindValue(text, kTemplateSection, keys[i], profile::Encoding::Utf8);
            if (value) *fields[i] = CutForCodePage(*value, codePage);
        }
        return t;
    }

    // Code page 932, the companion editor's files: through the profile
    // functions, exactly as every other profile file.
    INIAccessGlobal ini(profile, codePage);
    ini.FileName = path;
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        *fields[i] = ini.GetINIData(kTemplateSection, keys[i]);
    }
    return t;
}

std::string ExpandTemplate(const TagTemplate& tpl, std::string_view value1,
                           std::string_view value2, std::string_view value3) {
    std::string out = "<";
    for (char part : tpl.Index) {
        if (part == 'B') {
            out += tpl.BaseElement;
            out += ' ';
        } else if (part == '1') {
            AppendPart(out, tpl.Element1, value1);
        } else if (part == '2') {
            AppendPart(out, tpl.Element2, value2);
        } else if (part == '3') {
            AppendPart(out, tpl.Element3, value3);
        } else {
            break;
        }
    }
    // Only the very end: a value's own trailing spaces sit before its
    // closing quote and stay.
    while (out.back() == ' ') out.pop_back();
    out += '>';
    return out;
}

}  // namespace mq
