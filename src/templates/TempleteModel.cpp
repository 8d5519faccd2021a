#include "templates/TempleteModel.h"

#include <utility>

#include "hostlink/HostLink.h"
#include "settings/INIAccessGlobal.h"
#include "settings/SettingsFile.h"

namespace mq {

std::string ElementCaption(int n, const std::string& element) {
    const std::string digit(1, static_cast<char>('0' + n));
    if (element.empty()) return "要素" + digit + "(&" + digit + ")：";
    std::string caption;
    for (char c : element) {
        caption += c;
        if (c == '&') caption += '&';  // "&&" shows one "&" and marks nothing
    }
    return caption + " (&" + digit + ")：";
}

TempleteModel::TempleteModel(const TemplatePorts& ports, FolderPickerPort& picker,
                             MessagePort& messages, TagTemplate& loaded)
    : ports_(ports), picker_(picker), messages_(messages), loaded_(loaded) {
    File.Click = [this] { File_Click(); };
    txtElement1.Change = [this] { ComposeTag(); };
    txtElement2.Change = [this] { ComposeTag(); };
    txtElement3.Change = [this] { ComposeTag(); };
}

void TempleteModel::ShowFolder(std::string folder) {
    folder_ = std::move(folder);
    txtFolder.SetText(folder_);
    File.SetListIndex(-1);
    File.SetItems(ListTemplates(ports_.files, ports_.collation, ports_.codePage, folder_));
}

void TempleteModel::Form_Load() {
    // Nothing is composed and the loaded template is left alone: the
    // preview stays empty until a file is picked or an input changes.
    ShowFolder(ResolveLibraryFolder(ports_));
}

void TempleteModel::File_Click() {
    const int index = File.ListIndex();
    if (index < 0) return;
    const std::string& name = File.Items()[static_cast<std::size_t>(index)];
    if (name.empty()) return;
    loaded_ = LoadTemplate(ports_.profile, ports_.codePage, TemplatePath(folder_, name));
    txtTagName.SetText(loaded_.TagName);
    txtEdited.SetText(loaded_.Edited);
    lbl1.SetText(ElementCaption(1, loaded_.Element1));
    lbl2.SetText(ElementCaption(2, loaded_.Element2));
    lbl3.SetText(ElementCaption(3, loaded_.Element3));
    txtElement1.SetText(loaded_.Element1Default);
    txtElement2.SetText(loaded_.Element2Default);
    txtElement3.SetText(loaded_.Element3Default);
    // Also when the defaults equal what the inputs held and no change ran.
    ComposeTag();
}

void TempleteModel::ComposeTag() {
    txtEd.SetText(
        ExpandTemplate(loaded_, txtElement1.Text(), txtElement2.Text(), txtElement3.Text()));
}

void TempleteModel::cmdChangeFolder_Click() {
    std::string folder = picker_.PickFolder(owner, "タグテンプレート ライブラリフォルダの変更");
    if (folder.empty()) return;
    // The setting is ANSI text: a name the code page cannot spell would be
    // saved as another folder's (best fit turns "café" into "cafe"), and
    // the next opening would list that folder's templates.
    if (!SpelledInCodePage(folder, ports_.codePage)) {
        messages_.Show(owner, kFolderNotStorableMessage, kProgramTitle, MessagePort::Icon::Warning,
                       MessagePort::Buttons::Ok);
        return;
    }
    ShowFolder(folder);
    // At once: the choice is kept even if the dialog is then cancelled.
    INIAccessGlobal ini(ports_.profile, ports_.codePage);
    ini.FileName = SettingsFilePath(ports_.files.ApplicationFolder());
    ini.SetINIData(kSettingsSection, kTempleteLibKey, folder);
}

void TempleteModel::cmdOK_Click() {
    ComposeTag();
    CloseWith(txtEd.Text(), loaded_.CloseTag);
}

}  // namespace mq
