#include "dialogs/Views.h"

#include "dialogs/card/CardRes.h"

namespace mq::win32 {

template <>
const int frmCard::kTemplate = IDD_FRMCARD;

template <>
void frmCard::OnBind() {
    HWND self = Window();
    BindText(self, IDC_TXTED, model.txtEd);
    SetTip(self, IDC_TXTED, "プレビュー");
    const auto pages = AddTabPages(
        IDC_SSTAB1, {{"カード", IDD_CARD_PAGE1}, {"アクセス", IDD_CARD_PAGE2}, {"変数", IDD_CARD_PAGE3}});

    HWND card = pages[0];
    BindCombo(card, IDC_CBOCARD, model.cboCard);
    SetTip(card, IDC_CBOCARD, "カードの種類を選択します。");
    BindText(card, IDC_TXTNAME, model.txtName);
    SetTip(card, IDC_TXTNAME, "カードの名前を入力します。");
    BindCheck(card, IDC_CHKTITLE, model.chkTitle);
    BindText(card, IDC_TXTTITLE, model.txtTitle);
    BindCheck(card, IDC_CHKBOOKMARK, model.chkBookMark);
    BindText(card, IDC_TXTBOOKMARK, model.txtBookMark);
    BindCheck(card, IDC_CHKMETHOD, model.chkMethod);
    BindCombo(card, IDC_CBOMETHOD, model.cboMethod);

    HWND access = pages[1];
    BindCheck(access, IDC_CHKMARKBLE, model.chkMarkble);
    BindCombo(access, IDC_CBOMARKBLE, model.cboMarkble);

    HWND vars = pages[2];
    BindCheck(vars, IDC_CHKKEY, model.chkKey);
    BindText(vars, IDC_TXTKEY, model.txtKey);
    BindCheck(vars, IDC_CHKDEFAULT, model.chkDefault);
    BindText(vars, IDC_TXTDEFAULT, model.txtDefault);
    BindCheck(vars, IDC_CHKIKEY, model.chkIkey);
    BindText(vars, IDC_TXTIKEY, model.txtIkey);
    BindCheck(vars, IDC_CHKIDEFAULT, model.chkIDefault);
    BindText(vars, IDC_TXTIDEFAULT, model.txtIDefault);
}

}  // namespace mq::win32
