#include "model/AnchorFmt.h"

#include "model/Archive.h"

VX_IMPLEMENT_SERIAL(CSnapPoint, CListItem, 0)
VX_IMPLEMENT_SERIAL(CAnchorFmt, CHyperListFmt, 0)

void CSnapPoint::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(2);
        ar.WriteInt16Checked(type, "a snap point type");
        ar.WriteInt32(dX);
        ar.WriteInt32(dY);
        ar.WriteInt32(byPixel);
        ar.WriteInt16Checked(id, "a snap point id");
        ar.WriteInt16Checked(inCount, "a snap point's arriving count");
        ar.WriteInt16Checked(maxIn, "a snap point's arriving limit");
        ar.WriteInt16Checked(outCount, "a snap point's leaving count");
        ar.WriteInt16Checked(maxOut, "a snap point's leaving limit");
        ar.WriteInt16Checked(gridOffset, "a snap point's grid offset");
        ar.WriteInt32(colour);
        ar.WriteInt32(useColour);
        const bool hasTip = !tip.empty() || storedHasTip_;
        ar.WriteByte(hasTip ? 1 : 0);
        if (hasTip) ar.WriteString(tip);
        return;
    }
    const int version = ar.ReadVersion("CObject");
    type = ar.ReadInt16();
    dX = ar.ReadInt32();
    dY = ar.ReadInt32();
    byPixel = ar.ReadInt32();
    id = ar.ReadInt16();
    if (version >= 0) {
        inCount = ar.ReadInt16();
        maxIn = ar.ReadInt16();
        outCount = ar.ReadInt16();
        maxOut = ar.ReadInt16();
        gridOffset = ar.ReadInt16();
    }
    if (version >= 1) {
        colour = ar.ReadInt32();
        useColour = ar.ReadInt32();
    }
    if (version >= 2) {
        storedHasTip_ = ar.ReadByte() != 0;
        if (storedHasTip_) tip = ar.ReadString();
    }
}

void CSnapPoint::CopyFrom(const CListItem& other) {
    const auto& o = static_cast<const CSnapPoint&>(other);
    id = o.id;
    type = o.type;
    dX = o.dX;
    dY = o.dY;
    byPixel = o.byPixel;
    inCount = o.inCount;
    outCount = o.outCount;
    maxIn = o.maxIn;
    maxOut = o.maxOut;
    gridOffset = o.gridOffset;
    colour = o.colour;
    useColour = o.useColour;
    tip = o.tip;
    storedHasTip_ = o.storedHasTip_;
}

bool CSnapPoint::IsEqual(const CListItem& other) const {
    const auto& o = static_cast<const CSnapPoint&>(other);
    return id == o.id && type == o.type && dX == o.dX && dY == o.dY && byPixel == o.byPixel &&
           inCount == o.inCount && outCount == o.outCount && maxIn == o.maxIn && maxOut == o.maxOut &&
           gridOffset == o.gridOffset && colour == o.colour && useColour == o.useColour && tip == o.tip;
}

std::unique_ptr<CListItem> CAnchorFmt::CreateItem() const {
    auto p = std::make_unique<CSnapPoint>();
    InitItemDefaults(*p);
    return p;
}

void CAnchorFmt::InitItemDefaults(CSnapPoint& p) const {
    p.id = -1;
    p.type = CSnapPoint::kTopLeft;
    p.dX = p.dY = 0;
    p.byPixel = 1;
    p.inCount = p.outCount = 0;
    p.maxIn = p.maxOut = 99;
    p.gridOffset = 0;
    p.colour = -1;
    p.useColour = 0;
    p.tip.clear();
}

void CAnchorFmt::CopyFrom(const CHyperListFmt& other) {
    CHyperListFmt::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CAnchorFmt>(&other)) {
        nextId = o->nextId;
        limit = o->limit;
    }
}

void CAnchorFmt::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(0);
        ar.WriteWordChecked(nextId, "the next snap point id");
        ar.WriteInt16Checked(limit, "the snap point limit");
        CHyperListFmt::Serialize(ar);
        return;
    }
    const int version = ar.ReadVersion("CObject");
    nextId = ar.ReadWord();
    if (version >= 0) limit = ar.ReadInt16();
    CHyperListFmt::Serialize(ar);
}

size_t CAnchorFmt::CountedPoints() const {
    if (limit > 0 && size_t(limit) < size()) return size_t(limit);
    return size();
}

CSnapPoint* CAnchorFmt::FindById(int id) const {
    for (size_t i = 0; i < size(); ++i)
        if (point(i)->id == id) return point(i);
    return nullptr;
}

CSnapPoint* CAnchorFmt::AddPoint(int type) {
    auto p = std::make_unique<CSnapPoint>();
    InitItemDefaults(*p);
    p->type = type;
    p->id = nextId++;
    auto* raw = p.get();
    Append(std::move(p));
    return raw;
}

void CAnchorFmt::Rebuild(unsigned mask) {
    RemoveAll();
    for (int t = 0; t < CSnapPoint::kTypeCount; ++t)
        if (mask & (1u << t)) AddPoint(t);
}
