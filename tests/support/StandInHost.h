#pragma once
// standin.exe, the stand-in host editor, run as a process of its own: its
// text from a file, its window's handle from the ready file once it is up,
// its bytes saved by itself on request, and asked to close at the end.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mq::test {

// A whole file's bytes; false when it cannot be read.
bool ReadBytes(const std::wstring& path, std::string& bytes);
// Throws std::runtime_error when the file cannot be written.
void WriteBytes(const std::wstring& path, const std::string& bytes);
// A new folder under the temp folder, named after `prefix` and this process.
std::wstring NewTempFolder(const std::wstring& prefix);
std::wstring Quote(const std::wstring& arg);

struct StandInStart {
    std::wstring program;  // standin.exe
    std::wstring folder;   // an existing folder for its text, ready and save files
    std::string text;      // code page 932 bytes
    std::optional<std::pair<std::uint32_t, std::uint32_t>> sel;
    std::vector<std::wstring> args;        // --no-editor, --launch PATH, ...
    const wchar_t* workingFolder = nullptr;  // null: this process's
};

class StandInHost {
public:
    // Throws std::runtime_error when the stand-in does not come up.
    explicit StandInHost(const StandInStart& start);
    ~StandInHost();
    StandInHost(const StandInHost&) = delete;
    StandInHost& operator=(const StandInHost&) = delete;

    HWND Window() const { return window_; }
    // The bytes the host holds, saved by the host itself; false, and no
    // bytes, when it did not save them.
    bool Save(std::string& bytes) const;

private:
    std::wstring textFile_, readyFile_, saveFile_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;

    void Stop();
};

}  // namespace mq::test
