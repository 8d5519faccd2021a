#pragma once
#include "dialogs/ModelDialog.h"
#include "templates/TempleteModel.h"

namespace mq::win32 {

// The template dialog's window; every rule is in TempleteModel. Each
// opening builds a new window and model; the loaded template is handed in
// by the palette, so it outlives them for the run.
class frmTemplete final : public ModelDialog {
public:
    frmTemplete(const TemplatePorts& ports, FolderPickerPort& picker, MessagePort& messages,
                TagTemplate& loaded);

    TempleteModel model;

private:
    void OnBind() override;
};

}  // namespace mq::win32
