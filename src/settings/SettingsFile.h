#pragma once
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/ProfileFile.h"

namespace mq {

// Marquill's own settings file beside the executable, and its names.
inline constexpr std::string_view kSettingsFileName = "MARQ.ini";
inline constexpr std::string_view kSettingsSection = "Marquill";
inline constexpr std::string_view kTopMostKey = "TopMost";
inline constexpr std::string_view kTempleteLibKey = "TempleteLib";

// The settings file's path in the application folder (as the platform
// reports it: no trailing "\" except at a drive root). Built afresh by
// every user, just before use.
std::string SettingsFilePath(std::string_view appFolder);

// The saved always-on-top state: on top unless the file says "0" (a
// missing file or key, or any other text, means on top).
bool LoadTopMost(ProfileFile& profile, const AnsiCodePage& codePage, std::string_view appFolder);

// Saves the state at close: "1" for on top, "0" for not. The caller hands
// in the user's choice (while a dialog is open, the mark from before it was
// lifted). A failed write goes unnoticed, as everywhere.
void SaveTopMost(bool topMost, ProfileFile& profile, const AnsiCodePage& codePage,
                 std::string_view appFolder);

}  // namespace mq
