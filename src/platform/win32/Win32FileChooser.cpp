#include "platform/win32/Win32FileChooser.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>

#include "platform/win32/SystemDll.h"
#include "platform/win32/WideText.h"

namespace mq {

std::optional<std::string> Win32FileChooser::ShowOpen(const OpenFileRequest& request) {
    // Descriptions and patterns separated by NULs, ended by two.
    std::wstring filter;
    for (const auto& f : request.filters) {
        filter += win32::Widen(f.description);
        filter += L'\0';
        filter += win32::Widen(f.pattern);
        filter += L'\0';
    }
    filter += L'\0';
    const std::wstring title = win32::Widen(request.title);

    // Room for long paths; a start name longer than that is cut.
    std::wstring file(32768, L'\0');
    const std::wstring start = win32::Widen(request.fileName);
    std::copy_n(start.begin(), std::min(start.size(), file.size() - 1), file.begin());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = reinterpret_cast<HWND>(request.owner);
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.c_str();
    // The program's current folder stays where it was.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    static const auto open =
        win32::SystemFunction<BOOL(WINAPI*)(LPOPENFILENAMEW)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (open == nullptr || !open(&ofn)) return std::nullopt;
    file.resize(file.find(L'\0'));
    return win32::Narrow(file);
}

}  // namespace mq
