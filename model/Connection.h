// The connection record of a line or connector: for each of its two ends the
// Code of the object and the id of the snap point it is attached to, and
// the operations that attach, follow and detach those ends.
//
// End 0 arrives at its snap point (it counts against the point's "max in"),
// end 1 leaves from it ("max out"). Where the ends are is the owner's
// business: straight lines keep them in their rectangle and diagonal code,
// connectors in their point list; each overrides GetEnds and SetEnds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"

class CArchive;
class CHyperOb;
class CSnapList;
class CSnapPoint;

class CConnection {
public:
    struct End {
        std::string target;  // Code of the target object; empty = free
        int32_t point = -1;  // snap point id; -1 = free
        bool IsAttached() const { return !target.empty() && point != -1; }
        bool operator==(const End&) const = default;
    };

    // An object whose snap points ends may attach to, with its list.
    struct Candidate {
        CHyperOb* object;
        CSnapList* list;
    };

    explicit CConnection(CHyperOb* owner = nullptr) : owner_(owner) {}
    virtual ~CConnection() = default;
    CConnection(const CConnection&) = delete;
    CConnection& operator=(const CConnection&) = delete;

    End ends[2];
    int32_t resizeCode = 0;
    uint8_t directionFlag = 1;
    int32_t visitedMark = 0;

    CHyperOb* owner() const { return owner_; }
    void setOwner(CHyperOb* o) { owner_ = o; }

    // Record: DWORD resize code, BYTE direction flag, WORD n (2 when an end
    // is attached, else 0), then n times {INT16 point id, text target}.
    virtual void Serialize(CArchive& ar);
    virtual void CopyFrom(const CConnection& other);
    // Derives the resize code and direction from a rectangle that may be
    // inside out, normalising it (straight lines).
    virtual void DeriveFromRect(CRect& /*r*/, bool /*oddHandle*/) {}
    // The ends' positions as they are with direction flag `direction`:
    // end 0 and end 1. False when the owner has no ends to report.
    virtual bool GetEnds(CPoint& /*end0*/, CPoint& /*end1*/, int /*direction*/) const { return false; }
    bool GetEnds(CPoint& end0, CPoint& end1) const { return GetEnds(end0, end1, directionFlag); }
    // Moves the ends; the handle codes say which tracker handles they sit on
    // (-1 when not known).
    virtual void SetEnds(CPoint /*end0*/, CPoint /*end1*/, int /*handle0*/ = -1, int /*handle1*/ = -1) {}
    // Snaps end 1, then end 0, to the snap points they lie on and stores the
    // ends when either attached. With `onlyTest` nothing changes; the answer
    // says whether an end is (or would be) attached. Not while the page is
    // being read, and not for a grouped line.
    virtual bool Resnap(bool onlyTest);
    // Moves the ends attached to object `code` to where their points on
    // `list` now are; an end whose point is gone becomes free. Updates the
    // owner when an end moved; returns whether one did.
    virtual bool FollowTarget(const std::string& code, CSnapList& list);
    // Detaches the ends that hang on object `code`, or every end when `code`
    // is empty.
    virtual void Detach(const std::string& code);
    // Lets a class refuse a snap point for an end; the base accepts all.
    virtual bool RefuseTarget(CHyperOb* /*target*/, const CSnapPoint& /*p*/, int /*endIndex*/) { return false; }

    // Detaches end k: lowers the count of its snap point and frees it.
    void DetachEnd(int k);
    // Snaps end k at `pt` (tolerance `tolerance` units): unless only
    // testing, first detaches it; then attaches it to the first snap point
    // whose square holds it and that is not full, moving `pt` onto the
    // point. A full point pushes `pt` out of its square and the search goes
    // on. Returns whether the end is attached.
    bool SnapEnd(int k, CPoint& pt, bool onlyTest, int tolerance = 16);
    bool SnapEnd(int k, CPoint& pt, bool onlyTest, const std::vector<Candidate>& candidates, int tolerance = 16);
    // The objects of the owner's page with a snap-point list, from the last
    // of the page's list to the first; each list once.
    std::vector<Candidate> Candidates() const;
    // Colour of the snap point end 0 hangs on (end 1 when end 0 is free),
    // when that point gives its colour; -1 otherwise.
    COLORREF AttachedColour() const;
    // Frees both ends without touching the targets' counts.
    void DropAttachments();
    bool HasTarget() const { return !ends[0].target.empty() || !ends[1].target.empty(); }

private:
    // The target object of end k and its snap point; null when either is
    // gone.
    CSnapPoint* FindPoint(int k, CSnapList** listOut = nullptr) const;

    CHyperOb* owner_;
};
