#pragma once
#include <string>

#include "platform/Collation.h"

namespace mq {

// The user's locale's collation without regard to case, as the system's
// sorted list boxes order their lines (LCMapStringEx sort keys).
class Win32Collation final : public CollationPort {
public:
    std::string SortKey(std::string_view name) const override;

private:
    // Kept between calls: a list sorts thousands of names in a row.
    mutable std::wstring wide_;
    mutable std::string key_;
};

}  // namespace mq
