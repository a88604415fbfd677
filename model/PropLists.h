// Items whose value is edited in a dialog: bitmaps, local variables, the
// page's layers, snap-point sets, event code and embedded objects.
#pragma once

#include <memory>
#include <string>

#include "model/AnchorFmt.h"
#include "model/BasicValue.h"
#include "model/HyperListFmt.h"
#include "model/LayerFmt.h"
#include "model/PropItems.h"

class CHyperPage;

// What a bitmap shape shows: a linked file, or an image it holds itself.
struct CBitmapRef {
    std::string fileName;
    bool hasImage = false;
    bool operator==(const CBitmapRef&) const = default;
};

class CPropBitmap : public CPropValueT<CBitmapRef> {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropBitmap(int nameId, CBitmapRef* member) : CPropValueT<CBitmapRef>(nameId, kDialogButton, kBitmap, member) {}

    // The file's name; "(None)" without a bitmap; "(Bitmap)" for an image
    // held without a file.
    bool GetValueText(std::string& out) const override;
    // The file name.
    bool GetString(std::string& out) const override;
    bool SetString(const std::string& v) override;
};

// A list value (a working copy of a list, the list as it was, and the list
// of the object). Copies take the list's own fields with the items.
template <class L>
class CPropListT : public CPropOb {
public:
    CPropListT(int nameId, int editor, int kind, L* member) : CPropOb(nameId, editor, kind), member_(member) {
        if (nameId != 0 && member_) {
            value_.CopyFrom(*member_);
            saved_.CopyFrom(*member_);
        }
    }
    bool IsEqual(const CPropOb& other) const override {
        const auto* o = dynamic_cast<const CPropListT<L>*>(&other);
        return o && Same(o->value_, value_);
    }
    void CopyValue(const CPropOb& other) override {
        if (const auto* o = dynamic_cast<const CPropListT<L>*>(&other)) value_.CopyFrom(o->value_);
    }
    void Apply() override {
        if (member_) member_->CopyFrom(value_);
    }
    void ApplyFrom(const CPropOb& other) override {
        if (const auto* o = dynamic_cast<const CPropListT<L>*>(&other); o && member_) member_->CopyFrom(o->value_);
    }
    void Restore() override {
        if (member_) member_->CopyFrom(saved_);
    }
    bool Reload() override {
        if (!member_ || Same(*member_, value_)) return false;
        value_.CopyFrom(*member_);
        return true;
    }
    L& value() { return value_; }
    const L& saved() const { return saved_; }
    L* member() const { return member_; }

protected:
    static bool Same(const L& a, const L& b) { return a.IsEqual(b) && SameFields(a, b); }
    static bool SameFields(const CHyperListFmt&, const CHyperListFmt&) { return true; }
    static bool SameFields(const CAnchorFmt& a, const CAnchorFmt& b) {
        return a.nextId == b.nextId && a.limit == b.limit;
    }
    static bool SameFields(const CLayerFmt& a, const CLayerFmt& b) {
        return a.nextId == b.nextId && a.insertionIndex == b.insertionIndex &&
               a.onlyCurrentEditable == b.onlyCurrentEditable;
    }

    L value_;
    L saved_;
    L* member_;
};

// The frame object's local variables: shown as a count; no dialog.
class CPropLocal : public CPropListT<CLocalFmt> {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropLocal(int nameId, CLocalFmt* member) : CPropListT<CLocalFmt>(nameId, kDialogButton, kLocals, member) {}
    // "%d Item(s)".
    bool GetValueText(std::string& out) const override;
};

// The page's layers ("ViewLayers"): the Layers Sheet edits the working copy.
class CPropLayer : public CPropListT<CLayerFmt> {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropLayer(int nameId, CLayerFmt* member, CHyperPage* view);
    CHyperPage* view;
    bool GetValueText(std::string& out) const override;
    bool OpenDialog() override;
};

// An object's or group's snap-point set ("AnchorSnaps").
class CPropAnchor : public CPropListT<CAnchorFmt> {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropAnchor(int nameId, CAnchorFmt* member);
    bool GetValueText(std::string& out) const override;
    bool OpenDialog() override;
};

// The script text of one event of an object.
class CPropBasic : public CPropValueT<CBasicValue> {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    CPropBasic(int nameId, CBasicValue* member);
    bool GetValueText(std::string& out) const override;
};

// The properties of an embedded object; its dialog belongs to the object.
class CPropOle : public CPropOb {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    explicit CPropOle(int nameId) : CPropOb(nameId, kDialogButton, kOle) {}
};
