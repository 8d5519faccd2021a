#pragma once
#include <string_view>

namespace mq {

// A file name against a wildcard pattern as the file system matches them:
// "*" stands for any run of characters, "?" for one character; letters
// A-Z match without regard to case. Both are UTF-8; "?" takes one whole
// character.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace mq
