#pragma once
// Starts standin.exe (the stand-in host editor, built beside this program)
// as a separate process with a given text and selection, and waits until
// its window is up. The text is saved through the stand-in itself, so a
// test can compare the host's bytes without going through the host link.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/StandInHost.h"

namespace mq::test {

struct StandInOptions {
    std::string text;  // code page 932 bytes
    std::optional<std::pair<std::uint32_t, std::uint32_t>> sel;
    std::vector<std::wstring> flags;  // --no-editor, --truncating-sel, ...
};

class StandInProcess {
public:
    // Throws std::runtime_error when the stand-in does not come up.
    explicit StandInProcess(const StandInOptions& options);
    ~StandInProcess();
    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;

    HWND Window() const { return host_->Window(); }
    // The direct "TEditor" child, or null.
    HWND Editor() const;
    // The host's bytes as it holds them now.
    std::string Text() const;

    // standin.exe in this program's folder.
    static std::wstring ProgramPath();

private:
    std::wstring dir_;
    std::unique_ptr<StandInHost> host_;
};

// A top-level window of the test process in the foreground, standing in
// for the palette that the host must get the foreground back from.
class ForegroundWindow {
public:
    ForegroundWindow();
    ~ForegroundWindow();
    ForegroundWindow(const ForegroundWindow&) = delete;
    ForegroundWindow& operator=(const ForegroundWindow&) = delete;
    HWND Handle() const { return hwnd_; }
    // Waits until this window is in front and `other`, a window of another
    // process, has taken in that it is not: under Wine a refocus sent back
    // before the other thread has deactivated can be lost.
    bool TakenFrom(HWND other) const;

private:
    HWND hwnd_ = nullptr;
};

// Polls until `window` is the foreground window; activating another
// process's window completes in that process, after SetForegroundWindow
// has returned.
bool WaitForForeground(HWND window);

// Where two byte strings first differ, for messages that must not print
// megabytes.
std::string FirstDifference(const std::string& actual, const std::string& expected);

}  // namespace mq::test
