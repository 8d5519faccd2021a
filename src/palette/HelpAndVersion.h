#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Handles.h"
#include "platform/Shell.h"
#include "platform/Ui.h"

namespace mq {

// The help page, relative to the program's folder.
inline constexpr std::string_view kHelpFile = "help\\index.html";
inline constexpr std::string_view kHelpMissing = "ヘルプが見つかりません。";
inline constexpr std::string_view kHelpMissingCaption = "見つかりません。";

// The help page's full path beside the program.
std::string HelpFilePath(std::string_view appFolder);

// "開く(&O)" (F1): opens the help page with its handler when it is an
// ordinary file, otherwise says it is missing. Nothing else changes.
void mnuOpenHelp_Click(WindowHandle owner, FileSystemPort& files, ShellPort& shell,
                       MessagePort& messages);

// The version box.
inline constexpr std::string_view kVersionCaption = "Marquill バージョン情報";
inline constexpr std::string_view kProductName = "Marquill";
// The project's page, shown as the link and opened by a click on it.
inline constexpr std::string_view kProjectPage = "https://marquill.example/";
inline constexpr std::string_view kVersionNotice = "最新版と使い方の案内は上のページにあります。";

struct VersionNumbers {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned revision = 0;
};

// The numbers of a VERSIONINFO file version (the two 32-bit halves of
// the fixed file information): major, minor, revision are its first three
// 16-bit parts.
VersionNumbers FromFileVersion(std::uint32_t versionMS, std::uint32_t versionLS);

// "Version " major "." minor (two digits at least) "." revision (four
// digits at least) and one space: "Version 0.02.0005 ".
std::string VersionText(const VersionNumbers& v);

}  // namespace mq
