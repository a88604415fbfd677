// Owned, ordered lists of small records stored inside object records: the
// base list and the local-variable and choice lists.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Object.h"

class CListItem : public CObject {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }
    virtual void CopyFrom(const CListItem& other) = 0;
    // All stored fields equal (texts compared exactly).
    virtual bool IsEqual(const CListItem& other) const = 0;
};

class CHyperListFmt : public CObject {
public:
    static const CClassInfo classInfo;
    const CClassInfo& GetClass() const override { return classInfo; }

    CHyperListFmt() = default;
    CHyperListFmt(const CHyperListFmt&) = delete;
    CHyperListFmt& operator=(const CHyperListFmt&) = delete;

    // The list record: WORD count, then each item's record.
    void Serialize(CArchive& ar) override;
    // Replaces the items by copies of the other list's items.
    virtual void CopyFrom(const CHyperListFmt& other);
    // Same number of items and CompareItem true at every index.
    virtual bool IsEqual(const CHyperListFmt& other) const;
    void RemoveAll() { items_.clear(); }
    // Replaces the items by `items`, taking ownership (skips null entries).
    void TakeItems(std::vector<std::unique_ptr<CListItem>> items);
    virtual std::unique_ptr<CListItem> CreateItem() const { return nullptr; }
    virtual void CopyItem(CListItem& dst, const CListItem& src) const { dst.CopyFrom(src); }
    virtual bool CompareItem(const CListItem& a, const CListItem& b) const { return a.IsEqual(b); }
    // Fewest bytes one stored item takes (guards counts read from files).
    virtual size_t MinItemSize() const { return 1; }
    // What the list is, in words, for messages about damaged files.
    virtual const char* ListName() const { return "a list"; }

    size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    CListItem* at(size_t i) const { return items_[i].get(); }
    template <class T>
    T* item(size_t i) const { return static_cast<T*>(items_[i].get()); }
    void Append(std::unique_ptr<CListItem> item) { items_.push_back(std::move(item)); }
    void Insert(size_t index, std::unique_ptr<CListItem> item);
    std::unique_ptr<CListItem> Remove(size_t index);
    // Moves all items out, leaving the list empty.
    std::vector<std::unique_ptr<CListItem>> Release() { return std::move(items_); }
    int IndexOf(const CListItem* item) const;

protected:
    std::vector<std::unique_ptr<CListItem>> items_;
};

// An entry of the frame object's local variables, kept as opaque data.
class CLocalVar : public CListItem {
    VX_DECLARE_CLASS(CLocalVar)
public:
    int32_t number1 = 0;
    int32_t number2 = 0;
    std::string text1;
    std::string text2;
    int32_t flag = 0;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CListItem& other) override;
    bool IsEqual(const CListItem& other) const override;
};

class CLocalFmt : public CHyperListFmt {
    VX_DECLARE_CLASS(CLocalFmt)
public:
    std::unique_ptr<CListItem> CreateItem() const override { return std::make_unique<CLocalVar>(); }
    size_t MinItemSize() const override { return 11; }
    const char* ListName() const override { return "a list of local variables"; }
};

// A named choice with a small value.
class CChoice : public CListItem {
    VX_DECLARE_CLASS(CChoice)
public:
    std::string text;
    int32_t value = 0;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CListItem& other) override;
    bool IsEqual(const CListItem& other) const override;
};

class CChoiceFmt : public CHyperListFmt {
    VX_DECLARE_CLASS(CChoiceFmt)
public:
    std::unique_ptr<CListItem> CreateItem() const override { return std::make_unique<CChoice>(); }
    size_t MinItemSize() const override { return 2; }
    const char* ListName() const override { return "a list of choices"; }
};
