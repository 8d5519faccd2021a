#pragma once
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

}  // namespace mq
