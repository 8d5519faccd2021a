#pragma once
#include "platform/CodePage.h"

namespace mq {

// Code page 932 without Windows, for the native build: glibc's "CP932"
// table (the same double-byte table as Windows, NEC and IBM extensions
// included), with Windows' answers at the edges that glibc rejects.
class Cp932CodePage final : public AnsiCodePage {
public:
    std::string ToUtf8(std::string_view ansi) const override;
    std::string FromUtf8(std::string_view utf8) const override;
};

}  // namespace mq
