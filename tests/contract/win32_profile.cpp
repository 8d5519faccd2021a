#include <windows.h>

#include "contract/PortableProfileTests.h"
#include "contract/ProfileContract.h"
#include "platform/posix/PosixProfile.h"
#include "platform/win32/Win32Profile.h"

namespace mq::test {
namespace {
bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
}  // namespace

// The system's profile functions.
class Win32Profile : public ProfileContract {
protected:
    std::unique_ptr<ProfileFile> Make() override { return std::make_unique<Win32ProfileFile>(); }
    bool SystemUnderWine() const override { return UnderWine(); }
    void SetUp() override {
        ASSERT_EQ(GetACP(), 932u) << "run under LC_ALL=ja_JP.UTF-8";
        ProfileContract::SetUp();
    }
};
MQ_PROFILE_CONTRACT_TESTS(Win32Profile)

TEST_F(Win32Profile, PathOutsideTheCodePageIsNotOpened) {
    // "한" has no spelling in code page 932; "?" or a best fit would name
    // another file.
    fs::create_directory(tmp.dir() / FromUtf8("한"));
    tmp.Put("한/a.ini", "[s]\r\na=1\r\n");
    EXPECT_EQ(Get("한/a.ini", "s", "a"), "DEF");
    EXPECT_FALSE(Write("한/a.ini", "s", "a", "2"));
    EXPECT_EQ(profile->ReadAll(tmp.Path("한/a.ini")), std::nullopt);
    EXPECT_EQ(tmp.Bytes("한/a.ini"), "[s]\r\na=1\r\n");
}

// The portable reader and writer on Windows, for the same contract.
class PortableProfileOnWindows : public ProfileContract {
    std::unique_ptr<ProfileFile> Make() override { return std::make_unique<PosixProfileFile>(); }
};
MQ_PROFILE_CONTRACT_TESTS(PortableProfileOnWindows)
MQ_PORTABLE_PROFILE_TESTS(PortableProfileOnWindows)

TEST_F(PortableProfileOnWindows, PathOutsideTheCodePageWorks) {
    fs::create_directory(tmp.dir() / FromUtf8("한"));
    ASSERT_TRUE(Write("한/a.ini", "s", "a", "2"));
    EXPECT_EQ(Get("한/a.ini", "s", "a"), "2");
}

}  // namespace mq::test
