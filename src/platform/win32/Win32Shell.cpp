#include "platform/win32/Win32Shell.h"

#include "platform/win32/SystemDll.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shellapi.h>

#include "platform/PickedFolder.h"
#include "platform/Wildcard.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32CodePage.h"

namespace mq {
namespace {

// A path cut at an embedded NUL, as the system would read it.
std::wstring WidePath(const std::string& path) {
    return win32::Widen(std::string_view(path).substr(0, path.find('\0')));
}

DWORD Attributes(const std::string& path) {
    const std::wstring wide = WidePath(path);
    if (wide.empty()) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(wide.c_str());
}

}  // namespace

std::string Win32FolderPicker::PickFolder(WindowHandle owner, const std::string& title) {
    // The folder browser is a shell object and wants COM on this thread (the
    // program's one UI thread). Started on first use: it costs every start-up
    // of the palette otherwise, and most runs never browse.
    static const auto coInitializeEx =
        win32::SystemFunction<HRESULT(WINAPI*)(LPVOID, DWORD)>(L"ole32.dll", "CoInitializeEx");
    static const HRESULT com = coInitializeEx != nullptr
                                   ? coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)
                                   : E_FAIL;
    (void)com;
    static const auto browse = win32::SystemFunction<PIDLIST_ABSOLUTE(WINAPI*)(LPBROWSEINFOA)>(
        L"shell32.dll", "SHBrowseForFolderA");
    static const auto pathA = win32::SystemFunction<BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPSTR)>(
        L"shell32.dll", "SHGetPathFromIDListA");
    static const auto pathW = win32::SystemFunction<BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPWSTR)>(
        L"shell32.dll", "SHGetPathFromIDListW");
    static const auto taskMemFree =
        win32::SystemFunction<void(WINAPI*)(LPVOID)>(L"ole32.dll", "CoTaskMemFree");
    if (browse == nullptr || pathA == nullptr || pathW == nullptr || taskMemFree == nullptr) return {};
    Win32CodePage codePage;
    const std::string ansiTitle = codePage.FromUtf8(title);
    char displayName[MAX_PATH] = {};
    BROWSEINFOA request{};
    request.hwndOwner = reinterpret_cast<HWND>(owner);
    request.pidlRoot = nullptr;
    request.pszDisplayName = displayName;
    request.lpszTitle = ansiTitle.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    request.lpfn = nullptr;
    request.lParam = 0;
    request.iImage = 0;
    PIDLIST_ABSOLUTE chosen = browse(&request);

    char path[MAX_PATH] = {};
    wchar_t exact[MAX_PATH] = {};
    if (chosen != nullptr) {
        pathA(chosen, path);
        pathW(chosen, exact);
    }
    taskMemFree(chosen);
    return PickedFolderPath(std::string_view(path, sizeof path), win32::Narrow(exact), codePage);
}

std::string Win32FileSystem::ApplicationFolder() {
    std::wstring module(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (n == 0) return {};
        if (n < module.size()) {
            module.resize(n);
            break;
        }
        module.resize(module.size() * 2);
    }
    const std::size_t slash = module.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    std::wstring folder = module.substr(0, slash);
    // A drive root keeps its backslash: "C:\".
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return win32::Narrow(folder);
}

bool Win32FileSystem::IsOrdinaryFile(const std::string& path) {
    const DWORD a = Attributes(path);
    if (a == INVALID_FILE_ATTRIBUTES) return false;
    return (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool Win32FileSystem::Exists(const std::string& path) {
    return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::IsFolder(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> Win32FileSystem::ListFiles(const std::string& folder,
                                                    const std::string& pattern) {
    std::vector<std::string> names;
    std::wstring base = WidePath(folder);
    if (base.empty()) return names;
    if (base.back() != L'\\' && base.back() != L'/') base += L'\\';
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((base + win32::Widen(pattern)).c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (data.dwFileAttributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) {
            continue;
        }
        std::string name = win32::Narrow(data.cFileName);
        // The system also matches the short 8.3 names: "*.ktt" would bring
        // "a.kttx" along. Only the long name counts.
        if (MatchesWildcard(name, pattern)) names.push_back(std::move(name));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

bool Win32Shell::Open(WindowHandle owner, const std::string& fileOrAddress) {
    const std::wstring wide = WidePath(fileOrAddress);
    if (wide.empty()) return false;
    HWND hwnd = reinterpret_cast<HWND>(owner);
    static const auto executeA =
        win32::SystemFunction<HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT)>(
            L"shell32.dll", "ShellExecuteA");
    static const auto executeW =
        win32::SystemFunction<HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT)>(
            L"shell32.dll", "ShellExecuteW");
    // The help page and the project's page are documents to read: shown
    // normally, so a handler that honours the show command does not open
    // them hidden.
    HINSTANCE r;
    if (const std::optional<std::string> ansi = ExactAnsiPath(fileOrAddress)) {
        r = executeA != nullptr ? executeA(hwnd, "open", ansi->c_str(), "", "", SW_SHOWNORMAL) : nullptr;
    } else {
        r = executeW != nullptr ? executeW(hwnd, L"open", wide.c_str(), L"", L"", SW_SHOWNORMAL) : nullptr;
    }
    return reinterpret_cast<INT_PTR>(r) > 32;
}

}  // namespace mq
