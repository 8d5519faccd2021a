// The starter library shipped beside the program: every file is code page
// 932 text that loads, names its tag in Japanese and expands to the tag it
// promises.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/posix/Cp932.h"
#include "platform/posix/PosixProfile.h"
#include "support/DiskFileSystem.h"
#include "templates/TagTemplate.h"

namespace mq::test {
namespace {

namespace fs = std::filesystem;

fs::path LibraryFolder() { return fs::path(__FILE__).parent_path() / ".." / ".." / "templates"; }

std::string Bytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

struct Expected {
    std::string tagName;
    std::string openingTag;  // with the defaults
    std::string closeTag;
};

const std::map<std::string, Expected>& Starters() {
    static const std::map<std::string, Expected> starters{
        {"bold.ktt", {"太字", "<B>", "</B>"}},
        {"entry.ktt",
         {"入力カード（書式つき）", R"(<ENTRY KEY="word" FORMAT="*M" DEFAULT="">)", "</ENTRY>"}},
        {"entry_emptyok.ktt",
         {"空欄を許す入力カード", R"(<ENTRY KEY="memo" DEFAULT="" EMPTYOK="TRUE">)", "</ENTRY>"}},
        {"entry_number.ktt",
         {"数字入力カード", R"(<ENTRY NAME="number" KEY="num" FORMAT="*N">)", "</ENTRY>"}},
        {"entry_password.ktt",
         {"暗証番号入力カード", R"(<ENTRY KEY="pin" FORMAT="4N" NOECHO="TRUE">)", "</ENTRY>"}},
        {"public_deck.ktt", {"公開デッキ", R"(<HDML VERSION="3.0" PUBLIC="TRUE">)", "</HDML>"}},
    };
    return starters;
}

TEST(StarterLibrary, ListsExactlyTheStarterTemplates) {
    DiskFileSystem files;
    std::vector<std::string> expected;
    for (const auto& [name, _] : Starters()) expected.push_back(name);
    EXPECT_EQ(ListTemplates(files, LibraryFolder().string()), expected);
}

TEST(StarterLibrary, EveryTemplateLoadsAndExpandsWithItsDefaults) {
    PosixProfileFile profile;
    Cp932CodePage cp;
    for (const auto& [name, want] : Starters()) {
        SCOPED_TRACE(name);
        const fs::path path = LibraryFolder() / name;
        const std::string bytes = Bytes(path);
        ASSERT_FALSE(bytes.empty());
        // Code page 932 through and through, every line ended by CR LF.
        const std::string utf8 = cp.ToUtf8(bytes);
        EXPECT_EQ(cp.FromUtf8(utf8), bytes);
        EXPECT_EQ(utf8.find("・"), std::string::npos);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
            }
        }
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

        const TagTemplate t = LoadTemplate(profile, cp, path.string());
        EXPECT_EQ(t.TagName, want.tagName);
        EXPECT_EQ(t.Edited, "Marquill");
        EXPECT_EQ(ExpandTemplate(t, t.Element1Default, t.Element2Default, t.Element3Default),
                  want.openingTag);
        EXPECT_EQ(t.CloseTag, want.closeTag);
        // Every part the template describes is named by Index, and Index
        // names nothing else.
        EXPECT_EQ(t.Index.find_first_not_of("B123"), std::string::npos);
        const std::string* elements[] = {&t.Element1, &t.Element2, &t.Element3};
        for (int n = 0; n < 3; ++n) {
            const bool named = t.Index.find(static_cast<char>('1' + n)) != std::string::npos;
            EXPECT_EQ(named, !elements[n]->empty()) << "part " << n + 1;
        }
    }
}

}  // namespace
}  // namespace mq::test
