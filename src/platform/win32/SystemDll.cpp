#include "platform/win32/SystemDll.h"

namespace mq::win32 {

FARPROC SystemProc(const wchar_t* dll, const char* name) {
    // Only ever the system's copy, never one planted beside the program.
    HMODULE module = GetModuleHandleW(dll);
    if (module == nullptr) module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

}  // namespace mq::win32
