#pragma once
#include <windows.h>

#include "dialogs/DialogBase.h"
#include "platform/Shell.h"

namespace mq::win32 {

// The version box: the program's name and version, a link to the
// project's page and a notice. OK, Enter, Esc and the close box close it.
class frmVersion final : public DialogBase {
public:
    explicit frmVersion(ShellPort& shell);
    ~frmVersion() override;

private:
    void OnInit() override;
    void OnCommand(HWND parent, int id, int code) override;
    void OnClose() override;
    void OnAbandon() override;
    bool OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void Form_Load();
    void Label3_Click();
    void Command1_Click();
    void SetFonts();

    ShellPort& shell_;
    HFONT nameFont_ = nullptr;
    HFONT versionFont_ = nullptr;
    HFONT linkFont_ = nullptr;
    HFONT textFont_ = nullptr;
    HICON icon_ = nullptr;
};

}  // namespace mq::win32
