#pragma once
#include <windows.h>
#include <commctrl.h>

namespace mq::win32 {

// The nine toolbar icons, 16 x 16, drawn in the order of the toolbar's
// buttons, silver (#C0C0C0) as the transparent colour. Returns the image
// list; the image of button i is image i.
HIMAGELIST CreateToolbarIcons(int size);
// The image of the icon with this key, or -1.
int ToolbarIconIndex(const char* key);

}  // namespace mq::win32
