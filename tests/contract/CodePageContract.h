#pragma once
// One set of expectations for every implementation of the ANSI code page
// (code page 932): the Win32 one under Wine and the portable one natively
// must answer alike, edges included.
#include <gtest/gtest.h>

#include <memory>

#include "platform/CodePage.h"

namespace mq::test {

class CodePageContract : public ::testing::Test {
protected:
    virtual std::unique_ptr<AnsiCodePage> Make() = 0;
    void SetUp() override { cp = Make(); }
    std::unique_ptr<AnsiCodePage> cp;
};

#define MQ_CODEPAGE_CONTRACT_TESTS(Fixture)                                                    \
    TEST_F(Fixture, RoundTripsJapaneseAndAscii) {                                               \
        const std::string sjis = "\x93\xfa\x96\x7b\x8c\xea" "abc";                              \
        EXPECT_EQ(cp->ToUtf8(sjis), "日本語abc");                                               \
        EXPECT_EQ(cp->FromUtf8("日本語abc"), sjis);                                             \
        EXPECT_EQ(cp->ToUtf8(""), "");                                                          \
        EXPECT_EQ(cp->FromUtf8(""), "");                                                        \
    }                                                                                           \
    TEST_F(Fixture, BackslashTildeAndWaveDashFollowWindows) {                                   \
        EXPECT_EQ(cp->ToUtf8("\x5c\x7e\x81\x60"), "\\~～");                                     \
        EXPECT_EQ(cp->FromUtf8("\\~～"), "\x5c\x7e\x81\x60");                                   \
        EXPECT_EQ(cp->ToUtf8("\xb1\xdd"), "ｱﾝ");                                                \
    }                                                                                           \
    TEST_F(Fixture, NecAndIbmExtensionsDecode) {                                                \
        EXPECT_EQ(cp->ToUtf8("\x87\x40"), "①");                                                 \
        EXPECT_EQ(cp->ToUtf8("\xfa\x40"), "ⅰ");                                                 \
        EXPECT_EQ(cp->FromUtf8("①"), "\x87\x40");                                               \
    }                                                                                           \
    TEST_F(Fixture, BrokenBytesReadAsMiddleDot) {                                               \
        /* a selection cut inside a double-byte character */                                    \
        EXPECT_EQ(cp->ToUtf8("\x96\x7b\x8c"), "本・");                                          \
        EXPECT_EQ(cp->ToUtf8("\x7b\x8c\xea"), "{語");                                           \
        EXPECT_EQ(cp->ToUtf8("\x81\x20" "a"), "・a");                                           \
        EXPECT_EQ(cp->ToUtf8("\xa0\xfd\xfe\xff"), "\uf8f0\uf8f1\uf8f2\uf8f3");                  \
    }                                                                                           \
    TEST_F(Fixture, UnrepresentableWritesQuestionMarks) {                                       \
        EXPECT_EQ(cp->FromUtf8("a😀b"), "a??b");                                                \
        EXPECT_EQ(cp->FromUtf8("한"), "?");                                                     \
        EXPECT_EQ(cp->FromUtf8("\u2212\u301c\u2014\u2016\u203e"), "?????");                     \
    }                                                                                           \
    TEST_F(Fixture, LatinLettersTakeTheirBestFit) {                                             \
        EXPECT_EQ(cp->FromUtf8("café"), "cafe");                                                \
        EXPECT_EQ(cp->FromUtf8("¥"), "\x5c");                                                   \
    }

}  // namespace mq::test
