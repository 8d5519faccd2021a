#pragma once
#include <windows.h>

namespace mq::win32 {

// Puts a dialog just below `anchor` (the palette), or above it when there is
// no room below, always wholly inside the anchor's monitor's work area;
// centred on the primary monitor when there is no anchor.
void PlaceDialogNear(HWND dialog, HWND anchor);

// The dots per inch of the monitor a window is on; 96 where the system
// cannot tell (before Windows 10 1607).
UINT WindowDpi(HWND window);

}  // namespace mq::win32
