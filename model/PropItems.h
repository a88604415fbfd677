// The value items: integers, longs, reals, angles, texts, object codes,
// colours and fonts.
#pragma once

#include <cstdint>
#include <string>

#include "model/FontRecord.h"
#include "model/PropOb.h"
#include "platform/Color.h"

class CGroupInfo;
class CHyperBaseOb;
class CHyperPage;

// An item with a working value, the saved value and the bound member, all of
// type V. The member is read into both values at creation (name id not 0).
template <class V>
class CPropValueT : public CPropOb {
public:
    CPropValueT(int nameId, int editor, int kind, V* member) : CPropOb(nameId, editor, kind), member_(member) {
        if (nameId != 0 && member_) value_ = saved_ = *member_;
    }

    bool IsEqual(const CPropOb& other) const override {
        const auto* o = dynamic_cast<const CPropValueT<V>*>(&other);
        return o && o->value_ == value_;
    }
    void CopyValue(const CPropOb& other) override {
        if (const auto* o = dynamic_cast<const CPropValueT<V>*>(&other)) value_ = o->value_;
    }
    void Apply() override {
        if (member_) *member_ = value_;
    }
    void ApplyFrom(const CPropOb& other) override {
        if (const auto* o = dynamic_cast<const CPropValueT<V>*>(&other); o && member_) *member_ = o->value_;
    }
    void Restore() override {
        if (member_) *member_ = saved_;
    }
    bool Reload() override {
        if (!member_ || *member_ == value_) return false;
        value_ = *member_;
        return true;
    }

    const V& value() const { return value_; }
    void setValue(const V& v) { value_ = v; }
    const V& saved() const { return saved_; }
    V* member() const { return member_; }

protected:
    V value_{};
    V saved_{};
    V* member_;
};

// A 32-bit integer with bounds, checked when the validate flag is set.
class CPropInt : public CPropValueT<int32_t> {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropInt(int nameId, int32_t* member, bool validate = false, int32_t lower = INT32_MIN,
             int32_t upper = INT32_MAX, int editor = kEditBox, int kind = kInt);

    int32_t lower;
    int32_t upper;

    bool GetValueText(std::string& out) const override;
    bool SetValueText(const std::string& text) override;
    void Validate(CPropExchange& dx, const std::string& proposed) override;
    bool GetInt(int32_t& out) const override;
    bool SetInt(int32_t v) override;
};

class CLinePropStyle;

// The pen width; a width above 1 makes the linked pen style solid.
class CLinePropWidth : public CPropInt {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    using CPropInt::CPropInt;

    CLinePropStyle* style = nullptr;
    void OnChanged() override;
};

// A 32-bit long with bounds.
class CPropLong : public CPropValueT<int32_t> {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropLong(int nameId, int32_t* member, bool validate = false, int32_t lower = INT32_MIN,
              int32_t upper = INT32_MAX, int editor = kEditBox, int kind = kLong);

    int32_t lower;
    int32_t upper;

    bool GetValueText(std::string& out) const override;
    bool SetValueText(const std::string& text) override;
    void Validate(CPropExchange& dx, const std::string& proposed) override;
    bool GetLong(int32_t& out) const override;
    bool SetLong(int32_t v) override;
};

class CPropDbl : public CPropValueT<double> {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropDbl(int nameId, double* member, int editor = kEditBox, int kind = kReal)
        : CPropValueT<double>(nameId, editor, kind, member) {}

    bool GetValueText(std::string& out) const override;
    bool SetValueText(const std::string& text) override;
    void Validate(CPropExchange& dx, const std::string& proposed) override;
    bool GetDouble(double& out) const override;
    bool SetDouble(double v) override;
};

// The rotate angle of lines: a change is posted to the object's view as the
// rotate-angle box of the format bar would post it.
class CPropAngleDbl : public CPropDbl {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    static constexpr unsigned kRotateMessage = 0x8212;

    CPropAngleDbl(int nameId, double* member, CHyperPage* view) : CPropDbl(nameId, member), view(view) {}
    CHyperPage* view;
    void OnChanged() override;
};

class CPropStr : public CPropValueT<std::string> {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropStr(int nameId, std::string* member, int maxLength = 0, int editor = kEditBox, int kind = kText)
        : CPropValueT<std::string>(nameId, editor, kind, member), maxLength(maxLength) {}

    int maxLength;  // in characters; 0 = no limit

    bool GetValueText(std::string& out) const override;
    bool SetValueText(const std::string& text) override;
    bool GetString(std::string& out) const override;
    bool SetString(const std::string& v) override;
};

// An object's code name: at most 40 characters, unique on its page.
class CPropCodeStr : public CPropStr {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    static constexpr int kMaxCode = 40;

    // `self` is the object (or page object) whose code this is; `group` the
    // group record when the item edits a group's code.
    CPropCodeStr(int nameId, std::string* member, CHyperPage* view, const CHyperBaseOb* self,
                 const CGroupInfo* group = nullptr)
        : CPropStr(nameId, member, kMaxCode), view(view), self(self), group(group) {
        validate = 1;
    }
    CHyperPage* view;
    const CHyperBaseOb* self;
    const CGroupInfo* group;

    // Writing the member is a change of the code: the page is told.
    void Apply() override;
    void ApplyFrom(const CPropOb& other) override;
    void Restore() override;
    bool SetString(const std::string& v) override;

    // Refuses a code that another object, group, the page or the window
    // already carries (ignoring case). An empty code passes.
    void Validate(CPropExchange& dx, const std::string& proposed) override;
};

class CPropColor : public CPropValueT<COLORREF> {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropColor(int nameId, COLORREF* member, int editor = kColorList)
        : CPropValueT<COLORREF>(nameId, editor, kColor, member) {}

    bool GetValueText(std::string& out) const override;
    bool SetValueText(const std::string& text) override;
    bool GetLong(int32_t& out) const override;
    bool SetLong(int32_t v) override;
    // The row draws its value as a colour swatch.
    bool ShowsSwatch() const { return editor == kColorList || dialogTitle == 27151; }
};

// A colour whose row always carries a swatch.
class CPropCustColor : public CPropColor {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    using CPropColor::CPropColor;
    bool HasSwatch() const override { return true; }
};

class CPropFont : public CPropValueT<CFontRecord> {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropFont(int nameId, CFontRecord* member) : CPropValueT<CFontRecord>(nameId, kDialogButton, kFont, member) {
        dialogTitle = 26653;
    }

    // The face name, or "(None)".
    bool GetValueText(std::string& out) const override;
    // The font's text form.
    bool GetString(std::string& out) const override;
    bool SetString(const std::string& v) override;
};
