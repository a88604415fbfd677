// The snap-point list an object (or a group) owns at run time: its stored
// snap-point set and the object it belongs to.
#pragma once

#include <vector>

#include "model/AnchorFmt.h"
#include "platform/Geometry.h"

class CHyperOb;

class CSnapList {
public:
    CSnapList() = default;
    CSnapList(const CSnapList&) = delete;
    CSnapList& operator=(const CSnapList&) = delete;

    CHyperOb* owner() const { return owner_; }
    void setOwner(CHyperOb* o) { owner_ = o; }
    CAnchorFmt& set() { return set_; }
    const CAnchorFmt& set() const { return set_; }
    size_t Count() const { return set_.CountedPoints(); }
    bool IsEmpty() const { return set_.empty(); }
    // Copies the stored set (points, next id, limit).
    void CopyFrom(const CSnapList& other) { set_.CopyFrom(other.set_); }
    // True when some end is attached to one of the points.
    bool HasConnections() const;
    // Clears the attachment counts of every point.
    void ResetMarks();

    // Position of a point on the owner in page units (the owner's
    // unrotated rectangle, turned with the owner when it is rotated), and
    // the point's colour when its use-colour flag is set, else -1.
    CPoint Position(const CSnapPoint& p, COLORREF* colour = nullptr) const;
    // Index of the first counted point whose snapping square (tolerance
    // units wide, grown by 1) holds `pt`; -1 when none.
    int PointAt(CPoint pt, int tolerance = 16) const;
    // Margin the owner's repaint rectangle grows by for points that lie
    // outside it.
    CSize GetExtent() const;

    // Objects attached to this list; used only while the Route command runs.
    std::vector<CHyperOb*>& routeList() { return routeList_; }

private:
    CHyperOb* owner_ = nullptr;
    CAnchorFmt set_;
    std::vector<CHyperOb*> routeList_;
};
