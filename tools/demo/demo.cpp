// demo.exe OUTDIR: a short scripted session for machines without a display
// (run under Xvfb by scripts/demo.sh). It starts the stand-in host with the
// sample deck and the palette, selects a word, opens the text formatting
// dialog, picks CENTER with its closing tag and presses OK, printing the
// host's text before and after. Where a screenshot belongs it prints
// "SHOT name" and waits for OUTDIR\name.done, which the script writes once
// it has taken the picture.
//
// With --tour it then opens every other dialog in turn, takes a picture of
// each and closes it with its close box.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dialogs/text/TextRes.h"
#include "e2e/Driver.h"
#include "platform/win32/WideText.h"

using namespace mq::e2e;

namespace {

std::wstring g_out;

void Say(const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

void Shot(const std::string& name) {
    Say("SHOT " + name + "\n");
    const std::wstring done = g_out + L"\\" + mq::win32::Widen(name) + L".done";
    WaitUntil([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000ms);
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
        Shot("palette");

        session.Command(mq::Command::Text);
        HWND dialog = session.WaitDialog(L"テキスト整形");
        if (dialog == nullptr) throw std::runtime_error("the text dialog did not open");
        SelectComboItem(Item(dialog, IDC_CBOTAG), 1);
        ClickControl(Item(dialog, IDC_CHKCLOSETAG));
        WaitUntil([&] { return IsChecked(Item(dialog, IDC_CHKCLOSETAG)); });
        Shot("dialog");

        const std::string before = session.HostText();
        Click(dialog, IDC_CMDOK);
        if (!session.WaitTextChange(before)) throw std::runtime_error("nothing was inserted");
        Say("--- host text after OK ---\n" + FromCp932(session.HostText()) + "\n");
        Shot("after");

        if (tour) {
            struct Stop {
                mq::Command command;
                const wchar_t* caption;
                const char* name;
            };
            const Stop stops[] = {
                {mq::Command::Deck, L"デッキの設定 - <HDML>", "deck"},
                {mq::Command::Card, L"カードの設定", "card"},
                {mq::Command::NaviA, L"ナビゲーション - <A>", "navi-a"},
                {mq::Command::NaviAction, L"ナビゲーション - <ACTION>", "navi-action"},
                {mq::Command::CE, L"選択肢の設定", "choices"},
                {mq::Command::Image, L"画像 - <IMG>", "image"},
                {mq::Command::Templete, L"テンプレート", "template"},
                {mq::Command::Version, L"Marquill バージョン情報", "version"},
            };
            for (const Stop& stop : stops) {
                session.Command(stop.command);
                HWND open = session.WaitDialog(stop.caption, 5000ms);
                if (open == nullptr) {
                    Say(std::string("(no dialog for ") + stop.name + ")\n");
                    continue;
                }
                Shot(stop.name);
                PostMessageW(open, WM_SYSCOMMAND, SC_CLOSE, 0);
                WaitUntil([&] { return !IsWindow(open) && IsWindowEnabled(session.Palette()); });
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "demo failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
