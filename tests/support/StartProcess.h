#pragma once
// Starting a helper process of a Windows test.
#include <windows.h>

#include <cstdio>

namespace mq::test {

// CreateProcessW for the tests' own processes. Wine now and then loses a
// process it is starting: the new process dies before its start-up is
// done, before any code of it has run, and CreateProcess answers
// ERROR_INTERNAL_ERROR. Nothing of the test has happened yet, so that one
// case is started once more and said on stderr, where the soak script
// counts it; any other failure, or the same one twice, is the caller's.
inline bool StartProcess(wchar_t* commandLine, const wchar_t* folder, PROCESS_INFORMATION& started) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    const auto start = [&] {
        return CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, folder, &si,
                              &started) != FALSE;
    };
    if (start()) return true;
    if (GetLastError() != ERROR_INTERNAL_ERROR) return false;
    std::fputs("mq-test: Wine lost a process during its start; starting it once more\n", stderr);
    return start();
}

}  // namespace mq::test
