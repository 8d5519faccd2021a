#pragma once
#include <string>
#include <string_view>

namespace mq {

// What one optional attribute adds to a composed tag: a space, the name,
// "=" and the value in double quotes. The value goes in exactly as the user
// typed it; nothing is trimmed or escaped.
inline void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
    out += ' ';
    out += name;
    out += "=\"";
    out += value;
    out += '"';
}

}  // namespace mq
