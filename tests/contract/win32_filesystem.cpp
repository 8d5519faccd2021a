#include <windows.h>

#include "contract/FileSystemContract.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Shell.h"

namespace mq::test {

class Win32Files : public FileSystemContract {
protected:
    std::unique_ptr<FileSystemPort> Make() override { return std::make_unique<Win32FileSystem>(); }
    std::string PutWith(std::string_view name, DWORD attribute) {
        tmp.Put(name, "x");
        SetFileAttributesW(win32::Widen(tmp.Path(name)).c_str(), attribute);
        return std::string(name);
    }
    std::string PutHidden(std::string_view name) override {
        return PutWith(name, FILE_ATTRIBUTE_HIDDEN);
    }
    std::string PutSystem(std::string_view name) override {
        return PutWith(name, FILE_ATTRIBUTE_SYSTEM);
    }
    char Separator() const override { return '\\'; }
};
MQ_FILESYSTEM_CONTRACT_TESTS(Win32Files)

TEST_F(Win32Files, ReadOnlyAndArchiveFilesAreOrdinary) {
    PutWith("r.ini", FILE_ATTRIBUTE_READONLY);
    PutWith("a.ini", FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_TRUE(files->IsOrdinaryFile(tmp.Path("r.ini")));
    EXPECT_TRUE(files->IsOrdinaryFile(tmp.Path("a.ini")));
    SetFileAttributesW(win32::Widen(tmp.Path("r.ini")).c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace mq::test
