// Template dialog timing under Wine: opening the dialog on a library of
// 10,000 template files (from the command until the dialog is on screen,
// painted, its list filled) against listing the same folder with
// FindFirstFileA / FindNextFileA alone, alternately in the same Wine
// session. Prints both medians and their ratio; the aim is at most 2. It
// also shows what closing the dialog again costs, and times the model's
// opening alone (settings, listing, sorting), to show where the time goes.
//
//   xvfb-run -a scripts/wine-run.sh build/windows/bench/win32/template_bench.exe [--files N] [--reps N]
//
// It writes MARQ.ini beside itself (the library folder setting) and
// removes it, and the library, when done.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/CommonControls.h"
#include "platform/win32/WideText.h"
#include "settings/INIAccessGlobal.h"
#include "settings/SettingsFile.h"
#include "templates/TempleteRes.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Collation.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Ui.h"
#include "dialogs/Views.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The baseline: the names of the folder's "*.ktt" files, nothing more.
std::size_t ListWithFindFirstFileA(const std::string& ansiFolder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((ansiFolder + "\\*.ktt").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names.size();
}

// Closes the dialog as soon as it is on screen. A message posted to a
// helper window before the dialog opens comes out of the dialog's own
// message loop once the dialog has been shown; posted messages come before
// painting, so the helper paints the dialog first, then presses Cancel. No
// hook: under Wine every message would then ask the server about hooks,
// which is not what the program pays.
mq::win32::frmTemplete* opening = nullptr;
Clock::time_point shownAt;
std::vector<double> opened, closed, keystroke;
constexpr UINT kShown = WM_APP + 1;

LRESULT CALLBACK HelperProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kShown && opening != nullptr && opening->Window() != nullptr) {
        HWND dlg = opening->Window();
        RedrawWindow(dlg, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        shownAt = Clock::now();
        // One keystroke in the first input: the preview follows, and the
        // view brings every control in line with the model.
        const auto k0 = Clock::now();
        SendMessageW(GetDlgItem(dlg, IDC_TXTELEMENT1), WM_CHAR, L'x', 1);
        keystroke.push_back(Ms(Clock::now() - k0));
        shownAt += Clock::now() - k0;  // not part of closing
        HWND cancel = GetDlgItem(dlg, IDC_CMDCANCEL);
        PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_CMDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND helper = nullptr;

// One opening, as the palette's command does it; answers the item count.
LRESULT OpenDialog() {
    const auto t0 = Clock::now();
    mq::Win32ProfileFile profile;
    mq::Win32CodePage codePage;
    mq::Win32FileSystem files;
    mq::Win32FolderPicker picker;
    mq::Win32Messages messages;
    mq::Win32Collation collation;
    const mq::TemplatePorts ports{profile, codePage, files, collation};
    static mq::TagTemplate loaded;
    mq::win32::frmTemplete dialog(ports, picker, messages, loaded);
    opening = &dialog;
    PostMessageW(helper, kShown, 0, 0);
    dialog.ShowModal(GetModuleHandleW(nullptr), nullptr);
    opened.push_back(Ms(shownAt - t0));
    closed.push_back(Ms(Clock::now() - shownAt));
    opening = nullptr;
    return static_cast<LRESULT>(dialog.model.File.Items().size());
}

std::wstring MakeLibrary(int files) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    const std::wstring folder =
        std::wstring(base) + L"mq-template-bench-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::string body =
        "[KestrelTagTemplete]\r\nTagName=t\r\nIndex=B1\r\nBaseElement=A\r\nElement1=HREF=\r\n";
    for (int i = 0; i < files; ++i) {
        wchar_t name[32];
        std::swprintf(name, 32, L"\\t%05d.ktt", (i * 7919) % files);  // created out of order
        HANDLE f = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(f, body.data(), static_cast<DWORD>(body.size()), &written, nullptr);
        CloseHandle(f);
    }
    return folder;
}

void RemoveLibrary(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                DeleteFileW((folder + L"\\" + data.cFileName).c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    int files = 10000;
    int reps = 15;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--files") == 0) files = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--reps") == 0) reps = std::atoi(argv[i + 1]);
    }
    mq::win32::InitCommonControls(ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES);

    const std::wstring library = MakeLibrary(files);
    const std::string folder = mq::win32::Narrow(library);
    mq::Win32ProfileFile profile;
    mq::Win32CodePage codePage;
    mq::Win32FileSystem fileSystem;
    mq::Win32Collation collation;
    const std::string settings = mq::SettingsFilePath(fileSystem.ApplicationFolder());
    const bool hadSettings = fileSystem.Exists(settings);
    if (hadSettings) {
        std::fprintf(stderr, "%s exists already; not touching it\n", settings.c_str());
        RemoveLibrary(library);
        return 1;
    }
    {
        mq::INIAccessGlobal ini(profile, codePage);
        ini.FileName = settings;
        ini.SetINIData(mq::kSettingsSection, mq::kTempleteLibKey, folder);
    }
    const std::string ansiFolder = codePage.FromUtf8(folder);

    WNDCLASSW wc{};
    wc.lpfnWndProc = HelperProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MarquillTemplateBench";
    RegisterClassW(&wc);
    helper = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             wc.hInstance, nullptr);
    // Warm-up: the file system's and the window system's caches.
    const std::size_t listed = ListWithFindFirstFileA(ansiFolder);
    const LRESULT shown = OpenDialog();
    if (listed != static_cast<std::size_t>(files) || shown != files) {
        std::fprintf(stderr, "expected %d files: listed %zu, dialog shows %ld\n", files, listed,
                     static_cast<long>(shown));
    }

    std::vector<double> list, model, resolve, listFiles, sort;
    opened.clear();
    closed.clear();
    keystroke.clear();
    for (int r = 0; r < reps; ++r) {
        auto t0 = Clock::now();
        ListWithFindFirstFileA(ansiFolder);
        list.push_back(Ms(Clock::now() - t0));

        OpenDialog();

        // The model's opening alone: settings, listing and sorting.
        mq::Win32FolderPicker picker;
        mq::Win32Messages messages;
        mq::TagTemplate loaded;
        mq::TemplatePorts ports{profile, codePage, fileSystem, collation};
        t0 = Clock::now();
        mq::TempleteModel m(ports, picker, messages, loaded);
        m.Form_Load();
        model.push_back(Ms(Clock::now() - t0));

        // Its parts.
        t0 = Clock::now();
        (void)mq::ResolveLibraryFolder(ports);
        resolve.push_back(Ms(Clock::now() - t0));
        t0 = Clock::now();
        (void)fileSystem.ListFiles(folder, "*.ktt");
        listFiles.push_back(Ms(Clock::now() - t0));
        t0 = Clock::now();
        (void)mq::ListTemplates(fileSystem, collation, codePage, folder);
        sort.push_back(Ms(Clock::now() - t0));
    }
    DestroyWindow(helper);
    DeleteFileW(mq::win32::Widen(settings).c_str());
    RemoveLibrary(library);

    const double l = Median(list), o = Median(opened);
    std::printf("library: %d template files, %d repetitions, medians\n", files, reps);
    std::printf("  FindFirstFileA/FindNextFileA listing   %8.2f ms\n", l);
    std::printf("  template dialog opened (on screen)     %8.2f ms\n", o);
    std::printf("    of which the model's Form_Load       %8.2f ms\n", Median(model));
    std::printf("      library folder from the settings   %8.2f ms\n", Median(resolve));
    std::printf("      file-system port's listing         %8.2f ms\n", Median(listFiles));
    std::printf("      the same listing sorted by name    %8.2f ms\n", Median(sort));
    std::printf("  closing it again                       %8.2f ms\n", Median(closed));
    std::printf("  one keystroke in an input              %8.2f ms\n", Median(keystroke));
    std::printf("ratio opening / listing: %.2f (aim: at most 2)\n", o / l);
    std::printf("ratio opening and closing / listing: %.2f\n", (o + Median(closed)) / l);
    return 0;
}
