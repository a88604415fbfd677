#include "model/Connection.h"

#include <algorithm>

#include "model/Archive.h"
#include "model/HyperPage.h"
#include "model/SnapList.h"

void CConnection::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt32(resizeCode);
        ar.WriteByte(directionFlag);
        const uint16_t n = HasTarget() ? 2 : 0;
        ar.WriteWord(n);
        for (int i = 0; i < n; ++i) {
            ar.WriteInt16Checked(ends[i].point, "a snap point id");
            ar.WriteString(ends[i].target);
        }
        return;
    }
    resizeCode = ar.ReadInt32();
    directionFlag = ar.ReadByte();
    const size_t at = ar.Tell();
    const uint16_t n = ar.ReadWord();
    if (n > 2) ar.FailAt("a line records " + std::to_string(n) + " attached ends; a line has two", at);
    ends[0] = End{};
    ends[1] = End{};
    for (int i = 0; i < n; ++i) {
        ends[i].point = ar.ReadInt16();
        ends[i].target = ar.ReadString();
    }
}

void CConnection::CopyFrom(const CConnection& o) {
    if (this == &o) return;
    ends[0] = o.ends[0];
    ends[1] = o.ends[1];
    resizeCode = o.resizeCode;
    directionFlag = o.directionFlag;
}

void CConnection::DropAttachments() {
    ends[0] = End{};
    ends[1] = End{};
}

std::vector<CConnection::Candidate> CConnection::Candidates() const {
    std::vector<Candidate> out;
    CHyperPage* page = owner_ ? owner_->GetView() : nullptr;
    if (!page) return out;
    for (size_t i = page->Count(); i-- > 0;) {
        CHyperOb* ob = page->At(i);
        if (ob == owner_ || ob->GetCode().empty()) continue;
        CSnapList* list = ob->GetSnapList(false);
        if (!list || list->IsEmpty()) continue;
        // Group members share their group's list: offer it once.
        if (std::any_of(out.begin(), out.end(), [list](const Candidate& c) { return c.list == list; })) continue;
        out.push_back({ob, list});
    }
    return out;
}

CSnapPoint* CConnection::FindPoint(int k, CSnapList** listOut) const {
    const End& e = ends[k & 1];
    if (!e.IsAttached() || !owner_ || !owner_->GetView()) return nullptr;
    CHyperOb* target = owner_->GetView()->FindObjectByCode(e.target);
    CSnapList* list = target ? target->GetSnapList(false) : nullptr;
    if (!list) return nullptr;
    if (listOut) *listOut = list;
    return list->set().FindById(e.point);
}

void CConnection::DetachEnd(int k) {
    End& e = ends[k & 1];
    if (e.target.empty() && e.point == -1) return;
    if (CSnapPoint* p = FindPoint(k)) {
        int32_t& count = (k & 1) == 0 ? p->inCount : p->outCount;
        if (count > 0) --count;
    }
    e = End{};
}

void CConnection::Detach(const std::string& code) {
    for (int k = 0; k < 2; ++k)
        if (!ends[k].target.empty() && (code.empty() || ends[k].target == code)) DetachEnd(k);
}

bool CConnection::SnapEnd(int k, CPoint& pt, bool onlyTest, int tolerance) {
    return SnapEnd(k, pt, onlyTest, Candidates(), tolerance);
}

bool CConnection::SnapEnd(int k, CPoint& pt, bool onlyTest, const std::vector<Candidate>& candidates, int tolerance) {
    k &= 1;
    if (!onlyTest) DetachEnd(k);
    for (const Candidate& c : candidates) {
        const CAnchorFmt& set = c.list->set();
        const size_t n = c.list->Count();
        for (size_t i = 0; i < n; ++i) {
            CSnapPoint& p = *set.point(i);
            CPoint pos;
            if (!c.list->Position(p, pos)) continue;
            const CRect sq = CSnapList::SnapSquare(pos, tolerance);
            if (!sq.PtInRect(pt)) continue;
            const std::string& code = c.object->GetCode();
            if (onlyTest && ends[k].target == code && ends[k].point == p.id) return true;
            if (!CSnapList::IsFull(p, k) && !RefuseTarget(c.object, p, k)) {
                if (onlyTest) return true;
                ends[k].target = code;
                ends[k].point = p.id;
                ++(k == 0 ? p.inCount : p.outCount);
                pt = pos;
                return true;
            }
            // A full point: out of its square, to the nearest sides.
            pt.x = (pt.x - sq.left < sq.right - pt.x) ? sq.left - 1 : sq.right;
            pt.y = (pt.y - sq.top < sq.bottom - pt.y) ? sq.top - 1 : sq.bottom;
        }
    }
    return false;
}

bool CConnection::Resnap(bool onlyTest) {
    CHyperPage* page = owner_ ? owner_->GetView() : nullptr;
    if (!page || page->loading || owner_->groupId() >= 0) return false;
    CPoint e0, e1;
    if (!GetEnds(e0, e1)) return false;
    const std::vector<Candidate> candidates = Candidates();
    const bool a1 = SnapEnd(1, e1, onlyTest, candidates);
    const bool a0 = SnapEnd(0, e0, onlyTest, candidates);
    if ((a0 || a1) && !onlyTest) SetEnds(e0, e1);
    return a0 || a1;
}

bool CConnection::FollowTarget(const std::string& code, CSnapList& list) {
    if (code.empty()) return false;
    CPoint e[2];
    if (!GetEnds(e[0], e[1])) return false;
    bool moved = false;
    for (int k = 0; k < 2; ++k) {
        if (ends[k].target != code || ends[k].point == -1) continue;
        const CSnapPoint* p = list.set().FindById(ends[k].point);
        CPoint pos;
        if (!p || !list.Position(*p, pos)) {
            // The point is gone: the end stays where it is, free.
            ends[k] = End{};
            continue;
        }
        if (pos != e[k]) {
            e[k] = pos;
            moved = true;
        }
    }
    if (!moved) return false;
    SetEnds(e[0], e[1]);
    if (CObTracker* t = owner_->GetTracker()) t->currentHandle = -1;
    owner_->Update(1, 0);
    return true;
}

COLORREF CConnection::AttachedColour() const {
    const int k = ends[0].IsAttached() ? 0 : ends[1].IsAttached() ? 1 : -1;
    if (k < 0) return -1;
    const CSnapPoint* p = FindPoint(k);
    return p && p->useColour ? p->colour : -1;
}
