#include "support/StandInHost.h"

#include <atomic>
#include <chrono>
#include <stdexcept>

#include "platform/win32/WideText.h"
#include "support/StartProcess.h"
#include "support/Timeout.h"

namespace mq::test {
namespace {

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error("standin: " + what); }

}  // namespace

bool ReadBytes(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(f, &size) != FALSE;
    if (ok) {
        bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD got = 0;
        ok = bytes.empty() || (ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                               got == bytes.size());
    }
    CloseHandle(f);
    if (!ok) bytes.clear();
    return ok;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    DWORD written = 0;
    const bool ok = f != INVALID_HANDLE_VALUE &&
                    (bytes.empty() || (WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                                 nullptr) &&
                                       written == bytes.size()));
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    if (!ok) throw std::runtime_error("cannot write " + win32::Narrow(path));
}

std::wstring NewTempFolder(const std::wstring& prefix) {
    static std::atomic<unsigned> counter{0};
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    for (;;) {
        const std::wstring folder = base + prefix + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                    std::to_wstring(++counter);
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create " + win32::Narrow(folder));
    }
}

std::wstring Quote(const std::wstring& arg) { return L"\"" + arg + L"\""; }

StandInHost::StandInHost(const StandInStart& start)
    : textFile_(start.folder + L"\\host-text.txt"),
      readyFile_(start.folder + L"\\host-ready.txt"),
      saveFile_(start.folder + L"\\host-saved.txt") {
    WriteBytes(textFile_, start.text);
    std::wstring commandLine = Quote(start.program) + L" --file " + Quote(textFile_) + L" --ready " +
                               Quote(readyFile_) + L" --save " + Quote(saveFile_);
    if (start.sel) {
        commandLine += L" --sel " + std::to_wstring(start.sel->first) + L"," +
                       std::to_wstring(start.sel->second);
    }
    for (const auto& arg : start.args) commandLine += L" " + arg;
    if (!StartProcess(commandLine.data(), start.workingFolder, process_)) {
        Fail("cannot start " + win32::Narrow(start.program) + " (error " + std::to_string(GetLastError()) +
             ")");
    }
    try {
        // The stand-in writes the ready file whole, under another name
        // first: once it is there, it holds the window's handle.
        const auto deadline = std::chrono::steady_clock::now() + kTimeout;
        std::string ready;
        while (!ReadBytes(readyFile_, ready) || ready.empty()) {
            if (WaitForSingleObject(process_.hProcess, 5) == WAIT_OBJECT_0) {
                DWORD code = 0;
                GetExitCodeProcess(process_.hProcess, &code);
                Fail("ended before it was ready, exit code " + std::to_string(code));
            }
            if (std::chrono::steady_clock::now() > deadline) Fail("not ready in time");
        }
        window_ = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::stoull(ready)));
        if (!IsWindow(window_)) Fail("ready file names no window: " + ready);
    } catch (...) {
        Stop();
        throw;
    }
}

StandInHost::~StandInHost() { Stop(); }

void StandInHost::Stop() {
    if (process_.hProcess == nullptr) return;
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
    for (const auto& f : {textFile_, readyFile_, saveFile_}) DeleteFileW(f.c_str());
}

bool StandInHost::Save(std::string& bytes) const {
    // WM_APP + 1 asks the stand-in to save; it answers once the file is written.
    bytes.clear();
    DeleteFileW(saveFile_.c_str());
    DWORD_PTR saved = 0;
    if (!SendMessageTimeoutW(window_, WM_APP + 1, 0, 0, SMTO_ABORTIFHUNG, 10000, &saved) || !saved)
        return false;
    return ReadBytes(saveFile_, bytes);
}

}  // namespace mq::test
