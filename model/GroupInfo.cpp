#include "model/GroupInfo.h"

#include "model/Archive.h"
#include "model/HyperOb.h"
#include "model/HyperPage.h"

using vx::DispArgs;
using vx::DispMember;
using vx::DispMethod;
using vx::DispProp;
using vx::Variant;
using T = Variant::Type;

VX_IMPLEMENT_SERIAL(CGroupInfo, CHyperVBPSOb, 0)

CGroupInfo::CGroupInfo() = default;
CGroupInfo::~CGroupInfo() = default;

std::vector<CHyperOb*> CGroupInfo::Members() const {
    if (!view) return {};
    return view->GetGroupMembers(groupId);
}

void CGroupInfo::UpdateMembers(const std::vector<CHyperOb*>& members, int recalc) {
    for (auto it = members.rbegin(); it != members.rend(); ++it) (*it)->Update(recalc, 0);
}

namespace {

// The value the members agree on: -1 when they differ or none reports one.
template <class Get>
Variant Common(const std::vector<CHyperOb*>& members, Get get) {
    bool any = false;
    int32_t common = -1;
    for (CHyperOb* m : members) {
        int32_t v = 0;
        if (!get(*m, v)) continue;
        if (any && v != common) return Variant(int32_t(-1));
        common = v;
        any = true;
    }
    return Variant(common);
}

// A property written to every member, followed by UpdateMembers (recalc 0).
template <class Set>
void ForAll(CGroupInfo& g, Set set) {
    const auto members = g.Members();
    for (CHyperOb* m : members) set(*m);
    g.UpdateMembers(members, 0);
}

DispMember Flag(const char* name, int id, bool CGroupInfo::*field) {
    return DispProp<CGroupInfo>(
        name, id, T::Bool, [field](CGroupInfo& g) { return Variant(g.*field); },
        [field](CGroupInfo& g, const Variant& v) { g.*field = v.ToBool(); });
}

// Enable and Visible: read from the first member, written to all of them as
// the members' own properties.
DispMember MemberSwitch(const char* name, int id) {
    return DispProp<CGroupInfo>(
        name, id, T::Long,
        [name](CGroupInfo& g) {
            const auto members = g.Members();
            return members.empty() ? Variant(int32_t(0)) : Variant(members.front()->GetProperty(name).ToLong());
        },
        [name](CGroupInfo& g, const Variant& v) { ForAll(g, [&](CHyperOb& m) { m.SetProperty(name, v); }); });
}

}  // namespace

