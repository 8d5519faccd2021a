// demo.exe OUTDIR: a short scripted session for machines without a display
// (run under Xvfb by scripts/demo.sh). It starts the stand-in host with the
// sample deck and the palette, selects a word, opens the text formatting
// dialog, picks CENTER with its closing tag and presses OK, printing the
// host's text before and after. Where a screenshot belongs it prints
// "SHOT name" and waits for OUTDIR\name.done, which the script writes once
// it has taken the picture.
#include <windows.h>

#include <cstdio>
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
    } catch (const std::exception& e) {
        std::fprintf(stderr, "demo failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
