#include "palette/HelpAndVersion.h"

#include <cstdio>

#include "settings/INIAccessGlobal.h"

namespace mq {

std::string HelpFilePath(std::string_view appFolder) {
    return WithTrailingBackslash(appFolder).append(kHelpFile);
}

void mnuOpenHelp_Click(WindowHandle owner, FileSystemPort& files, ShellPort& shell,
                       MessagePort& messages) {
    const std::string path = HelpFilePath(files.ApplicationFolder());
    if (files.IsOrdinaryFile(path)) {
        // Whether a handler could be started is not reported.
        shell.Open(owner, path);
        return;
    }
    messages.Show(owner, std::string(kHelpMissing), std::string(kHelpMissingCaption),
                  MessagePort::Icon::Warning, MessagePort::Buttons::Ok);
}

VersionNumbers FromFileVersion(std::uint32_t versionMS, std::uint32_t versionLS) {
    return {versionMS >> 16, versionMS & 0xFFFFu, versionLS >> 16};
}

std::string VersionText(const VersionNumbers& v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "Version %u.%02u.%04u ", v.major, v.minor, v.revision);
    return buffer;
}

}  // namespace mq
