// Start-up timing under Wine: from process start until the palette is on
// screen with the host captured (the palette only shows itself after it
// has taken the host), against a minimal Win32 program that creates and
// shows one window, both started the same way in the same Wine session,
// alternately. Prints both medians and their ratio; the aim is at most 1.5.
//
//   xvfb-run -a scripts/wine-run.sh build/windows/bench/win32/startup_bench.exe [--reps N]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "win32/StandInProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::wstring Beside(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + name;
}

// Starts `program`, waits until a visible top-level window of `className`
// belonging to it exists, then closes it. Returns the milliseconds to the
// window, or a negative number on failure.
double TimeToWindow(const std::wstring& program, const wchar_t* className, HWND host) {
    SetForegroundWindow(host);
    std::wstring cmd = L"\"" + program + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const auto t0 = Clock::now();
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        return -1;
    }
    HWND window = nullptr;
    for (;;) {
        window = FindWindowW(className, nullptr);
        if (window != nullptr && IsWindowVisible(window)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == pi.dwProcessId) break;
        }
        if (Clock::now() - t0 > std::chrono::seconds(20)) {
            TerminateProcess(pi.hProcess, 1);
            return -1;
        }
        Sleep(1);
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    int reps = 31;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--reps") == 0) reps = std::max(1, std::atoi(argv[i + 1]));
    }
    mq::test::StandInOptions options;
    options.text = "<HDML VERSION=\"3.0\">\r\n</HDML>\r\n";
    mq::test::StandInProcess host(options);

    // The palette in a folder of its own: the MARQ.ini it leaves on closing
    // must not meet the one template_bench writes beside itself.
    const std::wstring palette = Beside(L"startup\\marquill.exe");
    const std::wstring minimal = Beside(L"minimal_window.exe");
    // One of each first, unmeasured: page cache and Wine's own start-up.
    TimeToWindow(palette, L"MarquillPalette", host.Window());
    TimeToWindow(minimal, L"MarquillBenchMinimal", host.Window());

    std::vector<double> paletteMs, minimalMs, ratios;
    for (int i = 0; i < reps; ++i) {
        const double a = TimeToWindow(minimal, L"MarquillBenchMinimal", host.Window());
        const double b = TimeToWindow(palette, L"MarquillPalette", host.Window());
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "a program did not show its window\n");
            return 1;
        }
        minimalMs.push_back(a);
        paletteMs.push_back(b);
        ratios.push_back(b / a);
    }
    const double p = Median(paletteMs), m = Median(minimalMs);
    std::printf("start-up to a shown window, median of %d runs each:\n", reps);
    std::printf("  marquill.exe (host captured, palette shown): %8.1f ms\n", p);
    std::printf("  minimal Win32 program (one window shown):     %8.1f ms\n", m);
    std::printf("  ratio of the medians: %.2f; median of the %d paired ratios: %.2f (aim: at most 1.5)\n",
                p / m, reps, Median(ratios));
    return 0;
}
