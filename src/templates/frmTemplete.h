#pragma once
#include "dialogs/ModelDialog.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Shell.h"
#include "templates/TempleteModel.h"

namespace mq::win32 {

// The template dialog's window; every rule is in TempleteModel. Each
// opening builds a new window and model, but the loaded template is the
// one process-wide TemplateInUse(), so it outlives them for the run.
class frmTemplete final : public ModelDialog {
public:
    frmTemplete();

    Win32ProfileFile profile;
    Win32CodePage codePage;
    Win32FileSystem files;
    Win32FolderPicker picker;
    TemplatePorts ports{profile, codePage, files};
    TempleteModel model{ports, picker, TemplateInUse()};

    // The template picked last in this run (empty before the first pick).
    static TagTemplate& TemplateInUse();

private:
    void OnBind() override;
};

}  // namespace mq::win32
