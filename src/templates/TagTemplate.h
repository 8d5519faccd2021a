#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "platform/Collation.h"
#include "platform/ProfileFile.h"
#include "platform/Shell.h"

namespace mq {

// Tag template files (*.ktt): one INI section describing one tag. The
// format is shared with the companion HDML editor, so the section name and
// its spelling stay as they are.
inline constexpr std::string_view kTemplateSection = "KestrelTagTemplete";
inline constexpr std::string_view kTemplatePattern = "*.ktt";

// The eleven values of one template file, empty when absent. The program
// only ever reads template files.
struct TagTemplate {
    std::string TagName;          // shown as the tag's name
    std::string Edited;           // the author
    std::string Index;            // which parts the opening tag has, in order
    std::string BaseElement;      // written after "<" for "B"
    std::string Element1;         // written before the first value, e.g. "SRC="
    std::string Element2;
    std::string Element3;
    std::string Element1Default;  // initial text of the first value
    std::string Element2Default;
    std::string Element3Default;
    std::string CloseTag;         // goes behind the selection

    bool operator==(const TagTemplate&) const = default;
};

// What the template library needs of the outside world.
struct TemplatePorts {
    ProfileFile& profile;
    const AnsiCodePage& codePage;
    FileSystemPort& files;
    const CollationPort& collation;  // the order of the file list
};

// The library folder from "TempleteLib" in the settings file. An empty
// setting, or one that names no folder, is replaced by the application
// folder and written back (silently; a failed write goes unnoticed). When
// the setting stays empty all the same (the settings file cannot be
// written), the application folder is used for this opening without being
// saved.
std::string ResolveLibraryFolder(const TemplatePorts& ports);

// The names of the template files in `folder` ("*.ktt" without regard to
// case; ordinary files only, no subfolders), sorted by name in the order
// `order` gives. Nothing for an empty folder path or a folder that cannot
// be listed. A name the code page cannot spell is left out: the profile
// functions cannot open it, so it would only ever read as empty.
std::vector<std::string> ListTemplates(FileSystemPort& files, const CollationPort& order,
                                       const AnsiCodePage& codePage, const std::string& folder);

// The portable order of names: ASCII letters without regard to case, then
// the bytes as they are.
bool TemplateNameLess(std::string_view a, std::string_view b);

// TemplateNameLess as sort keys, for a build without the system's
// collation.
class TemplateNameOrder final : public CollationPort {
public:
    std::string SortKey(std::string_view name) const override;
};

// folder + "\" + fileName; no second backslash after a drive root.
std::string TemplatePath(std::string_view folder, std::string_view fileName);

// Reads the eleven keys, in their order, from the template section. A file
// that is missing or unreadable gives an empty template.
//
// A file that starts with the UTF-8 byte order mark, or that is all
// well-formed UTF-8 with at least one character beyond ASCII, is read as
// UTF-8: the values come as written, each cut between characters so that
// its ANSI form (what the host gets) is at most 255 bytes. Any other file
// is ANSI (code page 932) and read through the profile functions, every
// value cut after its first 255 bytes in the ANSI code page.
TagTemplate LoadTemplate(ProfileFile& profile, const AnsiCodePage& codePage,
                         const std::string& path);

// The opening tag: "<", then the parts named by Index in its order ("B" the
// element name, "1" to "3" an element text with its value in double
// quotes, each followed by a space) up to the first other character, then
// the trailing spaces dropped and ">" added. Values are copied as typed.
std::string ExpandTemplate(const TagTemplate& tpl, std::string_view value1,
                           std::string_view value2, std::string_view value3);

}  // namespace mq
