#include "settings/SettingsFile.h"

#include "settings/INIAccessGlobal.h"

namespace mq {

std::string SettingsFilePath(std::string_view appFolder) {
    return WithTrailingBackslash(appFolder).append(kSettingsFileName);
}

bool LoadTopMost(ProfileFile& profile, const AnsiCodePage& codePage, std::string_view appFolder) {
    INIAccessGlobal ini(profile, codePage);
    ini.FileName = SettingsFilePath(appFolder);
    return ini.GetINIData(kSettingsSection, kTopMostKey) != "0";
}

void SaveTopMost(bool topMost, ProfileFile& profile, const AnsiCodePage& codePage,
                 std::string_view appFolder) {
    INIAccessGlobal ini(profile, codePage);
    ini.FileName = SettingsFilePath(appFolder);
    ini.SetINIData(kSettingsSection, kTopMostKey, topMost ? "1" : "0");
}

}  // namespace mq
