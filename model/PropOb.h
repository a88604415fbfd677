// Property items: one row of the property sheet. An item knows the
// property's name, holds a working copy of the value and the value the
// member had when the item was made, knows the member of the design object
// it belongs to, how to show the value as text and which in-place editor the
// sheet opens for it. The sheet touches objects only through items.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Object.h"

class CPropList;

// Carries the outcome of checking a typed value: a refused value leaves a
// message for the user and keeps the edit open.
class CPropExchange {
public:
    void Refuse(std::string message) {
        refused_ = true;
        message_ = std::move(message);
    }
    bool refused() const { return refused_; }
    const std::string& message() const { return message_; }

private:
    bool refused_ = false;
    std::string message_;
};

// A drop-down control the choices of an item are filled into.
class CChoiceControl {
public:
    virtual ~CChoiceControl() = default;
    virtual void Clear() = 0;
    virtual void AddChoice(const std::string& text, int32_t data) = 0;
    virtual void SetCurrent(int index) = 0;
};

class CPropOb : public CObject {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }

    // Control ids of the sheet's in-place editors.
    enum Editor {
        kColorList = 27649,   // owner-drawn colour drop-down
        kEditBox = 27650,     // single-line edit box
        kDropList = 27651,    // drop-down list of fixed choices
        kDialogButton = 27652,  // button that opens a dialog
        kDropCombo = 27657,   // drop-down combo with an editable text field
    };
    // Item kinds; the sheet picks its working value and row dialog by them.
    enum Kind {
        kInt = 0, kLong = 1, kReal = 2, kText = 3, kChoice = 4, kColor = 5, kFont = 6, kFileName = 7,
        kBitmap = 8, kLocals = 9, kEventCode = 11, kSnapSet = 12, kLayerList = 13, kOle = 15,
        kComboText = 17, kClassDefinition = 21,
    };
    // Name ids that stand for "no name string".
    static constexpr int kNoName1 = -1;
    static constexpr int kNoName2 = -2;

    CPropOb(int nameId, int editor, int kind) : editor(editor), kind(kind), nameId(nameId) {}
    CPropOb(const CPropOb&) = delete;
    CPropOb& operator=(const CPropOb&) = delete;

    int editor;
    int kind;
    int dialogTitle = -1;  // string id of the row dialog's caption
    int nameId;
    std::string customName;
    int editable = 1;
    int applyOnChoice = 0;
    int mark = 0;  // tab of the sheet the row is shown on
    int validate = 0;
    CPropList* owner = nullptr;

    // Both items hold the same value (texts and doubles compared exactly).
    virtual bool IsEqual(const CPropOb&) const { return false; }
    // value = other's value.
    virtual void CopyValue(const CPropOb&) {}
    // member = value.
    virtual void Apply() {}
    // member = other's value.
    virtual void ApplyFrom(const CPropOb&) {}
    // member = saved.
    virtual void Restore() {}
    // value = member when they differ; true when the value changed.
    virtual bool Reload() { return false; }
    // Checks a typed value before it is applied; refusing it through `dx`.
    virtual void Validate(CPropExchange& /*dx*/, const std::string& /*proposed*/) {}
    // After the user changed the value.
    virtual void OnChanged() {}
    // The custom name, else the text of the name id; empty for -1 and -2.
    virtual std::string GetName() const;
    // The value's text form; true when a text was produced.
    virtual bool GetValueText(std::string&) const { return false; }
    // Gives a dialog the row's caption (unchanged when there is none).
    virtual void SetDialogTitle(std::string& caption) const;
    int GetMark() const { return mark; }
    virtual bool HasSwatch() const { return false; }
    // Typed reads and writes of the member; false when the item does not
    // hold that type.
    virtual bool GetString(std::string&) const { return false; }
    virtual bool GetDouble(double&) const { return false; }
    virtual bool GetLong(int32_t&) const { return false; }
    virtual bool GetInt(int32_t&) const { return false; }
    virtual bool SetString(const std::string&) { return false; }
    virtual bool SetDouble(double) { return false; }
    virtual bool SetLong(int32_t) { return false; }
    virtual bool SetInt(int32_t) { return false; }
    // Sets the working value from the text the user typed; false when the
    // text does not fit the item.
    virtual bool SetValueText(const std::string&) { return false; }
    // Runs the row's dialog on the working value; true when it ended with OK.
    virtual bool OpenDialog() { return false; }

protected:
    // Asks the owner to redraw another item's row.
    void RedrawRow(CPropOb* item) const;
};

// The items a sheet shows, in order; the list owns them and is their owner.
class CPropList {
public:
    virtual ~CPropList() = default;
    CPropList() = default;
    CPropList(const CPropList&) = delete;
    CPropList& operator=(const CPropList&) = delete;

    CPropOb* Add(std::unique_ptr<CPropOb> item);
    size_t size() const { return items_.size(); }
    CPropOb* at(size_t i) const { return items_[i].get(); }
    // The first item with this name id, or null.
    CPropOb* Find(int nameId) const;
    // Removes the first item with this name id; false when there is none.
    bool Remove(int nameId);
    void Clear() { items_.clear(); }
    // Redraws an item's row; the sheet window overrides it.
    virtual void RedrawItem(CPropOb*) {}

    // The selection being shown holds a grouped object: the rectangle, tool
    // tip and help id rows are left out.
    bool selectionHasGroup = false;

private:
    std::vector<std::unique_ptr<CPropOb>> items_;
};