const vx::DispatchTable& CGroupInfo::DispatchTableOf() {
    static const vx::DispatchTable table(
        &CHyperVBPSOb::DispatchTableOf(),
        {
            DispProp<CGroupInfo>(
                "Code", -100, T::String, [](CGroupInfo& g) { return Variant(g.code); },
                [](CGroupInfo& g, const Variant& v) { g.code = v.ToString(); }),
            DispProp<CGroupInfo>(
                "Symbol", 1281, T::Long, [](CGroupInfo& g) { return Variant(g.symbol); },
                [](CGroupInfo& g, const Variant& v) { g.symbol = v.ToLong(); }),
            DispMethod<CGroupInfo>("OnUpdate", 1282, T::Empty, 0,
                                   [](CGroupInfo& g, DispArgs) {
                                       g.UpdateMembers(g.Members(), 0);
                                       return Variant();
                                   }),
            DispMethod<CGroupInfo>("Move", 1283, T::Empty, 2,
                                   [](CGroupInfo& g, DispArgs a) {
                                       const auto members = g.Members();
                                       if (members.empty()) return Variant();
                                       // A group the mouse is dragging is left alone.
                                       const CObTracker* t = members.front()->GetTracker();
                                       if (t && t->currentHandle >= 0) return Variant();
                                       const int dx = a[0].ToLong(), dy = a[1].ToLong();
                                       for (CHyperOb* m : members) m->Move(dx, dy);
                                       g.UpdateMembers(members, 1);
                                       return Variant();
                                   }),
            DispProp<CGroupInfo>(
                "BackColor", -501, T::Long,
                [](CGroupInfo& g) {
                    return Common(g.Members(), [](CHyperOb& m, int32_t& v) {
                        if (!m.HasBackColor()) return false;
                        v = m.backColorField();
                        return true;
                    });
                },
                [](CGroupInfo& g, const Variant& v) {
                    const COLORREF c = v.ToLong();
                    ForAll(g, [&](CHyperOb& m) { m.SetBackColor(c); });
                }),
            DispProp<CGroupInfo>(
                "ForeColor", -513, T::Long,
                [](CGroupInfo& g) {
                    return Common(g.Members(), [](CHyperOb& m, int32_t& v) {
                        if (!m.HasForeColor()) return false;
                        v = m.foreColorField();
                        return true;
                    });
                },
                [](CGroupInfo& g, const Variant& v) {
                    const COLORREF c = v.ToLong();
                    ForAll(g, [&](CHyperOb& m) { m.SetForeColor(c); });
                }),
            DispProp<CGroupInfo>(
                "Font", -512, T::String,
                [](CGroupInfo& g) {
                    const auto members = g.Members();
                    if (members.empty()) return Variant(std::string());
                    CFontRecord f;
                    f.Set(members.back()->GetLogFont(true));
                    return Variant(f.ToText());
                },
                [](CGroupInfo& g, const Variant& v) {
                    CFontRecord f;
                    f.FromText(v.ToString());
                    ForAll(g, [&](CHyperOb& m) { m.SetFont(f.logFont()); });
                }),
            DispProp<CGroupInfo>(
                "Text", 1286, T::String,
                [](CGroupInfo& g) {
                    std::string text;
                    for (CHyperOb* m : g.Members()) {
                        std::string t;
                        if (m->GetText(t)) text = t;
                    }
                    return Variant(text);
                },
                [](CGroupInfo& g, const Variant& v) {
                    const std::string text = v.ToString();
                    ForAll(g, [&](CHyperOb& m) { m.SetText(text); });
                }),
            DispProp<CGroupInfo>(
                "PenWidth", -504, T::Long,
                [](CGroupInfo& g) {
                    return Common(g.Members(), [](CHyperOb& m, int32_t& v) {
                        int w = 0;
                        if (!m.GetPenWidth(w)) return false;
                        v = w;
                        return true;
                    });
                },
                [](CGroupInfo& g, const Variant& v) {
                    const int w = v.ToLong();
                    ForAll(g, [&](CHyperOb& m) { m.SetPenWidth(w); });
                }),
            DispProp<CGroupInfo>(
                "PenStyle", -504, T::Long,
                [](CGroupInfo& g) {
                    return Common(g.Members(), [](CHyperOb& m, int32_t& v) {
                        int s = 0;
                        if (!m.GetPenStyle(s)) return false;
                        v = s;
                        return true;
                    });
                },
                [](CGroupInfo& g, const Variant& v) {
                    const int s = v.ToLong();
                    ForAll(g, [&](CHyperOb& m) { m.SetPenStyle(s); });
                }),
            DispMethod<CGroupInfo>("GetNumSubObjects", 1289, T::Long, 0,
                                   [](CGroupInfo& g, DispArgs) { return Variant(int32_t(g.Members().size())); }),
            DispMethod<CGroupInfo>("GetSubObject", 1296, T::Object, 1,
                                   [](CGroupInfo& g, DispArgs a) {
                                       const auto members = g.Members();
                                       const int32_t i = a[0].ToLong();
                                       if (i < 0 || size_t(i) >= members.size())
                                           return Variant(static_cast<vx::AutoObject*>(nullptr));
                                       return Variant(static_cast<vx::AutoObject*>(members[size_t(i)]));
                                   }),
            MemberSwitch("Enable", 1297),
            MemberSwitch("Visible", 1298),
            DispProp<CGroupInfo>("GroupID", 1299, T::Long, [](CGroupInfo& g) { return Variant(g.groupId); }),
            DispProp<CGroupInfo>(
                "LayerID", 1300, T::Long,
                [](CGroupInfo& g) {
                    const auto members = g.Members();
                    return Variant(int32_t(members.empty() ? -1 : members.front()->layerId()));
                },
                [](CGroupInfo& g, const Variant& v) {
                    const int id = v.ToLong();
                    ForAll(g, [&](CHyperOb& m) { m.setLayerId(id); });
                }),
            Flag("DfltIsLocked", 1313, &CGroupInfo::dfltIsLocked),
            Flag("DfltCanDelete", 1314, &CGroupInfo::dfltCanDelete),
            Flag("DfltCanResize", 1315, &CGroupInfo::dfltCanResize),
            Flag("DfltCanInlineEditText", 1317, &CGroupInfo::dfltCanInlineEditText),
        });
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
