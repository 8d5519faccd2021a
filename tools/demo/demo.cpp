// demo.exe OUTDIR: a short scripted session for machines without a display
// (run under Xvfb by scripts/demo.sh). It starts the stand-in host with the
// sample deck and the palette, selects a word, opens the text formatting
// dialog, picks CENTER with its closing tag and presses OK, printing the
// host's text before and after. Where a screenshot belongs it prints
// "SHOT name" and waits for OUTDIR\name.done, which the script writes once
// it has taken the picture.
//
// With --tour it then opens every other dialog in turn, fills in a few
// values where that makes the picture tell more, takes a picture of each and
// closes it with its close box; last the settings import's confirmation,
// closed without importing. A picture of one window names its rectangle on
// the SHOT line ("SHOT name left top width height", screen pixels), so the
// script can cut the window out of the screen.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "dialogs/ce/CERes.h"
#include "dialogs/img/ImgRes.h"
#include "dialogs/text/TextRes.h"
#include "templates/TempleteRes.h"
#include "e2e/Driver.h"
#include "platform/win32/WideText.h"

using namespace mq::e2e;

namespace {

std::wstring g_out;

void Say(const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

// A picture of the screen, or with `window` of that window alone: it is
// shown, and its rectangle goes on the line.
void Shot(const std::string& name, HWND window = nullptr) {
    std::string line = "SHOT " + name;
    if (window != nullptr) {
        WaitUntil([&] { return IsWindowVisible(window) != FALSE; });
        // The mouse out of the way, so that no control shows it hovering.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        // Twice round the window's message loop, so that what it had to
        // paint is painted; the script still takes the picture until two
        // in a row agree, as the screen may lag behind.
        for (int i = 0; i < 2; ++i) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
        }
        RECT r{};
        GetWindowRect(window, &r);
        line += " " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top);
    }
    Say(line + "\n");
    const std::wstring done = g_out + L"\\" + mq::win32::Widen(name) + L".done";
    WaitUntil([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; });
}

