#pragma once
#include <windows.h>

#include "palette/Palette.h"
#include "platform/FileChooser.h"
#include "platform/Shell.h"
#include "platform/Ui.h"
#include "templates/TagTemplate.h"

namespace mq::win32 {

// What the dialogs reach the system through: the program's ports, built
// once by its composition root, and the run's loaded template.
struct DialogContext {
    MessagePort& messages;            // the choice entries dialog's beep
    FileChooser& files;               // the image dialog's open-file chooser
    // Settings, code page, file system and list order of the template dialog.
    const TemplatePorts& templates;
    FolderPickerPort& folders;        // the template dialog's folder change
    ShellPort& shell;                 // the version box's link
    TagTemplate& templateInUse;       // the template loaded last in this run
};

// Shows the dialog of a tag command or of the version box modally, placed
// near `anchor`. Answers false when the command has no dialog.
bool ShowCommandDialog(Command command, HINSTANCE instance, HWND anchor, const DialogContext& context);

// Whether ShowCommandDialog has a dialog for the command.
bool HasCommandDialog(Command command);

}  // namespace mq::win32
