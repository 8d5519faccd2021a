// standin.exe: a small ANSI editor that stands in for the host editor in
// tests and demos. Its top-level window (class "MarquillStandInHost") holds
// a direct child of class "TEditor" that answers the host link's messages
// in code page 932 byte offsets, and paints its text with the selection.
//
// Command line (also shown by --help):
//   --file PATH         code page 932 text to start with (default: empty)
//   --sel START,END     initial selection in bytes, as EM_SETSEL takes it
//                       (-1 allowed: "0,-1" selects everything)
//   --launch PATH       once shown and in front, start PATH as the host
//                       editor's tool menu does
//   --ready PATH        once shown, write the top-level window's handle
//                       (decimal) to PATH
//   --save PATH         write the current bytes to PATH on exit and whenever
//                       the top-level window receives WM_APP+1
//   --no-editor         no TEditor child at all
//   --nested-editor     the TEditor is a grandchild, not a direct child
//   --no-sel-pointers   EM_GETSEL ignores its pointer arguments
//   --truncating-sel    EM_GETSEL packs positions past 16 bits truncated
//                       instead of answering -1
//   --help              this text
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "TEditor.h"

namespace {

constexpr const char* kHostClass = "MarquillStandInHost";
constexpr const char* kPaneClass = "MarquillStandInPane";
constexpr UINT kSaveRequest = WM_APP + 1;

const wchar_t* const kUsage =
    L"standin.exe: a stand-in host editor for Marquill's tests\r\n"
    L"\r\n"
    L"  --file PATH         code page 932 text to start with (default: empty)\r\n"
    L"  --sel START,END     initial selection in bytes, as EM_SETSEL (-1 allowed)\r\n"
    L"  --launch PATH       once shown and in front, start PATH\r\n"
    L"  --ready PATH        once shown, write the window handle (decimal) to PATH\r\n"
    L"  --save PATH         write the text to PATH on exit and on WM_APP+1\r\n"
    L"  --no-editor         no TEditor child\r\n"
    L"  --nested-editor     the TEditor is a grandchild\r\n"
    L"  --no-sel-pointers   EM_GETSEL ignores its pointer arguments\r\n"
    L"  --truncating-sel    EM_GETSEL truncates positions past 16 bits\r\n"
    L"  --help              this text\r\n";

struct Options {
    std::wstring file;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> sel;
    std::wstring launch;
    std::wstring ready;
    std::wstring save;
    bool noEditor = false;
    bool nestedEditor = false;
    bool help = false;
    standin::EditorQuirks quirks;
};

struct App {
    Options options;
    std::string loaded;  // what --no-editor keeps, unchanged, for --save
    HWND top = nullptr;
    HWND editor = nullptr;
};
App g_app;

// Writes to the standard output where there is one (a console, or Wine
// started from a shell), else shows a box.
void Report(const std::wstring& text, bool error) {
    HANDLE out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (out && out != INVALID_HANDLE_VALUE) {
        int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n,
                            nullptr, nullptr);
        DWORD written = 0;
        if (WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr)) return;
    }
    MessageBoxW(nullptr, text.c_str(), L"standin", error ? MB_ICONEXCLAMATION : MB_ICONINFORMATION);
}

// A byte offset, or -1 as EM_SETSEL takes it.
std::optional<std::uint32_t> ParseNumber(std::wstring_view s) {
    if (s == L"-1") return 0xFFFFFFFFu;
    if (s.empty() || s.size() > 10) return std::nullopt;
    std::uint64_t v = 0;
    for (wchar_t c : s) {
        if (c < L'0' || c > L'9') return std::nullopt;
        v = v * 10 + static_cast<std::uint64_t>(c - L'0');
    }
    if (v > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(v);
}

// Returns an error text, or empty when the command line is good.
std::wstring ParseCommandLine(Options& o) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return L"cannot read the command line";
    std::vector<std::wstring> args(argv + 1, argv + argc);
    LocalFree(argv);

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        auto value = [&](std::wstring& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        if (a == L"--file" || a == L"--launch" || a == L"--ready" || a == L"--save") {
            std::wstring& into = a == L"--file"     ? o.file
                                 : a == L"--launch" ? o.launch
                                 : a == L"--ready"  ? o.ready
                                                    : o.save;
            if (!value(into)) return a + L" needs a path";
        } else if (a == L"--sel") {
            std::wstring v;
            if (!value(v)) return L"--sel needs START,END";
            const auto comma = v.find(L',');
            if (comma == std::wstring::npos) return L"--sel needs START,END";
            auto s = ParseNumber(std::wstring_view(v).substr(0, comma));
            auto e = ParseNumber(std::wstring_view(v).substr(comma + 1));
            if (!s || !e) return L"--sel needs two byte offsets: " + v;
            o.sel = std::make_pair(*s, *e);
        } else if (a == L"--no-editor") {
            o.noEditor = true;
        } else if (a == L"--nested-editor") {
            o.nestedEditor = true;
        } else if (a == L"--no-sel-pointers") {
            o.quirks.noSelPointers = true;
        } else if (a == L"--truncating-sel") {
            o.quirks.truncatingSel = true;
        } else if (a == L"--help" || a == L"-h" || a == L"/?") {
            o.help = true;
        } else {
            return L"unknown option: " + a;
        }
    }
    if (o.noEditor && o.nestedEditor) return L"--no-editor and --nested-editor exclude each other";
    return {};
}

