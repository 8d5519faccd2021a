// File-name wildcards as the file-system ports match them.
#include <gtest/gtest.h>

#include <string>

#include "platform/Wildcard.h"

namespace mq {
namespace {

TEST(Wildcard, StarsQuestionMarksAndCase) {
    EXPECT_TRUE(MatchesWildcard("link.ktt", "*.ktt"));
    EXPECT_TRUE(MatchesWildcard("LINK.KTT", "*.ktt"));
    EXPECT_TRUE(MatchesWildcard(".ktt", "*.ktt"));
    EXPECT_TRUE(MatchesWildcard("a.b.ktt", "*.ktt"));
    EXPECT_FALSE(MatchesWildcard("link.kttx", "*.ktt"));
    EXPECT_FALSE(MatchesWildcard("link.kt", "*.ktt"));
    EXPECT_FALSE(MatchesWildcard("linkktt", "*.ktt"));
    EXPECT_TRUE(MatchesWildcard("ab", "a*b*"));
    EXPECT_TRUE(MatchesWildcard("axxbyyb", "a*b"));
    EXPECT_FALSE(MatchesWildcard("", "?"));
    EXPECT_TRUE(MatchesWildcard("", "*"));
    // "?" takes a whole character; only A-Z fold.
    EXPECT_TRUE(MatchesWildcard("表.ktt", "?.ktt"));
    EXPECT_FALSE(MatchesWildcard("表表.ktt", "?.ktt"));
    EXPECT_FALSE(MatchesWildcard("Ａ.ktt", "ａ.ktt"));
}

TEST(Wildcard, ManyStarsAgainstALongNameStayQuick) {
    const std::string name(20000, 'a');
    EXPECT_FALSE(MatchesWildcard(name, "*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(MatchesWildcard(name + "b", "*a*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace mq
