#include "model/GroupInfo.h"

#include "model/Archive.h"

VX_IMPLEMENT_SERIAL(CGroupInfo, CHyperVBPSOb, 0)

CGroupInfo::CGroupInfo() = default;
CGroupInfo::~CGroupInfo() = default;

const vx::DispatchTable& CGroupInfo::DispatchTableOf() {
    static const vx::DispatchTable table(&CHyperVBPSOb::DispatchTableOf(), {});
    return table;
}

const vx::DispatchTable& CGroupInfo::GetDispatchTable() const { return DispatchTableOf(); }

void CGroupInfo::CopyFrom(const CGroupInfo& o) {
    if (this == &o) return;
    view = o.view;
    groupId = o.groupId;
    rect = o.rect;
    code = o.code;
    symbol = o.symbol;
    hasSnapPoints = o.hasSnapPoints;
    snapList.CopyFrom(o.snapList);
    dfltIsLocked = o.dfltIsLocked;
    dfltCanDelete = o.dfltCanDelete;
    dfltCanResize = o.dfltCanResize;
    dfltCanInlineEditText = o.dfltCanInlineEditText;
}

std::unique_ptr<CGroupInfo> CGroupInfo::Clone() const {
    auto g = std::make_unique<CGroupInfo>();
    g->CopyFrom(*this);
    return g;
}

void CGroupInfo::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(1);
        ar.WriteInt32(groupId);
        ar.WriteInt32(rect.left);
        ar.WriteInt32(rect.top);
        ar.WriteInt32(rect.right);
        ar.WriteInt32(rect.bottom);
        ar.WriteString(code);
        ar.WriteInt32(symbol);
        ar.WriteByte(uint8_t(hasSnapPoints));
        if (hasSnapPoints) snapList.set().Serialize(ar);
        return;
    }
    const int version = ar.ReadVersion("CGroupInfo");
    if (version >= 1) groupId = ar.ReadInt32();
    rect.left = ar.ReadInt32();
    rect.top = ar.ReadInt32();
    rect.right = ar.ReadInt32();
    rect.bottom = ar.ReadInt32();
    if (version >= 0) {
        code = ar.ReadString();
        symbol = ar.ReadInt32();
        hasSnapPoints = ar.ReadByte();
        if (hasSnapPoints) snapList.set().Serialize(ar);
    }
}
