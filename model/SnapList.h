// The snap-point list an object (or a group) owns at run time: its stored
// snap-point set and the object it belongs to.
#pragma once

#include <vector>

#include "model/AnchorFmt.h"
#include "platform/Geometry.h"

class CHyperOb;

class CSnapList {
public:
    // Side of the square around a snap point in which a line end snaps.
    static constexpr int kSnapTolerance = 16;
    // Most points a list can hold: ids are stored as signed 16-bit numbers.
    static constexpr long kMaxPoints = 32768;

    CSnapList() = default;
    CSnapList(const CSnapList&) = delete;
    CSnapList& operator=(const CSnapList&) = delete;

    CHyperOb* owner() const { return owner_; }
    void setOwner(CHyperOb* o) { owner_ = o; }
    // A group's list: positions are taken on the group rectangle instead of
    // the owner's own rectangle.
    void setGroupRect(const CRect* r) { groupRect_ = r; }
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
    // Replaces the points by one per bit of `mask` (bit n: type n).
    void Rebuild(unsigned mask) { set_.Rebuild(mask); }

    // The point cannot take another arriving (end 0) or leaving (end 1)
    // end: its count has reached its maximum (-1 = unlimited).
    static bool IsFull(const CSnapPoint& p, int endIndex);

    // Position of a point on the owner in page units (the owner's
    // unrotated rectangle, turned with the owner when it is rotated), and
    // the point's colour when its use-colour flag is set, else -1. False
    // when the list has no owner to place the point on.
    bool Position(const CSnapPoint& p, CPoint& out, COLORREF* colour = nullptr) const;
    CPoint Position(const CSnapPoint& p, COLORREF* colour = nullptr) const;
    // The square in which an end snaps to a point at `pos`: `tolerance`
    // units centred on it, grown by 1 on every side.
    static CRect SnapSquare(CPoint pos, int tolerance = kSnapTolerance);
    // Index of the first counted point whose snapping square holds `pt`;
    // -1 when none.
    int PointAt(CPoint pt, int tolerance = kSnapTolerance) const;
    // Margin the owner's repaint rectangle grows by for points that lie
    // outside it.
    CSize GetExtent() const;

    // Scripts' NumberOfSnapPoints: empties the set and appends n top-left
    // points with offsets in percent, ids 0 to n - 1. Refuses (returns
    // false, changing nothing) counts below 0 or beyond kMaxPoints.
    bool SetNumberOfPoints(long n);
    // Scripts' SetSnapPoint: sets the offsets of point `index`; false when
    // there is no such point.
    bool SetPointOffset(long index, long dX, long dY);

    // Objects attached to this list; used only while the Route command runs.
    std::vector<CHyperOb*>& routeList() { return routeList_; }

private:
    CHyperOb* owner_ = nullptr;
    const CRect* groupRect_ = nullptr;
    CAnchorFmt set_;
    std::vector<CHyperOb*> routeList_;
};
