#include "contract/FileSystemContract.h"
#include "platform/posix/PosixFileSystem.h"

namespace mq::test {

class PosixFiles : public FileSystemContract {
protected:
    std::unique_ptr<FileSystemPort> Make() override { return std::make_unique<PosixFileSystem>(); }
    std::string PutHidden(std::string_view name) override {
        const std::string dotted = "." + std::string(name);
        tmp.Put(dotted, "x");
        return dotted;
    }
    std::string PutSystem(std::string_view) override { return {}; }
    char Separator() const override { return '/'; }
};
MQ_FILESYSTEM_CONTRACT_TESTS(PosixFiles)

TEST_F(PosixFiles, ALinkToAFileIsAFileAndADanglingOneIsNothing) {
    tmp.Put("real.ini", "x");
    fs::create_symlink(tmp.dir() / "real.ini", tmp.dir() / "link.ini");
    fs::create_symlink(tmp.dir() / "gone.ini", tmp.dir() / "dangling.ini");
    EXPECT_TRUE(files->IsOrdinaryFile(tmp.Path("link.ini")));
    EXPECT_FALSE(files->IsOrdinaryFile(tmp.Path("dangling.ini")));
}

}  // namespace mq::test
