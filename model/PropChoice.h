// Choice items: a value picked from a list of (text, value) choices, the
// linked pen style, and the yes/no choice bound to an event-code record.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/PropItems.h"

#include "model/BasicValue.h"

class CPropCombo : public CPropValueT<int32_t> {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropCombo(int nameId, int32_t* member, int editor = kDropList, int kind = kChoice)
        : CPropValueT<int32_t>(nameId, editor, kind, member) {}

    struct Choice {
        std::string text;
        int32_t value;
    };
    const std::vector<Choice>& choices() const { return choices_; }

    // The text of the choice whose value equals the value; empty when none.
    bool GetValueText(std::string& out) const override;
    // Picks the choice with this text; false when there is none.
    bool SetValueText(const std::string& text) override;
    bool GetLong(int32_t& out) const override;
    bool SetLong(int32_t v) override;
    // Empties the control, adds every choice with its value as data and
    // selects the value's entry, or the first entry when none matches.
    virtual void FillChoices(CChoiceControl& control) const;
    virtual void AddChoice(std::string text, int32_t value);
    // A choice whose text is string `stringId`.
    void AddChoiceId(int stringId, int32_t value);
    // Index of the choice holding `value`, -1 when none.
    int IndexOfValue(int32_t value) const;

private:
    std::vector<Choice> choices_;
};

class CLinePropWidth;

// The pen style; a style other than solid makes the linked width 1.
class CLinePropStyle : public CPropCombo {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    using CPropCombo::CPropCombo;

    CLinePropWidth* width = nullptr;
    void OnChanged() override;
};

// Links a pen width item and a pen style item to each other.
void LinkPenItems(CLinePropWidth& width, CLinePropStyle& style);

// A 0/1 choice whose member is an event-code record (the literal "0" or
// "1").
class CPropComboBasic : public CPropCombo {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropComboBasic(int nameId, CBasicValue* member);

    void Apply() override;
    void ApplyFrom(const CPropOb& other) override;
    void Restore() override;
    bool Reload() override;
    bool GetLong(int32_t& out) const override;
    bool SetLong(int32_t v) override;

private:
    CBasicValue* basic_;
    std::unique_ptr<CBasicValue> savedBasic_;  // the record as it was
};
