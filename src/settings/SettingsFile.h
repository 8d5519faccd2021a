#pragma once
#include <string>
#include <string_view>

#include "palette/Palette.h"
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

// Restores the palette's always-on-top check mark at start-up: set for a
// saved "0", clear otherwise. The mark holds the opposite of the wanted
// state until the palette's start-up toggle applies and flips it.
void LoadTopMost(Palette& palette, ProfileFile& profile, const AnsiCodePage& codePage,
                 std::string_view appFolder);

// Saves the state at close: "1" when the user's mark is set, "0" when
// clear (while a dialog is open, the mark from before it was lifted).
// A failed write goes unnoticed, as everywhere.
void SaveTopMost(const Palette& palette, ProfileFile& profile, const AnsiCodePage& codePage,
                 std::string_view appFolder);

}  // namespace mq
