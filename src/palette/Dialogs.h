#pragma once
#include <windows.h>

#include "palette/Palette.h"

namespace mq::win32 {

// Shows the dialog of a tag command or of the version box modally, placed
// near `anchor`. Answers false when the command has no dialog.
bool ShowCommandDialog(Command command, HINSTANCE instance, HWND anchor);

// Whether ShowCommandDialog has a dialog for the command.
bool HasCommandDialog(Command command);

}  // namespace mq::win32
