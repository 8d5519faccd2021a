#pragma once
// One set of expectations for every implementation of the profile file
// port: the system's functions under Wine, and the portable reader and
// writer both natively and under Wine, must read and write alike.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "platform/ProfileFile.h"

namespace mq::test {

namespace fs = std::filesystem;

inline std::string Utf8(const fs::path& p) {
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

inline fs::path FromUtf8(std::string_view s) {
    return fs::path(std::u8string(s.begin(), s.end()));
}

// A fresh folder per test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> n{0};
        const auto t = std::chrono::steady_clock::now().time_since_epoch().count();
        // Unique across the processes of a parallel test run too.
        dir_ = fs::temp_directory_path() /
               ("mq-profile-" + std::to_string(t) + "-" + std::to_string(std::random_device{}()) +
                "-" + std::to_string(n++));
        fs::create_directories(dir_);
    }
    ~TempFolder() {
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(dir_, ec))
            fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& dir() const { return dir_; }
    std::string Path(std::string_view name) const { return Utf8(dir_ / FromUtf8(name)); }

    void Put(std::string_view name, std::string_view bytes) const {
        std::ofstream f(dir_ / FromUtf8(name), std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(f.good());
    }
    std::string Bytes(std::string_view name) const {
        std::ifstream f(dir_ / FromUtf8(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    bool Exists(std::string_view name) const { return fs::exists(dir_ / FromUtf8(name)); }
    std::size_t Entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }

private:
    fs::path dir_;
};

class ProfileContract : public ::testing::Test {
protected:
    virtual std::unique_ptr<ProfileFile> Make() = 0;
    // True for the system's functions under Wine, which depart from
    // Windows in a few known ways; tests of those ways are skipped there.
    virtual bool SystemUnderWine() const { return false; }
    void SetUp() override { profile = Make(); }

    std::string Get(std::string_view file, std::string_view section, std::string_view key,
                    std::string_view def = "DEF", std::size_t size = 256) {
        return profile->GetString(section, key, def, size, tmp.Path(file)).bytes;
    }
    bool Write(std::string_view file, std::string_view section, std::string_view key,
               std::string_view value) {
        return profile->WriteString(section, key, value, tmp.Path(file));
    }

    TempFolder tmp;
    std::unique_ptr<ProfileFile> profile;
};

#define MQ_SKIP_ON_WINE(reason) \
    if (SystemUnderWine()) GTEST_SKIP() << reason

#define MQ_PROFILE_CONTRACT_TESTS(Fixture)                                                     \
    TEST_F(Fixture, MissingFileSectionOrKeyGivesTheDefault) {                                   \
        EXPECT_EQ(Get("none.ini", "s", "k"), "DEF");                                           \
        tmp.Put("a.ini", "[s]\r\nk=1\r\n");                                                    \
        EXPECT_EQ(Get("a.ini", "t", "k"), "DEF");                                              \
        EXPECT_EQ(Get("a.ini", "s", "x"), "DEF");                                              \
        /* trailing spaces of the default go; it is cut to the buffer too */                   \
        auto r = profile->GetString("s", "x", "d  ", 256, tmp.Path("a.ini"));                  \
        EXPECT_EQ(r.count, 1u);                                                                \
        EXPECT_EQ(r.bytes, "d");                                                               \
        r = profile->GetString("s", "x", "dflt", 3, tmp.Path("a.ini"));                        \
        EXPECT_EQ(r.count, 2u);                                                                \
        EXPECT_EQ(r.bytes, "df");                                                              \
        EXPECT_EQ(profile->GetString("s", "k", "", 0, tmp.Path("a.ini")).count, 0u);           \
        EXPECT_EQ(profile->GetString("s", "k", "", 1, tmp.Path("a.ini")).count, 0u);           \
        tmp.Put("empty.ini", "");                                                              \
        EXPECT_EQ(Get("empty.ini", "s", "k"), "DEF");                                          \
    }                                                                                           \
    TEST_F(Fixture, BlanksAndOuterQuotesAreTrimmed) {                                           \
        tmp.Put("a.ini",                                                                       \
                " \t[ s ]\t\r\n"                                                               \
                "\t k \t=\t v w \t\r\n"                                                        \
                "q1=\"q\"x\"\r\n"                                                              \
                "q2='abc\"\r\n"                                                                \
                "q3=\"\r\n"                                                                    \
                "q4='x'\r\n"                                                                   \
                "q5= \" y \" \r\n"                                                             \
                "q6=\"\"\r\n");                                                                \
        EXPECT_EQ(Get("a.ini", "s", "k"), "v w");                                              \
        EXPECT_EQ(Get("a.ini", " s ", "\tk "), "v w");                                         \
        EXPECT_EQ(Get("a.ini", "s", "q1"), "q\"x");                                            \
        EXPECT_EQ(Get("a.ini", "s", "q2"), "'abc\"");                                          \
        EXPECT_EQ(Get("a.ini", "s", "q3"), "\"");                                              \
        EXPECT_EQ(Get("a.ini", "s", "q4"), "x");                                               \
        EXPECT_EQ(Get("a.ini", "s", "q5"), " y ");                                             \
        EXPECT_EQ(profile->GetString("s", "q6", "D", 256, tmp.Path("a.ini")).count, 0u);       \
    }                                                                                           \
    TEST_F(Fixture, EmptyValueAndLinesThatAreNoKeys) {                                          \
        tmp.Put("a.ini", "k0=v0\r\n[s]\r\nb=\r\n e \r\nf=a;b#c\r\n#d=2\r\n[x\r\ng=1\r\n");      \
        const auto r = profile->GetString("s", "b", "D", 256, tmp.Path("a.ini"));              \
        EXPECT_EQ(r.count, 0u);                                                                \
        EXPECT_EQ(r.bytes, "");                                                                \
        EXPECT_EQ(Get("a.ini", "s", "e"), "DEF");                                              \
        EXPECT_EQ(Get("a.ini", "s", "f"), "a;b#c");                                            \
        EXPECT_EQ(Get("a.ini", "s", "#d"), "2");                                               \
        /* a "[" without "]" names no section */                                               \
        EXPECT_EQ(Get("a.ini", "s", "g"), "1");                                                \
        EXPECT_EQ(Get("a.ini", "x", "g"), "DEF");                                              \
        /* lines before the first section belong to none */                                    \
        EXPECT_EQ(Get("a.ini", "s", "k0"), "DEF");                                             \
    }                                                                                           \
    TEST_F(Fixture, SemicolonLinesAreComments) {                                                \
        MQ_SKIP_ON_WINE("Wine 8 looks up \";\" lines as keys");                                \
        tmp.Put("a.ini", "[s]\r\n;c=1\r\n  ;d=2\r\n");                                         \
        EXPECT_EQ(Get("a.ini", "s", ";c"), "DEF");                                             \
        EXPECT_EQ(Get("a.ini", "s", ";d"), "DEF");                                             \
    }                                                                                           \
    TEST_F(Fixture, NoSectionNameReachesLinesBeforeTheFirstSection) {                          \
        MQ_SKIP_ON_WINE("Wine 8 returns lines before the first section for section \"\"");     \
        tmp.Put("a.ini", "k0=v0\r\n[s]\r\nk=1\r\n");                                           \
        EXPECT_EQ(Get("a.ini", "", "k0"), "DEF");                                              \
    }                                                                                           \
    TEST_F(Fixture, NamesIgnoreCaseAndTheFirstOfANameWins) {                                    \
        tmp.Put("a.ini", "[Marquill]\r\nTopMost=1\r\ntopmost=2\r\n[MARQUILL]\r\nTopMost=3\r\n" \
                         "Other=4\r\n");                                                       \
        EXPECT_EQ(Get("a.ini", "marquill", "TOPMOST"), "1");                                   \
        EXPECT_EQ(Get("a.ini", "Marquill", "Other"), "DEF");                                   \
    }                                                                                           \
    TEST_F(Fixture, DoubleByteNamesAreWholeCharacters) {                                        \
        /* "‐" is 81 5D: its second byte is no "]"; "ァ" 83 41 and "ッ" 83 61 differ */        \
        tmp.Put("a.ini", "[\x81\x5d]\r\n\x83\x61=1\r\n");                                      \
        EXPECT_EQ(Get("a.ini", "\x81\x5d", "\x83\x61"), "1");                                  \
        EXPECT_EQ(Get("a.ini", "\x81\x5d", "\x83\x41"), "DEF");                                \
    }                                                                                           \
    TEST_F(Fixture, OnlyABracketStartingALineOpensASection) {                                   \
        /* "ゼ" is 83 5B: its second byte is no "[" */                                         \
        tmp.Put("a.ini", "[s]\r\nv=[t]\r\n\x83[t]=1\r\n \t[t]\rk=2\r\n");                       \
        EXPECT_EQ(Get("a.ini", "t", "k"), "2");                                                \
        EXPECT_EQ(Get("a.ini", "s", "v"), "[t]");                                              \
        EXPECT_EQ(Get("a.ini", "s", "\x83[t]"), "1");                                          \
        ASSERT_TRUE(Write("a.ini", "t", "k", "3"));                                            \
        EXPECT_EQ(Get("a.ini", "t", "k"), "3");                                                \
        EXPECT_EQ(Get("a.ini", "s", "v"), "[t]");                                              \
    }                                                                                           \
    TEST_F(Fixture, SectionEndsAtTheFirstBracket) {                                             \
        MQ_SKIP_ON_WINE("Wine 8 reads \"[a]b]\" as section \"a]b\"");                          \
        tmp.Put("a.ini", "[a]b]\r\nq=1\r\n");                                                  \
        EXPECT_EQ(Get("a.ini", "a", "q"), "1");                                                \
    }                                                                                           \
    TEST_F(Fixture, LinesMayEndInLfOrCr) {                                                      \
        tmp.Put("a.ini", "[s]\na=1\rb=2\r\n[t]\rc=3");                                         \
        EXPECT_EQ(Get("a.ini", "s", "a"), "1");                                                \
        EXPECT_EQ(Get("a.ini", "s", "b"), "2");                                                \
        EXPECT_EQ(Get("a.ini", "t", "c"), "3");                                                \
    }                                                                                           \
    TEST_F(Fixture, LongValuesAreCutToTheBuffer) {                                              \
        tmp.Put("a.ini", "[s]\r\nk=" + std::string(300, 'x') + "\r\n");                        \
        auto r = profile->GetString("s", "k", "", 256, tmp.Path("a.ini"));                     \
        EXPECT_EQ(r.count, 255u);                                                              \
        EXPECT_EQ(r.bytes, std::string(255, 'x'));                                             \
        r = profile->GetString("s", "k", "", 10, tmp.Path("a.ini"));                           \
        EXPECT_EQ(r.count, 9u);                                                                \
        EXPECT_EQ(r.bytes, std::string(9, 'x'));                                               \
    }                                                                                           \
    TEST_F(Fixture, DoubleByteValueIsCutInsideACharacter) {                                     \
        MQ_SKIP_ON_WINE("Wine 8 leaves the byte before the NUL unwritten");                    \
        std::string v;                                                                         \
        for (int i = 0; i < 150; ++i) v += "\x82\xa0";                                         \
        tmp.Put("a.ini", "[s]\r\nk=" + v + "\r\n");                                            \
        const auto r = profile->GetString("s", "k", "", 256, tmp.Path("a.ini"));               \
        EXPECT_EQ(r.count, 255u);                                                              \
        EXPECT_EQ(r.bytes, v.substr(0, 255));                                                  \
    }                                                                                           \
    TEST_F(Fixture, Utf8ByteOrderMarkSpoilsTheFirstLine) {                                      \
        MQ_SKIP_ON_WINE("Wine 8 understands a UTF-8 byte order mark");                         \
        tmp.Put("a.ini", "\xEF\xBB\xBF[s]\r\na=1\r\n");                                        \
        EXPECT_EQ(Get("a.ini", "s", "a"), "DEF");                                              \
        ASSERT_TRUE(Write("a.ini", "s", "a", "2"));                                            \
        EXPECT_EQ(tmp.Bytes("a.ini"), "\xEF\xBB\xBF[s]\r\na=1\r\n[s]\r\na=2\r\n");              \
    }                                                                                           \
    TEST_F(Fixture, ReadAllGivesTheBytesAsTheyAre) {                                          \
        const std::string bytes("\xEF\xBB\xBF[s]\r\nk=\0\x82\xa0\n", 14);                     \
        tmp.Put("a.ini", bytes);                                                               \
        EXPECT_EQ(profile->ReadAll(tmp.Path("a.ini")), bytes);                                 \
        EXPECT_EQ(profile->ReadAll(tmp.Path("none.ini")), std::nullopt);                       \
        EXPECT_EQ(profile->ReadAll(tmp.Path("")), std::nullopt) << "a folder";                 \
        EXPECT_EQ(profile->ReadAll(""), std::nullopt);                                         \
    }                                                                                           \
    TEST_F(Fixture, WriteCreatesTheFileButNoFolder) {                                           \
        ASSERT_TRUE(Write("new.ini", "Marquill", "TopMost", "1"));                             \
        EXPECT_EQ(tmp.Bytes("new.ini"), "[Marquill]\r\nTopMost=1\r\n");                        \
        EXPECT_FALSE(Write("nodir/x.ini", "s", "k", "v"));                                     \
        EXPECT_FALSE(tmp.Exists("nodir"));                                                     \
        tmp.Put("empty.ini", "");                                                              \
        ASSERT_TRUE(Write("empty.ini", "s", "k", "v"));                                        \
        EXPECT_EQ(tmp.Bytes("empty.ini"), "[s]\r\nk=v\r\n");                                   \
    }                                                                                           \
    TEST_F(Fixture, WriteAppendsANewSectionAtTheEnd) {                                          \
        tmp.Put("a.ini", "[s]\r\na=1");                                                        \
        ASSERT_TRUE(Write("a.ini", "t", "k", "v"));                                            \
        EXPECT_EQ(tmp.Bytes("a.ini"), "[s]\r\na=1\r\n[t]\r\nk=v\r\n");                         \
        tmp.Put("b.ini", "[s]\r\na=1\r\n");                                                    \
        ASSERT_TRUE(Write("b.ini", "t", "k", "v"));                                            \
        EXPECT_EQ(tmp.Bytes("b.ini"), "[s]\r\na=1\r\n[t]\r\nk=v\r\n");                         \
    }                                                                                           \
    TEST_F(Fixture, WriteReplacesAValueAndKeepsTheKeysSpelling) {                               \
        tmp.Put("a.ini", "[s]\r\na=1\r\n[t]\r\nb=2\r\n");                                      \
        ASSERT_TRUE(Write("a.ini", "S", "A", "22"));                                           \
        EXPECT_EQ(tmp.Bytes("a.ini"), "[s]\r\na=22\r\n[t]\r\nb=2\r\n");                        \
        ASSERT_TRUE(Write("a.ini", "t", "c", "3"));                                            \
        EXPECT_EQ(tmp.Bytes("a.ini"), "[s]\r\na=22\r\n[t]\r\nb=2\r\nc=3\r\n");                 \
    }                                                                                           \
    TEST_F(Fixture, WriteAddsAKeyAfterTheLastKeyLine) {                                         \
        MQ_SKIP_ON_WINE("Wine 8 rewrites the whole file on write and counts \";\" lines as keys");\
        tmp.Put("a.ini", "[s]\r\na=1\r\n\r\n;c\r\n[u]\r\nx=1\r\n");                            \
        ASSERT_TRUE(Write("a.ini", "s", "k", "v"));                                            \
        EXPECT_EQ(tmp.Bytes("a.ini"), "[s]\r\na=1\r\nk=v\r\n\r\n;c\r\n[u]\r\nx=1\r\n");         \
        tmp.Put("b.ini", "[s]");                                                               \
        ASSERT_TRUE(Write("b.ini", "s", "k", "v"));                                            \
        EXPECT_EQ(tmp.Bytes("b.ini"), "[s]\r\nk=v\r\n");                                       \
    }                                                                                           \
    TEST_F(Fixture, WriteLeavesEverythingElseAsItWas) {                                         \
        MQ_SKIP_ON_WINE("Wine 8 rewrites the whole file on write");                            \
        const std::string before = "; head\n\nstray=1\n[s]\n  a = 1 \n\n# note\n[t]\nb\t=2\r"; \
        tmp.Put("a.ini", before);                                                              \
        ASSERT_TRUE(Write("a.ini", "s", "a", "9"));                                            \
        ASSERT_TRUE(Write("a.ini", "t", "c", "3"));                                            \
        EXPECT_EQ(tmp.Bytes("a.ini"),                                                          \
                  "; head\n\nstray=1\n[s]\n  a = 9\n\n# note\n[t]\nb\t=2\rc=3\r\n");           \
    }                                                                                           \
    TEST_F(Fixture, WrittenValuesReadBack) {                                                    \
        const std::string lib = "C:\\\x83\x65\x83\x93\x83\x76\x83\x8c\\tpl";                   \
        ASSERT_TRUE(Write("a.ini", "Marquill", "TempleteLib", lib));                           \
        ASSERT_TRUE(Write("a.ini", "Marquill", "TopMost", "0"));                               \
        ASSERT_TRUE(Write("a.ini", "Other", "k", "a;b #c"));                                   \
        EXPECT_EQ(Get("a.ini", "Marquill", "TempleteLib"), lib);                               \
        EXPECT_EQ(Get("a.ini", "Marquill", "TopMost"), "0");                                   \
        EXPECT_EQ(Get("a.ini", "Other", "k"), "a;b #c");                                       \
        ASSERT_TRUE(Write("a.ini", "Marquill", "TopMost", ""));                                \
        EXPECT_EQ(profile->GetString("Marquill", "TopMost", "D", 256, tmp.Path("a.ini")).count,\
                  0u);                                                                         \
        EXPECT_EQ(Get("a.ini", "Marquill", "TempleteLib"), lib);                               \
    }                                                                                           \
    TEST_F(Fixture, JapaneseFolderNames) {                                                      \
        fs::create_directory(tmp.dir() / FromUtf8("設定"));                                    \
        ASSERT_TRUE(Write("設定/MARQ.ini", "s", "k", "v"));                                    \
        EXPECT_EQ(Get("設定/MARQ.ini", "s", "k"), "v");                                        \
        EXPECT_EQ(tmp.Bytes("設定/MARQ.ini"), "[s]\r\nk=v\r\n");                               \
    }                                                                                           \
    TEST_F(Fixture, ReadOnlyFileIsNotWritten) {                                                 \
        MQ_SKIP_ON_WINE("Wine 8 run as root writes files marked read-only");                   \
        tmp.Put("a.ini", "[s]\r\na=1\r\n");                                                    \
        fs::permissions(tmp.dir() / "a.ini",                                                   \
                        fs::perms::owner_write | fs::perms::group_write |                      \
                            fs::perms::others_write,                                           \
                        fs::perm_options::remove);                                             \
        EXPECT_FALSE(Write("a.ini", "s", "a", "2"));                                           \
        EXPECT_EQ(Get("a.ini", "s", "a"), "1");                                                \
        fs::permissions(tmp.dir() / "a.ini", fs::perms::owner_write, fs::perm_options::add);   \
    }

}  // namespace mq::test
