#include "win32/StandInProcess.h"

#include "support/StartProcess.h"
#include "support/Timeout.h"

#include <atomic>
#include <chrono>
#include <stdexcept>

namespace mq::test {
namespace {

std::string Utf8(const std::wstring& wide) {
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error("standin: " + what); }

bool ReadFileBytes(const std::wstring& path, std::string& out) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(f, &size) != FALSE;
    if (ok) {
        out.assign(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD got = 0;
        ok = out.empty() || (ReadFile(f, out.data(), static_cast<DWORD>(out.size()), &got, nullptr) &&
                             got == out.size());
    }
    CloseHandle(f);
    return ok;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) Fail("cannot write " + Utf8(path));
    DWORD written = 0;
    const bool ok = bytes.empty() || (WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()),
                                                &written, nullptr) &&
                                      written == bytes.size());
    CloseHandle(f);
    if (!ok) Fail("cannot write " + Utf8(path));
}

std::wstring Quote(const std::wstring& s) { return L"\"" + s + L"\""; }

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

StandInProcess::StandInProcess(const StandInOptions& options) {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    dir_ = std::wstring(temp) + L"mq-standin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter++);
    CreateDirectoryW(dir_.c_str(), nullptr);
    textFile_ = dir_ + L"\\host.txt";
    readyFile_ = dir_ + L"\\ready.txt";
    saveFile_ = dir_ + L"\\saved.txt";
    WriteFileBytes(textFile_, options.text);

    std::wstring commandLine = Quote(ProgramPath()) + L" --file " + Quote(textFile_) +
                               L" --ready " + Quote(readyFile_) + L" --save " + Quote(saveFile_);
    if (options.sel) {
        commandLine += L" --sel " + std::to_wstring(options.sel->first) + L"," +
                       std::to_wstring(options.sel->second);
    }
    for (const auto& flag : options.flags) commandLine += L" " + flag;

    if (!StartProcess(commandLine.data(), nullptr, process_)) {
        Fail("cannot start " + Utf8(ProgramPath()) + " (error " + std::to_string(GetLastError()) +
             ")");
    }

    // Poll for the ready file; give up if the stand-in ends or takes far
    // longer than a start ever does.
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    std::string ready;
    while (!ReadFileBytes(readyFile_, ready) || ready.empty()) {
        if (WaitForSingleObject(process_.hProcess, 5) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process_.hProcess, &code);
            Fail("ended before it was ready, exit code " + std::to_string(code));
        }
        if (std::chrono::steady_clock::now() > deadline) Fail("not ready in time");
    }
    window_ = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::stoull(ready)));
    if (!IsWindow(window_)) Fail("ready file names no window: " + ready);
}

StandInProcess::~StandInProcess() {
    if (process_.hProcess) {
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    for (const auto& f : {textFile_, readyFile_, saveFile_}) DeleteFileW(f.c_str());
    RemoveDirectoryW(dir_.c_str());
}

HWND StandInProcess::Editor() const { return FindWindowExA(window_, nullptr, "TEditor", nullptr); }

std::string StandInProcess::Text() const {
    // WM_APP+1 asks the stand-in to save; it answers once the file is written.
    DWORD_PTR saved = 0;
    if (!SendMessageTimeoutW(window_, WM_APP + 1, 0, 0, SMTO_ABORTIFHUNG, 10000, &saved) || !saved)
        Fail("did not save its text");
    std::string bytes;
    if (!ReadFileBytes(saveFile_, bytes)) Fail("saved text unreadable");
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
