#include "model/PropChoice.h"

#include "model/BasicValue.h"
#include "platform/StringTable.h"

VX_IMPLEMENT_ABSTRACT(CPropCombo, CPropOb)
VX_IMPLEMENT_ABSTRACT(CLinePropStyle, CPropCombo)
VX_IMPLEMENT_ABSTRACT(CPropComboBasic, CPropCombo)

bool CPropCombo::GetValueText(std::string& out) const {
    const int i = IndexOfValue(value_);
    out = i >= 0 ? choices_[size_t(i)].text : std::string();
    return true;
}

bool CPropCombo::SetValueText(const std::string& text) {
    for (const auto& c : choices_)
        if (c.text == text) {
            value_ = c.value;
            return true;
        }
    return false;
}

bool CPropCombo::GetLong(int32_t& out) const {
    if (!member_) return false;
    out = *member_;
    return true;
}

bool CPropCombo::SetLong(int32_t v) {
    if (!member_) return false;
    *member_ = v;
    return true;
}

void CPropCombo::FillChoices(CChoiceControl& control) const {
    control.Clear();
    for (const auto& c : choices_) control.AddChoice(c.text, c.value);
    const int i = IndexOfValue(value_);
    control.SetCurrent(i >= 0 ? i : 0);
}

void CPropCombo::AddChoice(std::string text, int32_t value) { choices_.push_back({std::move(text), value}); }

void CPropCombo::AddChoiceId(int stringId, int32_t value) { AddChoice(std::string(vx::LoadString(stringId)), value); }

int CPropCombo::IndexOfValue(int32_t value) const {
    for (size_t i = 0; i < choices_.size(); ++i)
        if (choices_[i].value == value) return int(i);
    return -1;
}

void CLinePropStyle::OnChanged() {
    if (width && width->value() != 1) {
        width->setValue(1);
        RedrawRow(width);
    }
}

void LinkPenItems(CLinePropWidth& width, CLinePropStyle& style) {
    width.style = &style;
    style.width = &width;
}

// ---- the yes/no choice on an event-code record ----

namespace {

int32_t ValueOf(const CBasicValue& v) { return v.AsLong() != 0 ? 1 : 0; }

void Store(CBasicValue& v, int32_t value) { v.SetLiteral(std::to_string(value)); }

}  // namespace

CPropComboBasic::CPropComboBasic(int nameId, CBasicValue* member)
    : CPropCombo(nameId, nullptr), basic_(member) {
    if (nameId != 0 && basic_) {
        value_ = saved_ = ValueOf(*basic_);
        savedBasic_ = std::make_unique<CBasicValue>(*basic_);
    }
}

void CPropComboBasic::Apply() {
    if (basic_) Store(*basic_, value_);
}

void CPropComboBasic::ApplyFrom(const CPropOb& other) {
    if (const auto* o = dynamic_cast<const CPropValueT<int32_t>*>(&other); o && basic_) Store(*basic_, o->value());
}

void CPropComboBasic::Restore() {
    if (!basic_) return;
    if (savedBasic_) *basic_ = *savedBasic_;
    else Store(*basic_, saved_);
}

bool CPropComboBasic::Reload() {
    if (!basic_ || ValueOf(*basic_) == value_) return false;
    value_ = ValueOf(*basic_);
    return true;
}

bool CPropComboBasic::GetLong(int32_t& out) const {
    if (!basic_) return false;
    out = ValueOf(*basic_);
    return true;
}

bool CPropComboBasic::SetLong(int32_t v) {
    if (!basic_) return false;
    Store(*basic_, v);
    return true;
}
