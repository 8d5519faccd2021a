#include "dialogs/Views.h"

#include "dialogs/Metrics.h"
#include "dialogs/deck/DeckRes.h"

namespace mq::win32 {
namespace {

// The calculator's top on the page "デッキ": below the VERSION and TTL rows.
constexpr int kCalcTop = MQ_MARGIN + 2 * MQ_ROW - MQ_RELATED + MQ_UNRELATED;

}  // namespace

template <>
const int frmDeck::kTemplate = IDD_FRMDECK;

template <>
void frmDeck::OnBind() {
    HWND self = Window();
    BindText(self, IDC_TXTED, model.txtEd);
    const auto pages = AddTabPages(IDC_SSTAB1, {{"デッキ", IDD_DECK_PAGE1}, {"アクセス", IDD_DECK_PAGE2}});

    HWND deck = pages[0];
    BindCheck(deck, IDC_CHKVERSION, model.chkVersion);
    BindCombo(deck, IDC_CBOVERSION, model.cboVersion);
    BindCheck(deck, IDC_CHKTTL, model.chkTTL);
    BindText(deck, IDC_TXTTTL, model.txtTTL);

    HWND access = pages[1];
    BindCheck(access, IDC_CHKMARKBLE, model.chkMarkble);
    BindCombo(access, IDC_CBOMARKBLE, model.cboMarkble);
    BindCheck(access, IDC_CHKACCESSDOMAIN, model.chkAccessDomain);
    SetTip(access, IDC_CHKACCESSDOMAIN, "主にMARKABLEをFALSEに下場合に利用します。");
    BindText(access, IDC_TXTACCESSDOMAIN, model.txtAccessDomain);
    BindCheck(access, IDC_CHKACCESSPATH, model.chkAccessPath);
    SetTip(access, IDC_CHKACCESSPATH, "アクセスできない場合はこのデッキに飛びます。");
    BindText(access, IDC_TXTACCESSPATH, model.txtAccessPath);

    // The calculator comes after Cancel in the tab order, so it is a
    // section of its own, shown with the first page, which stops above it.
    HWND calc = AddSection(IDD_DECK_CALC, GetDlgItem(self, IDC_CMDCANCEL));
    AttachToPage(0, calc);
    for (int i = 0; i < 4; ++i) {
        BindText(calc, IDC_TXTSECCALC0 + i, model.txtSecCalc[static_cast<std::size_t>(i)]);
    }
    // It stands under the TTL row, across the page, and the page stops
    // where it begins.
    RECT page;
    GetWindowRect(deck, &page);
    MapWindowPoints(nullptr, self, reinterpret_cast<POINT*>(&page), 2);
    RECT box{0, 0, 0, kCalcTop};
    MapDialogRect(deck, &box);
    RECT size;
    GetWindowRect(calc, &size);
    SetWindowPos(calc, nullptr, page.left, page.top + box.bottom, page.right - page.left,
                 size.bottom - size.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(deck, nullptr, 0, 0, page.right - page.left, box.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace mq::win32
