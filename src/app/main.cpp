#include <windows.h>
#include <commctrl.h>

#include "hostlink/HostLink.h"
#include "palette/Palette.h"
#include "palette/frmMain.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32Ui.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Marquill is often started from a download folder: never load a DLL
    // planted beside it, only the system's own.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES |
                                             ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    mq::Win32HostEditor host;
    mq::Win32CodePage codePage;
    mq::Win32Messages messages;
    mq::Win32Windows windows;
    mq::HostLink link(host, codePage, messages);
    mq::Palette palette(windows, link);
    mq::win32::frmMain form(instance, palette, link, {});
    return form.Run();
}
