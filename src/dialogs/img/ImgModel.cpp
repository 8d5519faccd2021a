#include "dialogs/img/ImgModel.h"

#include <string>

#include "dialogs/AttributeFragment.h"

namespace mq {

ImgModel::ImgModel(FileChooser& chooser)
    : CommonDialog1{0,
                    "画像の参照",
                    {{"白黒ビットマップ(*.bmp)", "*.bmp"},
                     {"Portable Network Graphics(*.PNG)", "*.PNG"}},
                    "*.bmp"},
      chooser_(chooser) {
    for (ui::TextBox* box : {&txtSrc, &txtAlt, &txtIcon}) box->Change = [this] { Reset(); };
    for (ui::CheckBox* box : {&chkAlt, &chkIcon}) box->Click = [this] { Reset(); };
}

void ImgModel::Form_Load() { Reset(); }

void ImgModel::Reset() {
    std::string tag = "<IMG";
    AppendAttribute(tag, "SRC", txtSrc.Text());
    if (chkAlt.Value()) AppendAttribute(tag, "ALT", txtAlt.Text());
    if (chkIcon.Value()) AppendAttribute(tag, "ICON", txtIcon.Text());
    tag += '>';
    txtEd.SetText(std::move(tag));
}

void ImgModel::cmdOK_Click() {
    Reset();
    CloseWith(txtEd.Text(), {});
}

void ImgModel::cmdBrowse_Click() {
    std::optional<std::string> chosen = chooser_.ShowOpen(CommonDialog1);
    if (!chosen) return;
    CommonDialog1.fileName = *chosen;
    txtSrc.SetText(*chosen);
}

}  // namespace mq
