#include "dialogs/text/TextModel.h"

namespace mq {

TextModel::TextModel()
    : cboTag({"BR", "CENTER", "RIGHT", "TAB", "WRAP", "LINE"}, /*editable=*/false) {}

void TextModel::Form_Load() { cboTag.SetListIndex(0); }

void TextModel::cmdOK_Click() {
    const std::string& tag = cboTag.Text();
    CloseWith("<" + tag + ">", chkCloseTag.Value() ? "</" + tag + ">" : std::string());
}

}  // namespace mq
