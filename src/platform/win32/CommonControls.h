#pragma once
#include <windows.h>
#include <commctrl.h>

namespace mq::win32 {

// The common controls and the visual styles, called through SystemProc.
// Neither DLL is one that Windows only ever takes from the system folder,
// so importing them would let a file of that name beside the program (a
// download folder holds anything) run inside it before its first line.
// Loaded after start-up has limited the search to the system folder, the
// system's copy comes: for the common controls, the manifest's version 6.

// InitCommonControlsEx with these classes (ICC_*).
void InitCommonControls(DWORD classes);
// ImageList_Create, ImageList_AddMasked and ImageList_Destroy.
HIMAGELIST CreateImageList(int cx, int cy, UINT flags, int initial, int grow);
void AddMaskedImage(HIMAGELIST list, HBITMAP bitmap, COLORREF mask);
void DestroyImageList(HIMAGELIST list);
// EnableThemeDialogTexture(page, ETDT_ENABLETAB): a tab page drawn in the
// tab control's colours. Nothing where visual styles are missing.
void EnableTabPageTexture(HWND page);

}  // namespace mq::win32
