#include "contract/CodePageContract.h"
#include "platform/posix/Cp932.h"

namespace mq::test {
class PosixCodePage : public CodePageContract {
    std::unique_ptr<AnsiCodePage> Make() override { return std::make_unique<Cp932CodePage>(); }
};
MQ_CODEPAGE_CONTRACT_TESTS(PosixCodePage)
}  // namespace mq::test
