#include <windows.h>

#include "hostlink/HostLink.h"
#include "palette/Palette.h"
#include "palette/frmMain.h"
#include "platform/win32/CommonControls.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Collation.h"
#include "platform/win32/Win32FileChooser.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Ui.h"
#include "settings/SettingsFile.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Marquill is often started from a download folder: never load a DLL
    // planted beside it, only the system's own. The program imports only
    // DLLs that Windows always takes from the system folder; every other
    // one (the common controls, the visual styles) is loaded after this.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");

    mq::win32::InitCommonControls(ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES |
                                  ICC_WIN95_CLASSES);

    mq::Win32HostEditor host;
    mq::Win32CodePage codePage;
    mq::Win32Messages messages;
    mq::Win32Windows windows;
    mq::Win32ProfileFile profile;
    mq::Win32FileSystem files;
    mq::Win32FolderPicker folders;
    mq::Win32Shell shell;
    mq::Win32FileChooser chooser;
    mq::Win32Collation collation;
    mq::TemplatePorts templatePorts{profile, codePage, files, collation};
    mq::HostLink link(host, codePage, messages);
    mq::Palette palette(windows, link);
    const mq::win32::CommandContext context{messages, chooser, templatePorts, folders, shell,
                                            palette.TemplateInUse()};

    mq::win32::frmMain::Hooks hooks;
    // The settings file's path is built afresh for every use.
    hooks.savedTopMost = [&] { return mq::LoadTopMost(profile, codePage, files.ApplicationFolder()); };
    hooks.saveTopMost = [&](const mq::Palette& p) {
        // The user's choice: while a dialog is open, the mark from before it was lifted.
        mq::SaveTopMost(p.ChosenTopMost(), profile, codePage, files.ApplicationFolder());
    };

    mq::win32::frmMain form(instance, palette, link, context, std::move(hooks));
    return form.Run();
}
