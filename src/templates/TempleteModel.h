#pragma once
#include <string>

#include "dialogs/Controls.h"
#include "dialogs/TagDialog.h"
#include "platform/Handles.h"
#include "platform/Shell.h"
#include "platform/Ui.h"
#include "templates/TagTemplate.h"

namespace mq {

// frmTemplete: a tag from one of the user's templates. The user picks a
// file of the library folder, fills in up to three values and gets the
// expanded opening tag in front of the selection and the template's
// closing text behind it.
//
// The loaded template is not the dialog's own: it is handed in and outlives
// each opening, so a later opening still expands the template picked last,
// although the boxes do not show it.
class TempleteModel : public TagDialogModel {
public:
    TempleteModel(const TemplatePorts& ports, FolderPickerPort& picker, MessagePort& messages,
                  TagTemplate& loaded);

    void Form_Load() override;
    void File_Click();
    void ComposeTag();
    void cmdChangeFolder_Click();
    void cmdOK_Click() override;

    // The library folder in use (shown in txtFolder, listed in File).
    const std::string& LibraryFolder() const { return folder_; }
    const TagTemplate& Loaded() const { return loaded_; }

    // The window the folder browser belongs to.
    WindowHandle owner = 0;

    ui::ListBox File;
    ui::TextBox txtFolder;
    ui::TextBox txtEd;
    ui::TextBox txtTagName;
    ui::TextBox txtEdited;
    // The captions of the three inputs: label text, "&" marking the access
    // key as in every caption.
    ui::TextBox lbl1{"要素1(&1)："};
    ui::TextBox lbl2{"要素2(&2)："};
    ui::TextBox lbl3{"要素3(&3)："};
    ui::TextBox txtElement1;
    ui::TextBox txtElement2;
    ui::TextBox txtElement3;

private:
    void ShowFolder(std::string folder);

    TemplatePorts ports_;
    FolderPickerPort& picker_;
    MessagePort& messages_;
    TagTemplate& loaded_;
    std::string folder_;
};

// The caption of input 1, 2 or 3 for a template's element text: the text
// and " (&n)：", or "要素n(&n)：" when the text is empty. An "&" of the
// element text is shown as it is, so the digit stays the access key.
std::string ElementCaption(int n, const std::string& element);

// The warning for a picked folder whose name the settings file cannot hold.
inline constexpr const char* kFolderNotStorableMessage =
    "このフォルダの名前には、設定ファイル（MARQ.ini）に保存できない文字が含まれています。\r\n"
    "フォルダは変更しませんでした。";

}  // namespace mq
