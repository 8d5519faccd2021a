#include <unistd.h>

#include "contract/PortableProfileTests.h"
#include "contract/ProfileContract.h"
#include "platform/posix/PosixProfile.h"

namespace mq::test {

class PosixProfile : public ProfileContract {
    std::unique_ptr<ProfileFile> Make() override { return std::make_unique<PosixProfileFile>(); }
};
MQ_PROFILE_CONTRACT_TESTS(PosixProfile)
MQ_PORTABLE_PROFILE_TESTS(PosixProfile)

// POSIX only: the core's Windows paths and links in the file system.
TEST_F(PosixProfile, BackslashSeparatesFolders) {
    fs::create_directory(tmp.dir() / "app");
    ASSERT_TRUE(Write("app\\MARQ.ini", "Marquill", "TopMost", "1"));
    EXPECT_EQ(tmp.Bytes("app/MARQ.ini"), "[Marquill]\r\nTopMost=1\r\n");
}

TEST_F(PosixProfile, WritesThroughASymbolicLink) {
    tmp.Put("real.ini", "[s]\r\na=1\r\n");
    fs::create_symlink(tmp.dir() / "real.ini", tmp.dir() / "link.ini");
    ASSERT_TRUE(Write("link.ini", "s", "a", "2"));
    EXPECT_TRUE(fs::is_symlink(tmp.dir() / "link.ini"));
    EXPECT_EQ(tmp.Bytes("real.ini"), "[s]\r\na=2\r\n");
}

TEST_F(PosixProfile, KeepsTheFilesPermissions) {
    tmp.Put("a.ini", "[s]\r\na=1\r\n");
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(tmp.dir() / "a.ini", mode);
    ASSERT_TRUE(Write("a.ini", "s", "a", "2"));
    EXPECT_EQ(fs::status(tmp.dir() / "a.ini").permissions(), mode);
}

TEST_F(PosixProfile, UnreadableFileIsNotReplaced) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads files without read permission";
    tmp.Put("a.ini", "[s]\r\na=1\r\n");
    fs::permissions(tmp.dir() / "a.ini", fs::perms::owner_write);
    EXPECT_EQ(Get("a.ini", "s", "a"), "DEF");
    EXPECT_FALSE(Write("a.ini", "s", "b", "2"));
    fs::permissions(tmp.dir() / "a.ini", fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(tmp.Bytes("a.ini"), "[s]\r\na=1\r\n");
}

}  // namespace mq::test
