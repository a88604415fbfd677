// What the edit view asks of an object whose vertices it edits directly
// ("Edit Points"). The view owns the drag (it is event driven); the object
// says what a press grabs and applies the result on release.
#pragma once

#include "platform/Geometry.h"

class CPointEditing {
  public:
    // The cursor a position asks for in edit-points mode.
    enum class Cursor { kNone, kDeleteVertex, kInsertVertex, kMoveVertex };

    // What a press grabbed, in page units.
    struct Grab {
        int index = -1;          // the vertex moved, or the segment split
        bool inserting = false;  // a new vertex on segment `index`
        CPoint start;            // where the dragged point starts
        CPoint prev, next;       // its neighbours
        // The band has a segment to the neighbour (the ends of an open
        // polyline have only one).
        bool prevSegment = true, nextSegment = true;
    };

    // What a press grabs: nothing (declined), a point to drag, or an edit
    // made at once (Control on a vertex deletes it).
    enum class Press { kNothing, kDrag, kChanged };

    virtual ~CPointEditing() = default;

    virtual Cursor HitPoint(int x, int y, bool control) = 0;
    virtual Press GrabPoint(CPoint page, bool control, Grab& out) = 0;
    // Puts the dragged point at `to` (page units); false when nothing
    // changed.
    virtual bool ReleasePoint(const Grab& grab, CPoint to) = 0;
    // Closes an open polyline, or opens a contour at the vertex whose handle
    // holds `point` (else at its first vertex).
    virtual void ToggleClosed(CPoint point) = 0;
    // Makes a rotation permanent so that the vertices can be edited; false
    // when the object was not rotated.
    virtual bool BakeRotation() { return false; }
};
