#pragma once
// The starter library shipped beside the program, and what each of its
// templates must give: its name, its opening tag with the defaults, its
// closing text. A template added to templates/ needs a line here.
#include <filesystem>
#include <map>
#include <string>

namespace mq::test {

struct StarterTemplate {
    std::string tagName;
    std::string openingTag;
    std::string closeTag;
};

inline const std::map<std::string, StarterTemplate>& StarterTemplates() {
    static const std::map<std::string, StarterTemplate> starters{
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

// templates/ at the top of the source tree.
inline std::filesystem::path StarterLibraryFolder() {
    return std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "templates";
}

}  // namespace mq::test
