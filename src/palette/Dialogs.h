#pragma once
#include <windows.h>

#include "palette/Palette.h"
#include "platform/FileChooser.h"
#include "platform/Shell.h"
#include "platform/Ui.h"
#include "templates/TagTemplate.h"

namespace mq::win32 {

// What the palette's commands reach the system through: the program's
// ports, built once by its composition root, and the run's loaded template.
struct CommandContext {
    MessagePort& messages;            // message boxes and the choice entries dialog's beep
    FileChooser& files;               // the image dialog's open-file chooser
    // Settings, code page, file system and list order: the template dialog's,
    // and the settings import's and the help page's (without the order).
    const TemplatePorts& templates;
    FolderPickerPort& folders;        // the template dialog's folder change, the import's folder
    ShellPort& shell;                 // the help page and the version box's link
    TagTemplate& templateInUse;       // the template loaded last in this run
};

// Shows the dialog of a command whose row in kCommands says `dialog` (a
// tag dialog or the version box) modally, placed near `anchor`, each built
// with what it needs. Answers false for any other command.
bool ShowCommandDialog(Command command, HINSTANCE instance, HWND anchor, const CommandContext& context);

}  // namespace mq::win32
