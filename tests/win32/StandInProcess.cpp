#include "win32/StandInProcess.h"

#include "support/Timeout.h"

#include <chrono>
#include <stdexcept>

namespace mq::test {
namespace {

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

std::wstring StandInProcess::ProgramPath() {
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"standin.exe";
}

StandInProcess::StandInProcess(const StandInOptions& options)
    : dir_(NewTempFolder(L"mq-standin-")),
      host_(std::make_unique<StandInHost>(
          StandInStart{ProgramPath(), dir_, options.text, options.sel, options.flags, nullptr})) {}

StandInProcess::~StandInProcess() {
    host_.reset();
    RemoveDirectoryW(dir_.c_str());
}

HWND StandInProcess::Editor() const { return FindWindowExA(Window(), nullptr, "TEditor", nullptr); }

std::string StandInProcess::Text() const {
    std::string bytes;
    if (!host_->Save(bytes)) throw std::runtime_error("standin: did not save its text");
    return bytes;
}

ForegroundWindow::ForegroundWindow() {
    static const ATOM cls = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MarquillTestPalette";
        return RegisterClassW(&wc);
    }();
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, MAKEINTATOM(cls), L"palette",
                            WS_OVERLAPPED | WS_CAPTION, 700, 40, 200, 80, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

ForegroundWindow::~ForegroundWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool WaitForForeground(HWND window) {
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    while (GetForegroundWindow() != window) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Sleep(2);
    }
    return true;
}

bool ForegroundWindow::TakenFrom(HWND other) const {
    if (!WaitForForeground(hwnd_)) return false;
    const DWORD thread = GetWindowThreadProcessId(other, nullptr);
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    for (;;) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(thread, &info) && info.hwndActive != other) return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
        Sleep(2);
    }
}

std::string FirstDifference(const std::string& actual, const std::string& expected) {
    if (actual == expected) return "equal";
    std::size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i]) ++i;
    auto around = [i](const std::string& s) {
        const std::size_t from = i < 16 ? 0 : i - 16;
        return s.substr(from, 48);
    };
    return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size()) +
           ", first difference at byte " + std::to_string(i) + ": actual \"" + around(actual) +
           "\" expected \"" + around(expected) + "\"";
}

}  // namespace mq::test
