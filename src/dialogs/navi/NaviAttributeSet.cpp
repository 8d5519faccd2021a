#include "dialogs/navi/NaviAttributeSet.h"

#include <stdexcept>

#include "dialogs/AttributeFragment.h"

namespace mq {

std::vector<std::string> ToItems(std::span<const std::string_view> items) {
    return {items.begin(), items.end()};
}

NaviAttributeSet::NaviAttributeSet() {
    for (const NaviAttrSpec& info : kNaviAttrs) {
        Slot& slot = slots_[IndexOf(info.attr)];
        slot.check.SetValue(info.checkedAtOpening);
        switch (info.kind) {
        case NaviValueKind::None:
            break;
        case NaviValueKind::Text:
            slot.text.emplace(std::string(info.text));
            break;
        case NaviValueKind::EditableList:
        case NaviValueKind::FixedList:
            slot.combo.emplace(ToItems(info.items), info.kind == NaviValueKind::EditableList);
            break;
        }
    }
}

ui::TextBox& NaviAttributeSet::Text(NaviAttr a) {
    auto& text = slots_[IndexOf(a)].text;
    if (!text) throw std::logic_error("no text box beside " + std::string(SpecOf(a).checkBox));
    return *text;
}

ui::ComboBox& NaviAttributeSet::Combo(NaviAttr a) {
    auto& combo = slots_[IndexOf(a)].combo;
    if (!combo) throw std::logic_error("no list beside " + std::string(SpecOf(a).checkBox));
    return *combo;
}

std::string_view NaviAttributeSet::Value(NaviAttr a) const {
    const Slot& slot = slots_[IndexOf(a)];
    if (slot.text) return slot.text->Text();
    if (slot.combo) return slot.combo->Text();
    return SpecOf(a).text;
}

void NaviAttributeSet::SelectFirstItems() {
    for (Slot& slot : slots_) {
        if (slot.combo) slot.combo->SetListIndex(0);
    }
}

void NaviAttributeSet::OnChange(const std::function<void()>& rebuild) {
    for (Slot& slot : slots_) {
        slot.check.Click = rebuild;
        if (slot.text) slot.text->Change = rebuild;
        if (slot.combo) {
            slot.combo->Click = rebuild;
            slot.combo->Change = rebuild;
        }
    }
}

void NaviAttributeSet::AppendFragments(std::string& out, std::span<const NaviAttr> order) const {
    for (NaviAttr a : order) {
        if (Check(a).Value()) AppendAttribute(out, SpecOf(a).name, Value(a));
    }
}

}  // namespace mq
