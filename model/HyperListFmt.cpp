#include "model/HyperListFmt.h"

#include "model/Archive.h"

const CClassInfo CListItem::classInfo = {"CListItem", 0, &CObject::classInfo, nullptr};
const CClassInfo CHyperListFmt::classInfo = {"CHyperListFmt", 0, &CObject::classInfo, nullptr};
VX_IMPLEMENT_SERIAL(CLocalVar, CListItem, 0)
VX_IMPLEMENT_SERIAL(CLocalFmt, CHyperListFmt, 0)
VX_IMPLEMENT_SERIAL(CChoice, CListItem, 0)
VX_IMPLEMENT_SERIAL(CChoiceFmt, CHyperListFmt, 0)

void CHyperListFmt::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteWordChecked(int64_t(items_.size()), "the number of list entries");
        for (const auto& item : items_) item->Serialize(ar);
        return;
    }
    RemoveAll();
    const uint16_t n = ar.ReadWord();
    ar.CheckCount(n, MinItemSize(), ListName());
    items_.reserve(n);
    for (uint16_t i = 0; i < n; ++i) {
        auto item = CreateItem();
        if (!item) ar.Fail(std::string(ListName()) + " of unknown entries");
        items_.push_back(std::move(item));
    }
    for (auto& item : items_) item->Serialize(ar);
}

void CHyperListFmt::CopyFrom(const CHyperListFmt& other) {
    if (this == &other) return;
    RemoveAll();
    for (const auto& src : other.items_) {
        auto item = CreateItem();
        if (!item) continue;
        CopyItem(*item, *src);
        items_.push_back(std::move(item));
    }
}

bool CHyperListFmt::IsEqual(const CHyperListFmt& other) const {
    if (items_.size() != other.items_.size()) return false;
    for (size_t i = 0; i < items_.size(); ++i)
        if (!CompareItem(*items_[i], *other.items_[i])) return false;
    return true;
}

void CHyperListFmt::TakeItems(std::vector<std::unique_ptr<CListItem>> items) {
    RemoveAll();
    for (auto& item : items)
        if (item) items_.push_back(std::move(item));
}

void CHyperListFmt::Insert(size_t index, std::unique_ptr<CListItem> item) {
    if (index > items_.size()) index = items_.size();
    items_.insert(items_.begin() + std::ptrdiff_t(index), std::move(item));
}

std::unique_ptr<CListItem> CHyperListFmt::Remove(size_t index) {
    if (index >= items_.size()) return nullptr;
    auto item = std::move(items_[index]);
    items_.erase(items_.begin() + std::ptrdiff_t(index));
    return item;
}

int CHyperListFmt::IndexOf(const CListItem* item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item) return int(i);
    return -1;
}

void CLocalVar::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt32(number1);
        ar.WriteInt32(number2);
        ar.WriteString(text1);
        ar.WriteString(text2);
        ar.WriteByte(uint8_t(flag));
        return;
    }
    number1 = ar.ReadInt32();
    number2 = ar.ReadInt32();
    text1 = ar.ReadString();
    text2 = ar.ReadString();
    flag = ar.ReadByte();
}

void CLocalVar::CopyFrom(const CListItem& other) {
    const auto& o = static_cast<const CLocalVar&>(other);
    number1 = o.number1;
    number2 = o.number2;
    text1 = o.text1;
    text2 = o.text2;
    flag = o.flag;
}

bool CLocalVar::IsEqual(const CListItem& other) const {
    const auto& o = static_cast<const CLocalVar&>(other);
    return number1 == o.number1 && number2 == o.number2 && text1 == o.text1 && text2 == o.text2 && flag == o.flag;
}

void CChoice::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString(text);
        ar.WriteByte(uint8_t(value));
        return;
    }
    text = ar.ReadString();
    value = ar.ReadByte();
}

void CChoice::CopyFrom(const CListItem& other) {
    const auto& o = static_cast<const CChoice&>(other);
    text = o.text;
    value = o.value;
}

bool CChoice::IsEqual(const CListItem& other) const {
    const auto& o = static_cast<const CChoice&>(other);
    return text == o.text && value == o.value;
}
