#pragma once
#include <string_view>

#include "platform/CodePage.h"
#include "platform/Handles.h"
#include "platform/ProfileFile.h"
#include "platform/Shell.h"
#include "platform/Ui.h"

namespace mq {

// The companion editor's settings file and the one value taken from it.
inline constexpr std::string_view kCompanionFileName = "kshdml.ini";
inline constexpr std::string_view kCompanionSection = "Kestrel HDML Editor Standard Setting";
inline constexpr std::string_view kCompanionTempleteLibKey = "TempleteLib";

// The import's texts, lines joined by CR LF.
namespace import_text {
inline constexpr std::string_view kConfirmCaption = "設定インポート";
inline constexpr std::string_view kConfirm =
    "この機能はKestrel HDML Editorから以下の設定をインポートする機能です。\r\n"
    "\r\n"
    "・テンプレートライブラリフォルダの位置\r\n"
    "\r\n"
    "インポートを行うと現在の上記の設定が全て失われます。\r\n"
    "続けるならOKを押してください。";
inline constexpr std::string_view kFolderPrompt = "HDML Editorのインストール先を指定してください。";
inline constexpr std::string_view kFailedCaption = "インポート失敗";
inline constexpr std::string_view kNotFound =
    "kshdml.ini が見つかりません。\r\n"
    "\r\n"
    "・フォルダは正しく指定しましたか？\r\n"
    "・HDML Editorをいままで一度も起動してませんか？";
// Shown instead of the completion when MARQ.ini could not be written:
// reporting success then would leave the user believing the library
// folder had moved.
inline constexpr std::string_view kWriteFailed =
    "MARQ.ini に設定を書き込めませんでした。\r\n"
    "\r\n"
    "・MARQ.ini が読み取り専用になっていませんか？\r\n"
    "・Marquillのフォルダに書き込む権限がありますか？";
inline constexpr std::string_view kDoneCaption = "インポート完了";
inline constexpr std::string_view kDone = "設定のインポートが完了しました。";
}  // namespace import_text

// How an import ended.
enum class ImportOutcome {
    Declined,      // not OK at the confirmation
    NoFolder,      // the folder browser was cancelled
    NotFound,      // no ordinary kshdml.ini in the chosen folder
    WriteFailed,   // MARQ.ini could not be written
    Done,
};

// What the import works with. Message boxes and the folder browser are
// owned by `owner`, the palette window.
struct ImportPorts {
    MessagePort& messages;
    FolderPickerPort& folders;
    FileSystemPort& files;
    ProfileFile& profile;
    const AnsiCodePage& codePage;
};

// "設定インポート(&I)": after a confirmation, copies the template library
// folder setting of the companion editor's settings file, found in the
// folder the user picks, into Marquill's settings file, exactly as read
// (also when empty). The palette's always-on-top state is not touched.
ImportOutcome mnuInportFromHDMLEditor_Click(WindowHandle owner, const ImportPorts& ports);

}  // namespace mq
