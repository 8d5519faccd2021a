#pragma once
#include "dialogs/ModelDialog.h"
#include "dialogs/deck/DeckModel.h"

namespace mq::win32 {

// The deck dialog's window; every rule, the calculator's included, is in
// DeckModel.
class frmDeck final : public ModelDialog {
public:
    frmDeck();
    DeckModel model;

private:
    void OnBind() override;
};

}  // namespace mq::win32
