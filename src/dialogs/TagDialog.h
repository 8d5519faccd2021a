#pragma once
#include <string>

namespace mq {

// What every tag dialog shares. A dialog writes InsertBefore and
// InsertAfter only when it closes: OK stores its result, Cancel and the
// close box store empty text in both. The palette inserts afterwards.
class TagDialogModel {
public:
    virtual ~TagDialogModel() = default;
    TagDialogModel() = default;
    TagDialogModel(const TagDialogModel&) = delete;
    TagDialogModel& operator=(const TagDialogModel&) = delete;

    // Once per opening, before the dialog is shown.
    virtual void Form_Load() = 0;
    // OK: rebuild, store the result, close.
    virtual void cmdOK_Click() = 0;
    // Cancel, and the close box: store nothing, close.
    virtual void cmdCancel_Click();

    // What Esc does: Cancel in every dialog but the card dialog.
    virtual bool EscCancels() const { return true; }

    bool Closed() const { return closed_; }

protected:
    void CloseWith(std::string before, std::string after);

private:
    bool closed_ = false;
};

}  // namespace mq
