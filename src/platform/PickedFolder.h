#pragma once
#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace mq {

// The folder browser's answer as a path. `ansiBuffer` is the buffer the
// ANSI path call filled (all NUL after a cancel); the path is its text
// before the first NUL, read in the ANSI code page. `exactPath` is the
// chosen folder's path as the system spells it in Unicode (empty when it
// could not be had): when the ANSI spelling differs from it (a character
// the code page lacks came out as "?" or as a look-alike), the ANSI text
// names another folder or none, so the exact path is answered instead.
std::string PickedFolderPath(std::string_view ansiBuffer, std::string_view exactPath,
                             const AnsiCodePage& codePage);

}  // namespace mq
