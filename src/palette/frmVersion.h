#pragma once
#include <windows.h>

#include <memory>

#include "platform/Shell.h"

namespace mq::win32 {

// The version box: the program's name and version, a link to the
// project's page and a notice. OK, Enter, Esc and the close box close it.
class frmVersion {
public:
    frmVersion();
    ~frmVersion();
    frmVersion(const frmVersion&) = delete;
    frmVersion& operator=(const frmVersion&) = delete;

    // Shows the box modally without an owner, near `anchor` (the palette).
    void ShowModal(HINSTANCE instance, HWND anchor);

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void Form_Load();
    void Label3_Click();
    void Command1_Click();
    void SetFonts();
    void PlaceNear();

    std::unique_ptr<ShellPort> shell_;
    HWND hwnd_ = nullptr;
    HWND anchor_ = nullptr;
    HFONT nameFont_ = nullptr;
    HFONT versionFont_ = nullptr;
    HFONT linkFont_ = nullptr;
    HFONT textFont_ = nullptr;
    HICON icon_ = nullptr;
};

}  // namespace mq::win32
