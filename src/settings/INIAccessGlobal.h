#pragma once
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/ProfileFile.h"

namespace mq {

// Reads and writes single values of one profile file. Callers create one
// per use, set FileName, make a call or a few and let it go. Texts are
// UTF-8; they cross to the file in the ANSI code page.
class INIAccessGlobal {
public:
    INIAccessGlobal(ProfileFile& profile, const AnsiCodePage& codePage)
        : profile_(profile), codePage_(codePage) {}

    // Full path of the file to use.
    std::string FileName;
    // The section of the last call that named one; a call with an empty
    // section uses it.
    std::string Section;

    // The value, cut after its first 255 bytes in the ANSI code page (even
    // inside a double-byte character); empty when missing or unreadable.
    std::string GetINIData(std::string_view strSection, std::string_view strKey);

    // True when the value was written.
    bool SetINIData(std::string_view strSection, std::string_view strKey,
                    std::string_view strData);

private:
    bool TakeSection(std::string_view strSection);

    ProfileFile& profile_;
    const AnsiCodePage& codePage_;
    std::string fileNameInUse_;  // FileName as it was when the call began
};

// The folder path with one "\" at its end: unchanged when it already ends
// in one, "\" for an empty path.
std::string WithTrailingBackslash(std::string_view path);

}  // namespace mq
