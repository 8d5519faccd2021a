#pragma once
#include "platform/Collation.h"

namespace mq {

// The user's locale's collation without regard to case, as the system's
// sorted list boxes order their lines (LCMapStringEx sort keys).
class Win32Collation final : public CollationPort {
public:
    std::string SortKey(std::string_view name) const override;
};

}  // namespace mq
