#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace mq {

// Every command of the palette, in menu order.
enum class Command {
    Exit,
    Saizenmen,
    InportFromHDMLEditor,
    Deck,
    Card,
    Text,
    NaviA,
    NaviAction,
    CE,
    Image,
    Templete,
    OpenHelp,
    Version,
};

// One command, written once. The menu's items, the accelerator table and
// the toolbar are derived from this table; frmMain::RunCommand runs every
// command: the rows that say `dialog` through ShowCommandDialog, the
// others by a case of their own.
struct CommandSpec {
    Command command;
    std::string_view caption;     // the menu item ("&" marks the access key)
    std::string_view shortcut;    // as the menu shows it ("Ctrl+D", "F1"); empty: none
    std::string_view toolbarKey;  // the button's key and tooltip; empty: no button
    std::string_view iconKey;     // the button's icon
    bool gapBefore;               // a toolbar separator in front of the button
    bool inserts;                 // a tag dialog: its result goes into the host
    bool dialog;                  // shows a modal dialog of the program's own
};

inline constexpr std::array<CommandSpec, 13> kCommands{{
    {Command::Exit, "終了(&X)", "Ctrl+X", "終了", "Delete", false, false, false},
    {Command::Saizenmen, "常に最前面に表示(&M)", "", "", "", false, false, false},
    {Command::InportFromHDMLEditor, "設定インポート(&I)", "", "", "", false, false, false},
    {Command::Deck, "デッキ(&D)", "Ctrl+D", "デッキ", "Deck", true, true, true},
    {Command::Card, "カード(&C)", "Ctrl+C", "カード", "Card", false, true, true},
    {Command::Text, "テキスト(&T)", "Ctrl+T", "テキスト整形", "Center", false, true, true},
    {Command::NaviA, "ナビゲーション - A(&A)", "Ctrl+A", "ナビゲーション - A", "NaviA", false, true, true},
    {Command::NaviAction, "ナビゲーション - ACTION(&N)", "Ctrl+N", "ナビゲーション - ACTION", "NaviAction",
     false, true, true},
    {Command::CE, "選択肢(&E)", "Ctrl+E", "選択肢", "CE", false, true, true},
    {Command::Image, "画像(&I)", "Ctrl+I", "画像", "img", false, true, true},
    {Command::Templete, "テンプレート(&T)", "Ctrl+M", "テンプレート", "templete", true, true, true},
    {Command::OpenHelp, "開く(&O)", "F1", "", "", false, false, false},
    {Command::Version, "バージョン情報(&V)", "", "", "", false, false, true},
}};

// Each command's row stands at its own place, so a lookup by command finds
// its row.
constexpr bool RowsInCommandOrder() {
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        if (static_cast<std::size_t>(kCommands[i].command) != i) return false;
    }
    return true;
}
static_assert(RowsInCommandOrder());

constexpr const CommandSpec& SpecOf(Command c) { return kCommands[static_cast<std::size_t>(c)]; }

// True for the eight commands that open a tag dialog and insert its result.
constexpr bool IsTagCommand(Command c) { return SpecOf(c).inserts; }

// A shortcut as the keyboard gives it: Ctrl and a virtual-key code (a
// capital letter's is its character, F1 to F12 are 0x70 to 0x7B).
struct Shortcut {
    bool ctrl = false;
    unsigned short virtualKey = 0;
};
// "Ctrl+D" and "F1"; nothing for any other text.
constexpr std::optional<Shortcut> ParseShortcut(std::string_view text) {
    Shortcut s;
    if (text.starts_with("Ctrl+")) {
        s.ctrl = true;
        text.remove_prefix(5);
    }
    if (text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z') {
        s.virtualKey = static_cast<unsigned short>(text[0]);
        return s;
    }
    if (text.size() >= 2 && text.size() <= 3 && text[0] == 'F') {
        int n = 0;
        for (char c : text.substr(1)) {
            if (c < '0' || c > '9') return std::nullopt;
            n = n * 10 + (c - '0');
        }
        if (n < 1 || n > 12) return std::nullopt;
        s.virtualKey = static_cast<unsigned short>(0x70 + n - 1);
        return s;
    }
    return std::nullopt;
}

// One toolbar slot: a button (key and tooltip, icon key, command) or a
// separator (empty key), in the table's order.
struct ToolbarSlot {
    std::string_view key;
    std::string_view iconKey;
    Command command;
};

namespace detail {
constexpr std::size_t ToolbarSlotCount() {
    std::size_t n = 0;
    for (const auto& c : kCommands) {
        if (!c.toolbarKey.empty()) n += c.gapBefore ? 2 : 1;
    }
    return n;
}
constexpr std::array<ToolbarSlot, ToolbarSlotCount()> MakeToolbarSlots() {
    std::array<ToolbarSlot, ToolbarSlotCount()> slots{};
    std::size_t i = 0;
    for (const auto& c : kCommands) {
        if (c.toolbarKey.empty()) continue;
        if (c.gapBefore) slots[i++] = ToolbarSlot{{}, {}, c.command};
        slots[i++] = ToolbarSlot{c.toolbarKey, c.iconKey, c.command};
    }
    return slots;
}
}  // namespace detail

inline constexpr auto kToolbarSlots = detail::MakeToolbarSlots();
// Nine buttons; a separator after the exit button and before the template
// button.
static_assert(std::count_if(kToolbarSlots.begin(), kToolbarSlots.end(),
                            [](const ToolbarSlot& s) { return !s.key.empty(); }) == 9);
static_assert(kToolbarSlots.size() == 11);
static_assert(kToolbarSlots[1].key.empty() && kToolbarSlots[9].key.empty());
static_assert(kToolbarSlots[10].iconKey == "templete");

// The toolbar's dispatch: the first button whose key equals `key` exactly
// (case-sensitive) names the command; any other key names none.
std::optional<Command> ToolbarCommandForKey(std::string_view key);

}  // namespace mq
