#include "platform/PickedFolder.h"

namespace mq {

std::string PickedFolderPath(std::string_view ansiBuffer, std::string_view exactPath,
                             const AnsiCodePage& codePage) {
    const std::string ansi = codePage.ToUtf8(ansiBuffer.substr(0, ansiBuffer.find('\0')));
    if (ansi.empty() || exactPath.empty() || ansi == exactPath) return ansi;
    return std::string(exactPath);
}

}  // namespace mq
