#include "dialogs/deck/DeckModel.h"

#include <optional>
#include <string>
#include <utility>

#include "dialogs/AttributeFragment.h"
#include "dialogs/deck/SecCalc.h"
#include "platform/Utf.h"

namespace mq {
namespace {

// The limits of the hours, minutes and seconds boxes; days have none.
constexpr std::array<std::pair<int, int>, 3> kLimits{{{1, 23}, {2, 59}, {3, 59}}};

}  // namespace

DeckModel::DeckModel()
    : cboVersion({"3.0", "2.0"}, /*editable=*/true), cboMarkble({"True", "False"}, /*editable=*/false) {
    cboVersion.Click = [this] { Reset(); };
    cboVersion.Change = [this] { Reset(); };
    cboMarkble.Click = [this] { Reset(); };
    for (ui::CheckBox* box : {&chkVersion, &chkTTL, &chkMarkble, &chkAccessDomain, &chkAccessPath}) {
        box->Click = [this] { Reset(); };
    }
    txtAccessDomain.Change = [this] { Reset(); };
    txtAccessPath.Change = [this] { Reset(); };
    txtTTL.Change = [this] { txtTTL_Change(); };
    for (int i = 0; i < 4; ++i) {
        auto& box = txtSecCalc[static_cast<std::size_t>(i)];
        box.Change = [this, i] { txtSecCalc_Change(i); };
        box.GotFocus = [this, i] { txtSecCalc_GotFocus(i); };
    }
}

void DeckModel::Form_Load() {
    cboVersion.SetListIndex(0);
    cboMarkble.SetListIndex(0);
    Reset();
}

void DeckModel::Reset() {
    std::string tag = "<HDML";
    if (chkVersion.Value()) AppendAttribute(tag, "VERSION", cboVersion.Text());
    if (chkTTL.Value()) AppendAttribute(tag, "TTL", txtTTL.Text());
    if (chkMarkble.Value()) AppendAttribute(tag, "MARKABLE", cboMarkble.Text());
    if (chkAccessDomain.Value()) AppendAttribute(tag, "ACCESSDOMAIN", txtAccessDomain.Text());
    if (chkAccessPath.Value()) AppendAttribute(tag, "ACCESSPATH", txtAccessPath.Text());
    tag += '>';
    txtEd.SetText(std::move(tag));
}

void DeckModel::cmdOK_Click() {
    Reset();
    CloseWith(txtEd.Text(), "</HDML>");
}

// Seconds to parts. Each write below that changes a box runs that box's
// handling at once, which may write back into txtTTL; the chain ends
// because a write that leaves a text as it was raises nothing.
void DeckModel::txtTTL_Change() {
    if (txtTTL.Text().empty()) {
        txtTTL.SetText("0");
        txtTTL.SetFocus();
    }
    std::optional<std::int32_t> ttl;
    if (auto value = seccalc::ParseNumber(txtTTL.Text())) ttl = seccalc::ToSeconds(*value);
    if (ttl) {
        const seccalc::Parts p = seccalc::Decompose(*ttl);
        txtSecCalc[0].SetText(std::to_string(p.days));
        txtSecCalc[1].SetText(std::to_string(p.hours));
        txtSecCalc[2].SetText(std::to_string(p.minutes));
        txtSecCalc[3].SetText(std::to_string(p.seconds));
    }
    Reset();
}

// Parts to seconds. The preview follows through txtTTL's own change.
void DeckModel::txtSecCalc_Change(int index) {
    auto& self = txtSecCalc[static_cast<std::size_t>(index)];
    for (auto& box : txtSecCalc) {
        if (box.Text().empty()) {
            box.SetText("0");
            self.SetFocus();
        }
    }
    // Each box is read afresh: the writes above and below may have run the
    // whole chain in between.
    auto read = [this](int i) { return seccalc::ParseNumber(txtSecCalc[static_cast<std::size_t>(i)].Text()); };
    auto allConvertible = [&] {
        for (int i = 0; i < 4; ++i) {
            auto v = read(i);
            if (!v || *v < 0) return false;
        }
        return true;
    };
    if (!allConvertible()) return;
    for (auto [i, limit] : kLimits) {
        auto v = read(i);
        if (v && *v > limit) txtSecCalc[static_cast<std::size_t>(i)].SetText(std::to_string(limit));
    }
    if (!allConvertible()) return;
    const double ttl = *read(1) * seccalc::kSecondsPerHour + *read(0) * seccalc::kSecondsPerDay +
                       *read(2) * seccalc::kSecondsPerMinute + *read(3);
    if (!seccalc::ToSeconds(ttl)) return;
    txtTTL.SetText(seccalc::FormatShortest(ttl));
}

void DeckModel::txtSecCalc_GotFocus(int index) {
    auto& box = txtSecCalc[static_cast<std::size_t>(index)];
    box.SetSel(0, utf::ToUtf16(box.Text()).size());
}

}  // namespace mq
