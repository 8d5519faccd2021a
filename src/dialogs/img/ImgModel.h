#pragma once
#include "dialogs/Controls.h"
#include "dialogs/TagDialog.h"
#include "platform/FileChooser.h"

namespace mq {

// frmImg: one image tag <IMG SRC="..."> in front of the selection, with an
// optional ALT and ICON. The browse button fills the SRC box from the
// system's open-file dialog.
class ImgModel : public TagDialogModel {
public:
    explicit ImgModel(FileChooser& chooser);

    void Form_Load() override;
    void Reset();
    void cmdOK_Click() override;
    // A chosen file's full path goes into txtSrc. Cancelling the chooser
    // leaves txtSrc as the user left it.
    void cmdBrowse_Click();

    ui::TextBox txtEd;
    ui::TextBox txtSrc;
    ui::CheckBox chkAlt;
    ui::TextBox txtAlt;
    ui::CheckBox chkIcon;
    ui::TextBox txtIcon;

    // The open-file dialog behind cmdBrowse: its settings, and the file
    // name it holds, which starts at "*.bmp" and follows each chosen file
    // for the rest of this opening. The view sets the owner.
    OpenFileRequest CommonDialog1;

private:
    FileChooser& chooser_;
};

}  // namespace mq
