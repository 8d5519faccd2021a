#pragma once
#include "dialogs/ModelDialog.h"
#include "dialogs/card/CardModel.h"
#include "dialogs/ce/CEModel.h"
#include "dialogs/deck/DeckModel.h"
#include "dialogs/img/ImgModel.h"
#include "dialogs/naviA/NaviAModel.h"
#include "dialogs/naviAction/NaviActionModel.h"
#include "dialogs/navi/NaviView.h"
#include "dialogs/text/TextModel.h"
#include "templates/TempleteModel.h"

namespace mq::win32 {

// A tag dialog's window over its model, which holds every rule. The model
// is built with what it needs (`needs`, handed on to its constructor); the
// base only keeps a reference to it, not used before the dialog is shown.
// Each opening builds a new window and model.
//
// What is a dialog's own stands in its folder, in frm<Name>.cpp: the
// resource template and OnBind, which binds the controls to the model.
template <class Model, class Base = ModelDialog>
class ModelView final : public Base {
public:
    template <class... Needs>
    explicit ModelView(Needs&... needs) : Base(model, kTemplate), model(needs...) {}

    Model model;

private:
    static const int kTemplate;
    void OnBind() override;
};

using frmText = ModelView<TextModel>;
using frmImg = ModelView<ImgModel>;                  // with the open-file chooser
using frmDeck = ModelView<DeckModel>;
using frmCard = ModelView<CardModel>;
using frmNaviA = ModelView<NaviAModel, NaviDialogView>;
using frmNaviAction = ModelView<NaviActionModel, NaviDialogView>;
using frmCE = ModelView<CEModel>;                    // with the beep of a delete
// With the template the palette loaded last: it outlives each opening.
using frmTemplete = ModelView<TempleteModel>;

template <> const int frmText::kTemplate;
template <> const int frmImg::kTemplate;
template <> const int frmDeck::kTemplate;
template <> const int frmCard::kTemplate;
template <> const int frmNaviA::kTemplate;
template <> const int frmNaviAction::kTemplate;
template <> const int frmCE::kTemplate;
template <> const int frmTemplete::kTemplate;

template <> void frmText::OnBind();
template <> void frmImg::OnBind();
template <> void frmDeck::OnBind();
template <> void frmCard::OnBind();
template <> void frmNaviA::OnBind();
template <> void frmNaviAction::OnBind();
template <> void frmCE::OnBind();
template <> void frmTemplete::OnBind();

}  // namespace mq::win32