bool ReadBytes(const std::wstring& path, std::string& out) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(f, &size) && size.QuadPart < 0x7FFFFFFF;
    if (ok) {
        out.assign(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD got = 0;
        ok = out.empty() ||
             (ReadFile(f, out.data(), static_cast<DWORD>(out.size()), &got, nullptr) &&
              got == out.size());
    }
    CloseHandle(f);
    return ok;
}

// Written beside the target and moved over it, so that a reader polling for
// the file never sees half of it.
bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    const std::wstring temp = path + L".part";
    HANDLE f = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = bytes.empty() || (WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()),
                                          &written, nullptr) &&
                                written == bytes.size());
    CloseHandle(f);
    return ok && MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool SaveText() {
    if (g_app.options.save.empty()) return false;
    const std::string text = g_app.editor ? standin::EditorText(g_app.editor) : g_app.loaded;
    return WriteBytes(g_app.options.save, text);
}

std::string ToAnsi(const std::wstring& wide) {
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring Caption(const std::wstring& file) {
    std::wstring name = L"無題";
    if (!file.empty()) {
        const auto slash = file.find_last_of(L"\\/");
        name = slash == std::wstring::npos ? file : file.substr(slash + 1);
    }
    return name + L" - スタンドイン ホスト";
}

void FitChild(HWND parent) {
    HWND child = GetWindow(parent, GW_CHILD);
    if (!child) return;
    RECT rc;
    GetClientRect(parent, &rc);
    MoveWindow(child, 0, 0, rc.right, rc.bottom, TRUE);
}

// The pane of --nested-editor: a plain container between the two.
LRESULT CALLBACK PaneProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE) {
        FitChild(hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        FitChild(hwnd);
        return 0;
    case WM_SETFOCUS:
        if (g_app.editor) SetFocus(g_app.editor);
        return 0;
    case kSaveRequest:
        return SaveText() ? 1 : 0;
    case WM_PAINT:
        if (!g_app.editor) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(dc, &rc, GetSysColorBrush(COLOR_APPWORKSPACE));
            EndPaint(hwnd, &ps);
            return 0;
        }
        break;
    case WM_DESTROY:
        SaveText();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

bool RegisterClasses(HINSTANCE instance) {
    WNDCLASSA host{};
    host.lpfnWndProc = HostProc;
    host.hInstance = instance;
    host.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    host.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    host.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    host.lpszClassName = kHostClass;
    WNDCLASSA pane{};
    pane.lpfnWndProc = PaneProc;
    pane.hInstance = instance;
    pane.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    pane.lpszClassName = kPaneClass;
    return RegisterClassA(&host) && RegisterClassA(&pane) && standin::RegisterEditorClass(instance);
}

bool Launch(const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const auto start = [&] {
        return CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &si, &pi) != FALSE;
    };
    // Wine now and then loses a process it is starting, before any code of
    // it has run (ERROR_INTERNAL_ERROR): that one case is started once
    // more, and said on stderr; the tests' soak counts these lines.
    bool started = start();
    if (!started && GetLastError() == ERROR_INTERNAL_ERROR) {
        std::fputs("standin: Wine lost the tool during its start; starting it once more\n", stderr);
        started = start();
    }
    if (!started) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

int Run(HINSTANCE instance) {
    Options& o = g_app.options;
    if (std::wstring error = ParseCommandLine(o); !error.empty()) {
        Report(error + L"\r\n\r\n" + kUsage, true);
        return 2;
    }
    if (o.help) {
        Report(kUsage, false);
        return 0;
    }

    standin::EditorInit init;
    init.quirks = o.quirks;
    if (!o.file.empty() && !ReadBytes(o.file, init.text)) {
        Report(L"cannot read " + o.file + L"\r\n", true);
        return 1;
    }
    if (o.sel) {
        init.selStart = o.sel->first;
        init.selEnd = o.sel->second;
    }

    if (o.noEditor) g_app.loaded = init.text;
    if (!RegisterClasses(instance)) return 1;
    const std::string caption = ToAnsi(Caption(o.file));
    g_app.top = CreateWindowExA(0, kHostClass, caption.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 640,
                                480, nullptr, nullptr, instance, nullptr);
    if (!g_app.top) return 1;
    if (!o.noEditor) {
        HWND parent = g_app.top;
        if (o.nestedEditor) {
            parent = CreateWindowExA(0, kPaneClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, g_app.top,
                                     nullptr, instance, nullptr);
        }
        g_app.editor = CreateWindowExA(WS_EX_CLIENTEDGE, standin::kEditorClass, "",
                                       WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                                       nullptr, instance, &init);
        if (!parent || !g_app.editor) return 1;
    }
    FitChild(g_app.top);

    ShowWindow(g_app.top, SW_SHOW);
    UpdateWindow(g_app.top);
    SetForegroundWindow(g_app.top);
    if (g_app.editor) SetFocus(g_app.editor);

    if (!o.ready.empty()) {
        const std::string handle =
            std::to_string(reinterpret_cast<std::uintptr_t>(g_app.top)) + "\r\n";
        if (!WriteBytes(o.ready, handle)) Report(L"cannot write " + o.ready + L"\r\n", true);
    }
    if (!o.launch.empty() && !Launch(o.launch))
        Report(L"cannot start " + o.launch + L"\r\n", true);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return Run(instance); }
