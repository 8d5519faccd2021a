#pragma once
#include <windows.h>

#include <string_view>
#include <commctrl.h>

namespace mq::win32 {

// The nine toolbar icons, 16 x 16, drawn in the order of the toolbar's
// buttons, silver (#C0C0C0) as the transparent colour. Returns the image
// list; the image of button i is image i.
HIMAGELIST CreateToolbarIcons(int size);

// A 16 x 16 drawing, one character a pixel, scaled by whole pixels to a
// top-down 32-bit bitmap of `size` x `size`; `pixel` gives each character's
// 0xAARRGGBB value. Null if the bitmap cannot be made.
HBITMAP PixelArtBitmap(const char* const rows[16], int size, DWORD (*pixel)(char));
// The image of the icon with this key, or -1.
int ToolbarIconIndex(std::string_view key);

// The program's own icon (IDI_MARQUILL in `module`) at `size` x `size`:
// the image of that size, or the system's scaling of the nearest one. The
// caller owns it (DestroyIcon); null if the module has no such icon.
HICON LoadProgramIcon(HINSTANCE module, int size);

}  // namespace mq::win32
