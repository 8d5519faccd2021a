#pragma once
#include <string>
#include <string_view>

namespace mq {

// The order in which names are shown to the user. Names sort by their keys
// compared as bytes, so each name's key is computed once however long the
// list is.
class CollationPort {
public:
    virtual ~CollationPort() = default;
    // The key of a UTF-8 name.
    virtual std::string SortKey(std::string_view name) const = 0;
};

}  // namespace mq
