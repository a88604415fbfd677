#include "model/LayerFmt.h"

#include <algorithm>

#include "model/Archive.h"
#include "model/HyperPage.h"
#include "model/ListEditors.h"
#include "platform/StringTable.h"

VX_IMPLEMENT_SERIAL(CLayer, CListItem, 0)
VX_IMPLEMENT_SERIAL(CLayerFmt, CHyperListFmt, 0)

void CLayer::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteWordChecked(id, "a layer id");
        ar.WriteString(name);
        ar.WriteInt32(visible);
        ar.WriteInt32(locked);
        return;
    }
    id = ar.ReadWord();
    name = ar.ReadString();
    visible = ar.ReadInt32();
    locked = ar.ReadInt32();
}

void CLayer::CopyFrom(const CListItem& other) {
    const auto& o = static_cast<const CLayer&>(other);
    id = o.id;
    name = o.name;
    visible = o.visible;
    locked = o.locked;
}

bool CLayer::IsEqual(const CListItem& other) const {
    const auto& o = static_cast<const CLayer&>(other);
    return id == o.id && name == o.name && visible == o.visible && locked == o.locked;
}

void CLayerFmt::CopyFrom(const CHyperListFmt& other) {
    CHyperListFmt::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CLayerFmt>(&other)) {
        onlyCurrentEditable = o->onlyCurrentEditable;
        insertionIndex = o->insertionIndex;
        nextId = o->nextId;
    }
}

void CLayerFmt::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(1);
        ar.WriteWordChecked(insertionIndex, "the insertion layer index");
        ar.WriteWordChecked(nextId, "the next layer id");
        ar.WriteByte(uint8_t(onlyCurrentEditable));
        CHyperListFmt::Serialize(ar);
        return;
    }
    const int version = ar.ReadVersion("CObject");
    insertionIndex = ar.ReadWord();
    nextId = version >= 0 ? ar.ReadWord() : 0;
    if (version >= 1) onlyCurrentEditable = ar.ReadByte();
    CHyperListFmt::Serialize(ar);
    // Ids only grow: an untagged list carries no next id, and a stored one
    // below a used id would hand that id out again. Stored ids are WORDs.
    nextId = std::max(nextId, std::min(HighestId() + 1, int32_t(0xFFFF)));
}

int32_t CLayerFmt::HighestId() const {
    int32_t highest = -1;
    for (size_t i = 0; i < size(); ++i) highest = std::max(highest, layer(i)->id);
    return highest;
}

CLayer* CLayerFmt::AddLayer(std::string name) {
    auto l = std::make_unique<CLayer>();
    nextId = std::max(nextId, HighestId() + 1);
    l->id = nextId++;
    l->name = std::move(name);
    l->visible = 1;
    l->locked = 0;
    auto* raw = l.get();
    Append(std::move(l));
    return raw;
}

CLayer* CLayerFmt::AddDefaultLayer() { return AddLayer(std::string(vx::LoadStringOr(kDefaultNameId, "Default"))); }

bool CLayerFmt::EditLayers(CHyperPage* view) {
    const auto& edit = CListEditors::Get().editLayers;
    if (!edit || !edit(*this, view)) return false;
    if (view && view->pageObject()->scrollBars && view->link()) view->link()->OnPageSettingsChanged(true, 0);
    return true;
}

int CLayerFmt::SafeInsertionIndex() const {
    return (insertionIndex >= 0 && size_t(insertionIndex) < size()) ? insertionIndex : 0;
}

int CLayerFmt::GetInsertionLayerId() const { return empty() ? 0 : layer(size_t(SafeInsertionIndex()))->id; }

int CLayerFmt::IndexOfLayer(int id) const {
    for (size_t i = 0; i < size(); ++i)
        if (layer(i)->id == id) return int(i);
    return -1;
}

CLayer* CLayerFmt::FindLayer(int id) const {
    if (empty()) return nullptr;
    if (id < 0) return layer(size_t(SafeInsertionIndex()));
    if (id == 0) return layer(0);
    const int i = IndexOfLayer(id);
    return i >= 0 ? layer(size_t(i)) : nullptr;
}

CLayer* CLayerFmt::FindLayerByName(const std::string& name) const {
    for (size_t i = 0; i < size(); ++i)
        if (layer(i)->name == name) return layer(i);
    return nullptr;
}

bool CLayerFmt::IsLayerVisible(int id) const {
    const CLayer* l = FindLayer(id);
    return l && IsItemVisible(*l);
}

bool CLayerFmt::IsItemLocked(const CLayer& l) const {
    if (onlyCurrentEditable && !empty() && l.id != GetInsertionLayerId()) return true;
    return l.locked != 0;
}

bool CLayerFmt::IsLayerLocked(int id) const {
    if (onlyCurrentEditable && id != GetInsertionLayerId()) return true;
    const CLayer* l = FindLayer(id);
    return l && l->locked != 0;
}
