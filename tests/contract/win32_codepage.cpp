#include <windows.h>

#include "contract/CodePageContract.h"
#include "platform/win32/Win32CodePage.h"

namespace mq::test {
class Win32CodePageTest : public CodePageContract {
    std::unique_ptr<AnsiCodePage> Make() override { return std::make_unique<Win32CodePage>(); }
    void SetUp() override {
        // Everything below assumes a Japanese system.
        ASSERT_EQ(GetACP(), 932u) << "run under LC_ALL=ja_JP.UTF-8";
        CodePageContract::SetUp();
    }
};
MQ_CODEPAGE_CONTRACT_TESTS(Win32CodePageTest)
}  // namespace mq::test
