// Device context: drawing in logical page units with the semantics of the
// original drawing API (mapping modes, pens, brushes, hatches, raster
// operations, text). Placeholder until the drawing backends arrive.
#pragma once

#include "platform/Color.h"
#include "platform/Geometry.h"

class CDC {
public:
    virtual ~CDC() = default;
    bool IsPrinting() const { return printing_; }
    void FillSolidRect(const CRect&, COLORREF) {}
    void FrameRect(const CRect&, COLORREF) {}
    void Polygon(const CPoint*, int) {}
    void IntersectClipRect(const CRect&) {}
    void LPtoDP(CRect&) const {}

protected:
    bool printing_ = false;
};
