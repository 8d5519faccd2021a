#pragma once
#include <windows.h>

namespace mq::win32 {

// A function of a system DLL, loaded from the system folder on first use.
// The shell, COM, the common dialogs and the version functions are linked
// this way rather than imported: each costs every start-up of the palette
// otherwise (tens of milliseconds under Wine), and most runs use none.
// Answers null when the DLL or the function is missing.
FARPROC SystemProc(const wchar_t* dll, const char* name);

template <class Fn>
Fn SystemFunction(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(SystemProc(dll, name)));
}

}  // namespace mq::win32
