// Every dialog and tab page of the program, laid out with each face that
// may stand in for the dialogs' font: no control leaves its parent's
// margins or covers a sibling, and every caption fits its control. The
// probe does the looking; Wine reads font replacements when a process
// starts, so it is started once per face.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/WideText.h"
#include "support/StartProcess.h"
#include "support/WinPath.h"

namespace mq::test {
namespace {

constexpr wchar_t kReplacements[] = L"Software\\Wine\\Fonts\\Replacements";
constexpr wchar_t kDialogFont[] = L"MS UI Gothic";

// The dialogs' font stands for `face` while this lives; then it stands
// for what it stood for before.
class Replacement {
public:
    explicit Replacement(const std::wstring& face) {
        RegCreateKeyExW(HKEY_CURRENT_USER, kReplacements, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &key_, nullptr);
        wchar_t old[128] = {};
        DWORD size = sizeof old;
        had_ = RegQueryValueExW(key_, kDialogFont, nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                                &size) == ERROR_SUCCESS;
        old_ = old;
        Set(face);
    }
    ~Replacement() {
        if (had_) {
            Set(old_);
        } else {
            RegDeleteValueW(key_, kDialogFont);
        }
        RegCloseKey(key_);
    }

private:
    void Set(const std::wstring& face) {
        RegSetValueExW(key_, kDialogFont, 0, REG_SZ, reinterpret_cast<const BYTE*>(face.c_str()),
                       static_cast<DWORD>((face.size() + 1) * sizeof(wchar_t)));
    }
    HKEY key_ = nullptr;
    bool had_ = false;
    std::wstring old_;
};

// Runs the probe and answers its lines.
std::vector<std::string> Probe(const std::wstring& output) {
    std::wstring command = L"\"" + WinPath(MQ_LAYOUT_PROBE_EXE) + L"\" \"" + output + L"\"";
    PROCESS_INFORMATION started{};
    if (!StartProcess(command.data(), nullptr, started)) return {"the probe did not start"};
    WaitForSingleObject(started.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(started.hProcess, &code);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    if (code != 0) return {"the probe ended with " + std::to_string(code)};
    std::vector<std::string> lines;
    std::ifstream in(std::filesystem::path(output), std::ios::binary);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(DialogLayout, EveryControlKeepsItsMarginsAndShowsItsWholeCaption) {
    const std::vector<std::string> dialogs{"テキスト整形",
                                           "画像 - <IMG>",
                                           "デッキの設定 - <HDML>",
                                           "カードの設定",
                                           "ナビゲーション - <A>",
                                           "ナビゲーション - <ACTION>",
                                           "選択肢の設定",
                                           "テンプレート",
                                           "Marquill バージョン情報"};
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring output = std::wstring(temp) + L"mq-layout-probe.txt";

    // Each face by the name the replacement takes and by the font's own name.
    const std::pair<std::wstring, std::string> faces[] = {{L"IPAPGothic", "IPA Pゴシック"},
                                                          {L"Ume UI Gothic", "梅UIゴシック"}};
    for (const auto& [face, shownName] : faces) {
        SCOPED_TRACE(win32::Narrow(face));
        std::vector<std::string> lines;
        {
            Replacement replaced(face);
            lines = Probe(output);
        }
        DeleteFileW(output.c_str());
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), "face " + shownName) << "the replacement took no effect";
        std::vector<std::string> opened, faults;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (lines[i].rfind("opened ", 0) == 0) {
                opened.push_back(lines[i].substr(7));
            } else {
                faults.push_back(lines[i]);
            }
        }
        EXPECT_EQ(opened, dialogs);
        std::string all;
        for (const std::string& fault : faults) all += "\n  " + fault;
        EXPECT_TRUE(faults.empty()) << faults.size() << " layout faults:" << all;
    }
}

}  // namespace
}  // namespace mq::test
