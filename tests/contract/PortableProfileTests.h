#pragma once
// The portable profile reader and writer on files nobody should have to
// read: very large, binary, odd encodings, unwritable. Run natively and
// under Wine. Whatever the input: no crash, no hang, and a write either
// does exactly its job or leaves the file as it was.
#include "contract/ProfileContract.h"
#include "platform/posix/PosixProfile.h"

namespace mq::test {

// Deterministic noise, NUL bytes and line breaks included.
inline std::string Noise(std::size_t n, unsigned seed) {
    std::string s(n, '\0');
    for (auto& c : s) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return s;
}

#define MQ_PORTABLE_PROFILE_TESTS(Fixture)                                                     \
    TEST_F(Fixture, LargeFilesAreReadAndChangedInPlace) {                                      \
        /* 10 MB: 10,000 sections of about 1 KB */                                             \
        std::string text;                                                                      \
        for (int i = 0; i < 10000; ++i)                                                        \
            text += "[sec" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\npad=" +  \
                    std::string(1000, 'p') + "\r\n";                                           \
        tmp.Put("big.ini", text);                                                              \
        EXPECT_EQ(Get("big.ini", "sec9999", "k"), "9999");                                     \
        EXPECT_EQ(Get("big.ini", "SEC5000", "pad", "", 1u << 20), std::string(1000, 'p'));     \
        ASSERT_TRUE(Write("big.ini", "sec5000", "k", "x"));                                    \
        ASSERT_TRUE(Write("big.ini", "sec5000", "new", "y"));                                  \
        const std::string mark = "[sec5000]\r\nk=5000\r\npad=" + std::string(1000, 'p') +      \
                                 "\r\n";                                                       \
        const std::size_t at = text.find(mark);                                                \
        const std::string expected = text.substr(0, at) + "[sec5000]\r\nk=x\r\npad=" +         \
                                     std::string(1000, 'p') + "\r\nnew=y\r\n" +                \
                                     text.substr(at + mark.size());                            \
        EXPECT_TRUE(tmp.Bytes("big.ini") == expected);                                         \
        EXPECT_EQ(tmp.Entries(), 1u) << "no temporary file left behind";                       \
    }                                                                                           \
    TEST_F(Fixture, MegabyteLinesAndCrOnlyFiles) {                                              \
        const std::string huge(1u << 20, 'v');                                                 \
        tmp.Put("line.ini", "[s]\r\nk=" + huge + "\r\nafter=1\r\n");                           \
        EXPECT_EQ(Get("line.ini", "s", "k"), std::string(255, 'v'));                           \
        EXPECT_EQ(Get("line.ini", "s", "k", "", huge.size() + 1), huge);                       \
        ASSERT_TRUE(Write("line.ini", "s", "k", "short"));                                     \
        EXPECT_EQ(tmp.Bytes("line.ini"), "[s]\r\nk=short\r\nafter=1\r\n");                     \
        /* 200,000 lines ended by CR alone, the key at the very end */                         \
        std::string cr;                                                                        \
        for (int i = 0; i < 200000; ++i) cr.append("x").append(std::to_string(i)).append("=1\r");             \
        tmp.Put("cr.ini", "[s]\r" + cr + "last=2");                                            \
        EXPECT_EQ(Get("cr.ini", "s", "last"), "2");                                            \
        ASSERT_TRUE(Write("cr.ini", "s", "more", "3"));                                        \
        EXPECT_TRUE(tmp.Bytes("cr.ini") == "[s]\r" + cr + "last=2\r\nmore=3\r\n");             \
    }                                                                                           \
    TEST_F(Fixture, BinaryBytesAreCarriedThrough) {                                             \
        for (unsigned seed = 1; seed <= 20; ++seed) {                                          \
            const std::string noise = Noise(4096, seed);                                       \
            const std::string name = std::string("n").append(std::to_string(seed)).append(".ini");\
            tmp.Put(name, noise);                                                              \
            (void)Get(name, "s", "k");                                                         \
            if (!Write(name, "zz\x01", "k", "v")) {                                            \
                EXPECT_TRUE(tmp.Bytes(name) == noise) << "a refused write changed the file";   \
                continue;                                                                      \
            }                                                                                  \
            const std::string after = tmp.Bytes(name);                                         \
            EXPECT_EQ(Get(name, "zz\x01", "k"), "v") << seed;                                  \
            EXPECT_TRUE(after.compare(0, noise.size(), noise) == 0) << seed;                   \
        }                                                                                      \
        /* a NUL inside a value is returned; the text before it is the value */                \
        tmp.Put("zero.ini", std::string("[s]\r\na=1\0zz\r\nb=2\r\n", 18));                      \
        EXPECT_EQ(Get("zero.ini", "s", "a"), std::string("1\0zz", 4));                          \
        EXPECT_EQ(Get("zero.ini", "s", "b"), "2");                                              \
    }                                                                                           \
    TEST_F(Fixture, Utf16FilesAreLeftAlone) {                                                  \
        const std::string le("\xff\xfe[\0s\0]\0\r\0\n\0a\0=\0" "1\0\r\0\n\0", 22);             \
        const std::string be("\xfe\xff\0[\0s\0]\0\r\0\n\0a\0=\0" "1\0\r\0\n", 22);             \
        tmp.Put("le.ini", le);                                                                 \
        tmp.Put("be.ini", be);                                                                 \
        EXPECT_EQ(Get("le.ini", "s", "a"), "DEF");                                             \
        EXPECT_FALSE(Write("le.ini", "s", "b", "2"));                                          \
        EXPECT_FALSE(Write("be.ini", "s", "b", "2"));                                          \
        EXPECT_TRUE(tmp.Bytes("le.ini") == le);                                                \
        EXPECT_TRUE(tmp.Bytes("be.ini") == be);                                                \
    }                                                                                           \
    TEST_F(Fixture, LineBreaksInNamesOrValuesAreRefused) {                                     \
        tmp.Put("a.ini", "[s]\r\na=1\r\n");                                                    \
        EXPECT_FALSE(Write("a.ini", "s", "a", "2\r\n[Marquill]\r\nTopMost=0"));                 \
        EXPECT_FALSE(Write("a.ini", "s", "a\nb", "2"));                                        \
        EXPECT_FALSE(Write("a.ini", "s]\r[t", "a", "2"));                                      \
        EXPECT_EQ(tmp.Bytes("a.ini"), "[s]\r\na=1\r\n");                                       \
        /* as with C strings, nothing after a NUL counts */                                    \
        ASSERT_TRUE(Write("a.ini", "s", "a", std::string("2\0\r\nx", 5)));                     \
        EXPECT_EQ(tmp.Bytes("a.ini"), "[s]\r\na=2\r\n");                                       \
    }                                                                                           \
    TEST_F(Fixture, FoldersAndUnwritablePlaces) {                                               \
        fs::create_directory(tmp.dir() / "sub");                                               \
        EXPECT_EQ(Get("sub", "s", "k"), "DEF");                                                \
        EXPECT_FALSE(Write("sub", "s", "k", "v"));                                             \
        EXPECT_TRUE(fs::is_directory(tmp.dir() / "sub"));                                      \
        EXPECT_EQ(profile->GetString("s", "k", "D", 256, "").bytes, "D");                      \
        EXPECT_FALSE(profile->WriteString("s", "k", "v", ""));                                 \
        /* a read-only folder: the write succeeds or leaves all as it was */                   \
        fs::create_directory(tmp.dir() / "ro");                                                \
        tmp.Put("ro/a.ini", "[s]\r\na=1\r\n");                                                 \
        fs::permissions(tmp.dir() / "ro", fs::perms::owner_write | fs::perms::group_write |    \
                                              fs::perms::others_write,                         \
                        fs::perm_options::remove);                                             \
        const bool ok = Write("ro/a.ini", "s", "a", "2");                                      \
        fs::permissions(tmp.dir() / "ro", fs::perms::owner_write, fs::perm_options::add);      \
        EXPECT_EQ(tmp.Bytes("ro/a.ini"), ok ? "[s]\r\na=2\r\n" : "[s]\r\na=1\r\n");            \
        EXPECT_EQ(std::distance(fs::directory_iterator(tmp.dir() / "ro"),                      \
                                fs::directory_iterator()),                                     \
                  1);                                                                          \
    }

}  // namespace mq::test
