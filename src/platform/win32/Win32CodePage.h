#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace mq {

// The system's ANSI code page through MultiByteToWideChar and
// WideCharToMultiByte (CP_ACP), with the system's default character and
// best fit.
class Win32CodePage final : public AnsiCodePage {
public:
    std::string ToUtf8(std::string_view ansi) const override;
    std::string FromUtf8(std::string_view utf8) const override;
};

// A path for an ANSI (A) call: the UTF-8 path up to any embedded NUL, as
// the system would read it, in the ANSI code page (CP_ACP). Nothing when
// that is empty or has no exact ANSI spelling (no default character, no
// best fit), where the A call would name another file or none.
std::optional<std::string> ExactAnsiPath(std::string_view utf8);

}  // namespace mq
