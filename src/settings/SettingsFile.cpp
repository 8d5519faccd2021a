#include "settings/SettingsFile.h"

#include "settings/INIAccessGlobal.h"

namespace mq {

std::string SettingsFilePath(std::string_view appFolder) {
    return WithTrailingBackslash(appFolder).append(kSettingsFileName);
}

void LoadTopMost(Palette& palette, ProfileFile& profile, const AnsiCodePage& codePage,
                 std::string_view appFolder) {
    INIAccessGlobal ini(profile, codePage);
    ini.FileName = SettingsFilePath(appFolder);
    palette.SetTopMostChecked(ini.GetINIData(kSettingsSection, kTopMostKey) == "0");
}

void SaveTopMost(const Palette& palette, ProfileFile& profile, const AnsiCodePage& codePage,
                 std::string_view appFolder) {
    INIAccessGlobal ini(profile, codePage);
    ini.FileName = SettingsFilePath(appFolder);
    ini.SetINIData(kSettingsSection, kTopMostKey, palette.ChosenTopMost() ? "1" : "0");
}

}  // namespace mq
