#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "dialogs/Controls.h"

namespace mq::win32 {

// One control of a dialog tied to its value in the model. A binding knows
// which notices carry the user's edits, how to read such an edit into the
// model, and how to show the model's value.
//
// The rule for writing a control: only where the model itself has changed
// the value since the binding last showed or read it, and only when the
// control does not already show it. Each binding remembers the value as
// the control showed it; a user's edit updates that memory before the
// model hears of it, so when the model keeps the edit nothing is written
// back, and when it changes it (a calculator's cut, a rebuilt preview)
// the new value goes in.
class Binding {
public:
    Binding(HWND parent, int id);
    virtual ~Binding() = default;
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    // The control's notice `code`, sent to `parent`, is this binding's.
    bool Owns(HWND parent, int id) const { return parent == parent_ && id == id_; }
    HWND Control() const { return control_; }

    // Whether `code` carries a user's edit (or click) the model takes in.
    virtual bool Takes(int code) const = 0;
    // Reads that edit into the model, which runs its handlers.
    virtual void Read(int code) = 0;
    // Shows the model's value where the model has changed it. Answers the
    // control that asks for the focus, if any.
    virtual HWND Show() = 0;

protected:
    HWND parent_;
    int id_;
    HWND control_;
};

std::unique_ptr<Binding> BindTextBox(HWND parent, int id, ui::TextBox& box);
std::unique_ptr<Binding> BindCheckBox(HWND parent, int id, ui::CheckBox& box);
// A list-only drop-down list, or an editable one, by the model's kind.
std::unique_ptr<Binding> BindComboBox(HWND parent, int id, ui::ComboBox& box);
std::unique_ptr<Binding> BindListBox(HWND parent, int id, ui::ListBox& box);
std::unique_ptr<Binding> BindPushButton(HWND parent, int id, std::function<void()> onClick);

}  // namespace mq::win32
