#pragma once
// One set of expectations for every implementation of the file-system
// port: the W functions under Wine and std::filesystem natively.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "contract/ProfileContract.h"
#include "platform/Shell.h"

namespace mq::test {

class FileSystemContract : public ::testing::Test {
protected:
    virtual std::unique_ptr<FileSystemPort> Make() = 0;
    // Puts a file that the platform counts as hidden; answers its name.
    virtual std::string PutHidden(std::string_view name) = 0;
    // Puts a system file; answers its name, or "" when the platform has
    // no such thing.
    virtual std::string PutSystem(std::string_view name) = 0;
    // The platform's folder separator.
    virtual char Separator() const = 0;

    void SetUp() override { files = Make(); }

    std::vector<std::string> Sorted(std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    }

    TempFolder tmp;
    std::unique_ptr<FileSystemPort> files;
};

#define MQ_FILESYSTEM_CONTRACT_TESTS(Fixture)                                                  \
    TEST_F(Fixture, AnOrdinaryFileIsNoFolderNotHiddenAndNoSystemFile) {                         \
        tmp.Put("a.txt", "x");                                                                 \
        fs::create_directory(tmp.dir() / "sub");                                               \
        const std::string hidden = PutHidden("h.txt");                                         \
        EXPECT_TRUE(files->IsOrdinaryFile(tmp.Path("a.txt")));                                 \
        EXPECT_FALSE(files->IsOrdinaryFile(tmp.Path("sub")));                                  \
        EXPECT_FALSE(files->IsOrdinaryFile(tmp.Path("none.txt")));                             \
        EXPECT_FALSE(files->IsOrdinaryFile(tmp.Path(hidden)));                                 \
        EXPECT_FALSE(files->IsOrdinaryFile(""));                                               \
        const std::string system = PutSystem("s.txt");                                         \
        if (!system.empty()) {                                                                 \
            EXPECT_FALSE(files->IsOrdinaryFile(tmp.Path(system)));                             \
        }                                                                                      \
        /* an empty file is a file all the same */                                             \
        tmp.Put("empty.txt", "");                                                              \
        EXPECT_TRUE(files->IsOrdinaryFile(tmp.Path("empty.txt")));                             \
        /* wildcards name no file */                                                           \
        EXPECT_FALSE(files->IsOrdinaryFile(tmp.Path("a.tx?")));                                \
        EXPECT_FALSE(files->IsOrdinaryFile(tmp.Path("*.txt")));                                \
    }                                                                                           \
    TEST_F(Fixture, ExistsAndIsFolder) {                                                        \
        tmp.Put("a.txt", "x");                                                                 \
        fs::create_directory(tmp.dir() / "sub");                                               \
        EXPECT_TRUE(files->Exists(tmp.Path("a.txt")));                                         \
        EXPECT_TRUE(files->Exists(tmp.Path("sub")));                                           \
        EXPECT_TRUE(files->Exists(tmp.Path(PutHidden("h.txt"))));                              \
        EXPECT_FALSE(files->Exists(tmp.Path("none")));                                         \
        EXPECT_FALSE(files->Exists(""));                                                       \
        EXPECT_TRUE(files->IsFolder(tmp.Path("sub")));                                         \
        EXPECT_FALSE(files->IsFolder(tmp.Path("a.txt")));                                      \
        EXPECT_FALSE(files->IsFolder(tmp.Path("none")));                                       \
        EXPECT_FALSE(files->IsFolder(""));                                                     \
    }                                                                                           \
    TEST_F(Fixture, BackslashesAndNamesOutsideTheCodePage) {                                    \
        /* the core joins with "\"; "한" and "😀" have no code page 932 spelling */              \
        fs::create_directory(tmp.dir() / FromUtf8("한😀"));                                     \
        tmp.Put("한😀/kshdml.ini", "x");                                                        \
        const std::string folder = tmp.Path("한😀");                                            \
        EXPECT_TRUE(files->IsFolder(folder));                                                  \
        EXPECT_TRUE(files->IsOrdinaryFile(folder + "\\kshdml.ini"));                           \
        EXPECT_EQ(files->ListFiles(folder + "\\", "*.INI"),                                    \
                  std::vector<std::string>{"kshdml.ini"});                                     \
        /* an embedded NUL ends the path, as it would for the system */                        \
        EXPECT_TRUE(files->IsOrdinaryFile(folder + "\\kshdml.ini" + std::string(1, '\0') +    \
                                          "junk"));                                            \
    }                                                                                           \
    TEST_F(Fixture, ListsOrdinaryFilesByPatternWithoutRegardToCase) {                          \
        for (const char* name : {"a.ktt", "B.KTT", "c.kttx", "x.txt", "テンプレ.ktt", "k.tt"})    \
            tmp.Put(name, "[KestrelTagTemplete]\r\n");                                         \
        fs::create_directory(tmp.dir() / "d.ktt");                                             \
        PutHidden("e.ktt");                                                                    \
        PutSystem("f.ktt");                                                                    \
        const std::vector<std::string> expected{"B.KTT", "a.ktt", "テンプレ.ktt"};             \
        const std::string dir = Utf8(tmp.dir());                                               \
        EXPECT_EQ(Sorted(files->ListFiles(dir, "*.ktt")), expected);                           \
        EXPECT_EQ(Sorted(files->ListFiles(dir + Separator(), "*.ktt")), expected);             \
        EXPECT_EQ(Sorted(files->ListFiles(dir, "?.KTT")),                                      \
                  (std::vector<std::string>{"B.KTT", "a.ktt"}));                               \
        EXPECT_TRUE(files->ListFiles(tmp.Path("none"), "*.ktt").empty());                      \
        EXPECT_TRUE(files->ListFiles("", "*.ktt").empty());                                    \
    }                                                                                           \
    TEST_F(Fixture, TheApplicationFolderHoldsTheRunningProgram) {                               \
        const std::string app = files->ApplicationFolder();                                    \
        ASSERT_FALSE(app.empty());                                                             \
        EXPECT_TRUE(files->IsFolder(app));                                                     \
        /* no trailing separator, except at a root */                                          \
        if (app.size() > 3) {                                                                  \
            EXPECT_NE(app.back(), Separator());                                                \
        }                                                                                      \
    }

}  // namespace mq::test
