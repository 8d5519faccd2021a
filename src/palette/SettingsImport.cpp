#include "palette/SettingsImport.h"

#include <string>

#include "settings/INIAccessGlobal.h"
#include "settings/SettingsFile.h"

namespace mq {

ImportOutcome mnuInportFromHDMLEditor_Click(WindowHandle owner, const ImportPorts& ports) {
    using namespace import_text;
    using Icon = MessagePort::Icon;
    using Buttons = MessagePort::Buttons;

    if (ports.messages.Show(owner, std::string(kConfirm), std::string(kConfirmCaption),
                            Icon::Question, Buttons::OkCancel) != MessagePort::Answer::Ok) {
        return ImportOutcome::Declined;
    }

    const std::string folder = ports.folders.PickFolder(owner, std::string(kFolderPrompt));
    if (folder.empty()) return ImportOutcome::NoFolder;

    const std::string companion = WithTrailingBackslash(folder).append(kCompanionFileName);
    // A folder the code page cannot spell is out of the profile functions'
    // reach: reading it would give empty text and wipe the setting.
    if (!ports.files.IsOrdinaryFile(companion) || !SpelledInCodePage(companion, ports.codePage)) {
        ports.messages.Show(owner, std::string(kNotFound), std::string(kFailedCaption),
                            Icon::Warning, Buttons::Ok);
        return ImportOutcome::NotFound;
    }

    std::string value;
    {
        INIAccessGlobal source(ports.profile, ports.codePage);
        source.FileName = companion;
        value = source.GetINIData(kCompanionSection, kCompanionTempleteLibKey);
    }

    bool written = false;
    {
        INIAccessGlobal settings(ports.profile, ports.codePage);
        settings.FileName = SettingsFilePath(ports.files.ApplicationFolder());
        written = settings.SetINIData(kSettingsSection, kTempleteLibKey, value);
    }

    if (!written) {
        ports.messages.Show(owner, std::string(kWriteFailed), std::string(kFailedCaption),
                            Icon::Warning, Buttons::Ok);
        return ImportOutcome::WriteFailed;
    }
    ports.messages.Show(owner, std::string(kDone), std::string(kDoneCaption), Icon::Information,
                        Buttons::Ok);
    return ImportOutcome::Done;
}

}  // namespace mq