std::string Crlf(std::string text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: demo.exe OUTDIR SAMPLE.hdml\n");
        return 2;
    }
    g_out = WinPath(argv[1]);
    bool tour = false;
    std::string templates;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--tour") tour = true;
        if (arg == "--templates" && i + 1 < argc) templates = argv[++i];
    }
    std::ifstream in(argv[2], std::ios::binary);
    std::string sample((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (sample.empty()) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 2;
    }
    try {
        const std::string word = "ようこそ";
        HostOptions options;
        options.text = ToCp932(Crlf(sample));
        const std::string prefix = ToCp932(Crlf(sample.substr(0, sample.find(word))));
        options.selStart = static_cast<std::uint32_t>(prefix.size());
        options.selEnd = options.selStart + static_cast<std::uint32_t>(ToCp932(word).size());
        // The starter templates beside the program, as the package has them.
        if (!templates.empty()) {
            const std::wstring folder = WinPath(templates);
            WIN32_FIND_DATAW found;
            HANDLE find = FindFirstFileW((folder + L"\\*.ktt").c_str(), &found);
            if (find != INVALID_HANDLE_VALUE) {
                do {
                    std::ifstream file(std::filesystem::path(folder + L"\\" + found.cFileName), std::ios::binary);
                    options.programFiles.emplace_back(
                        found.cFileName,
                        std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()));
                } while (FindNextFileW(find, &found));
                FindClose(find);
            }
        }
        Session session(options);
        if (session.Palette() == nullptr) throw std::runtime_error("the palette did not start");

        Say("--- host text before (\"" + word + "\" selected) ---\n" + FromCp932(session.HostText()) +
            "\n");
        Shot("palette", session.Palette());

        session.Command(mq::Command::Text);
        HWND dialog = session.WaitDialog(L"テキスト整形");
        if (dialog == nullptr) throw std::runtime_error("the text dialog did not open");
        SelectComboItem(Item(dialog, IDC_CBOTAG), 1);
        ClickControl(Item(dialog, IDC_CHKCLOSETAG));
        WaitUntil([&] { return IsChecked(Item(dialog, IDC_CHKCLOSETAG)); });
        Shot("dialog", dialog);

        const std::string before = session.HostText();
        Click(dialog, IDC_CMDOK);
        if (!session.WaitTextChange(before)) throw std::runtime_error("nothing was inserted");
        Say("--- host text after OK ---\n" + FromCp932(session.HostText()) + "\n");
        Shot("after");

        if (tour) {
            // The screen's scale, which the pictures are taken at.
            HDC screen = GetDC(nullptr);
            Say("DPI " + std::to_string(GetDeviceCaps(screen, LOGPIXELSX)) + "\n");
            ReleaseDC(nullptr, screen);

            // The starter templates in a library folder of the user's, as the
            // settings file names it, so that the template dialog shows a
            // folder like any user's rather than the session's temporary one.
            const std::wstring library = L"C:\\HDML\\Templates";
            CreateDirectoryW(L"C:\\HDML", nullptr);
            CreateDirectoryW(library.c_str(), nullptr);
            for (const auto& [name, bytes] : options.programFiles) {
                std::ofstream(std::filesystem::path(library + L"\\" + name), std::ios::binary) << bytes;
            }
            WritePrivateProfileStringW(L"Marquill", L"TempleteLib", library.c_str(),
                                       (session.Folder() + L"\\MARQ.ini").c_str());

            struct Stop {
                mq::Command command;
                const wchar_t* caption;
                const char* name;
                std::function<void(HWND)> fillIn;
            };
            const auto type = [](HWND box, const std::wstring& text) {
                SendMessageW(box, EM_SETSEL, 0, -1);
                TypeChars(box, text);
            };
            const Stop stops[] = {
                {mq::Command::Deck, L"デッキの設定 - <HDML>", "deck", {}},
                {mq::Command::Card, L"カードの設定", "card", {}},
                {mq::Command::NaviA, L"ナビゲーション - <A>", "navi-a", {}},
                {mq::Command::NaviAction, L"ナビゲーション - <ACTION>", "navi-action", {}},
                {mq::Command::CE, L"選択肢の設定", "choices",
                 [&](HWND d) {
                     // The first entry of the help's example added, the second typed.
                     type(Item(d, IDC_CE_TXTDEST), L"#news");
                     type(Item(d, IDC_CE_TXTMOJI), L"ニュース");
                     Click(d, IDC_CMDADD);
                     WaitUntil([&] { return SendDlgItemMessageW(d, IDC_LSTSNDATA, LB_GETCOUNT, 0, 0) == 1; });
                     type(Item(d, IDC_CE_TXTDEST), L"#weather");
                     type(Item(d, IDC_CE_TXTMOJI), L"天気");
                     WaitUntil([&] { return Text(Item(d, IDC_TXTED)).find(L"天気") != std::wstring::npos; });
                 }},
                {mq::Command::Image, L"画像 - <IMG>", "image",
                 [&](HWND d) {
                     type(Item(d, IDC_TXTSRC), L"logo.bmp");
                     ClickControl(Item(d, IDC_CHKALT));
                     WaitUntil([&] { return IsChecked(Item(d, IDC_CHKALT)); });
                     type(Item(d, IDC_TXTALT), L"ロゴ");
                     WaitUntil([&] { return Text(Item(d, IDC_TXTED)).find(L"ロゴ") != std::wstring::npos; });
                 }},
                {mq::Command::Templete, L"テンプレート", "template",
                 [&](HWND d) {
                     // A click on a starter template's line, as the user picks it.
                     HWND list = Item(d, IDC_FILE);
                     const LRESULT line = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                       reinterpret_cast<LPARAM>(L"entry.ktt"));
                     if (line == LB_ERR) return;
                     RECT r{};
                     SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
                     MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
                     BringToFront(d);
                     ClickAt({r.left + 12, (r.top + r.bottom) / 2});
                     WaitUntil([&] { return !Text(Item(d, IDC_TXTTAGNAME)).empty(); });
                 }},
                {mq::Command::Version, L"Marquill バージョン情報", "version", {}},
                {mq::Command::InportFromHDMLEditor, L"設定インポート", "import", {}},
            };
            for (const Stop& stop : stops) {
                session.Command(stop.command);
                HWND open = session.WaitDialog(stop.caption);
                if (open == nullptr) {
                    Say(std::string("(no dialog for ") + stop.name + ")\n");
                    continue;
                }
                if (stop.fillIn) stop.fillIn(open);
                Shot(stop.name, open);
                // The close box: Cancel for the dialogs and the confirmation alike.
                PostMessageW(open, WM_SYSCOMMAND, SC_CLOSE, 0);
                WaitUntil([&] { return !IsWindow(open) && IsWindowEnabled(session.Palette()); });
            }
            for (const auto& [name, bytes] : options.programFiles) DeleteFileW((library + L"\\" + name).c_str());
            RemoveDirectoryW(library.c_str());
            RemoveDirectoryW(L"C:\\HDML");
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "demo failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
