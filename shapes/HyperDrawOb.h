// The drawable base of shapes with an outline pen, a fill pattern and a drop
// shadow: lines, polylines, connectors, borders, ellipses, arcs and bitmaps.
// It holds the four drawing attributes and the drawing rules all shapes
// share: pen and brush from the attributes, transparency, shadows and the
// drawing of rotated outlines.
#pragma once

#include <array>
#include <cstdint>

#include "model/HyperOb.h"
#include "platform/DC.h"

class CSnapList;

class CHyperDrawOb : public CHyperOb {
    VX_DECLARE_CLASS(CHyperDrawOb)
public:
    // HatchStyle of a plain fill (no pattern).
    static constexpr int kNoHatch = 99;
    // Distance a shadow falls from its shape.
    static constexpr int kShadowDistance = 10;

    struct Choice {
        const char* text;
        int32_t value;
    };
    static const std::array<Choice, 5> kPenStyleChoices;
    static const std::array<Choice, 7> kHatchChoices;
    static const std::array<Choice, 5> kShadowChoices;

    CHyperDrawOb() = default;

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    // ---- the four attributes; a shape may refuse one (getter false) ----
    bool GetPenWidth(int& out) const override;
    bool GetPenStyle(int& out) const override;
    bool GetHatchStyle(int& out) const override;
    bool GetShadowStyle(int& out) const override;
    void SetPenWidth(int v) override { penWidth_ = v; }
    void SetPenStyle(int v) override { penStyle_ = v; }
    void SetHatchStyle(int v) override { hatchStyle_ = v; }
    void SetShadowStyle(int v) override { shadowStyle_ = v; }
    int32_t penWidth() const { return penWidth_; }
    int32_t penStyle() const { return penStyle_; }
    int32_t hatchStyle() const { return hatchStyle_; }
    int32_t shadowStyle() const { return shadowStyle_; }

    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    void CopyFrom(const CHyperOb& other) override;
    void ApplyViewDefaults() override;
    // The repaint area grows by the shadow distance while a shadow is set.
    CRect GetInvalidRect(CDC* dc = nullptr) override;
    // BackColor -1 and no hatch (or no hatch attribute).
    bool IsTransparent() const override;
    // Rotated shapes take the bounding box of their turned outline as
    // rectangle; turning back restores the unrotated one.
    void RecalcHandles() override;
    // Rotated shapes are hit inside their turned outline (transparent ones
    // near it only).
    int HitTest(int x, int y) override;
    // Draws the turned outline with the shape's pen and brush.
    void DrawOutline(CDC& dc) override;
    void Dump(CDumpContext& dc) const override;

    // ---- drawing rules ----
    // Shadow offset of a style: none for 0, the bottom/right offset for
    // values outside the table.
    static CSize ShadowOffset(int style);
    // Zoom of a device context in percent (its horizontal scale).
    static int ZoomOf(const CDC& dc);
    // Stored codes used as indexes: values outside the tables draw as the
    // default (solid pen, no hatch) and are kept as stored.
    int EffectivePenStyle() const;
    int EffectiveHatch() const;
    // The pen of an upright shape: no outline at width 0; width 1 draws one
    // pixel wide below zoom 100.
    CPen MakePen(const CDC& dc) const;
    // Solid in the fill colour, or the hatch in the outline colour (the
    // gaps take the background colour the caller sets).
    CBrush MakeBrush() const;
    // Draws the shape's shadow with `figure` (called with the offset) in
    // the shadow colour, when a shadow style is set and supported.
    template <class F>
    void DrawShadowWith(CDC& dc, F&& figure) const;

protected:
    // The tolerance of hit tests near lines: 5 units at zoom 100.
    int HitTolerance() const;
    // Pen widths are unchecked; drawing keeps them within reason.
    static int DrawWidth(int w) { return w > 4096 ? 4096 : w; }
    // The tracker's minimum size, 2 x pen width + 1, so the outline fits.
    void SetPenMinSize();
    // A new object's 80 x 80 box with the default snap points of `mask`.
    void ApplyBoxDefaults(CSnapList& snaps, unsigned mask);

    int32_t penWidth_ = 1;
    int32_t penStyle_ = 0;
    int32_t hatchStyle_ = kNoHatch;
    int32_t shadowStyle_ = 0;
};

template <class F>
void CHyperDrawOb::DrawShadowWith(CDC& dc, F&& figure) const {
    int style = 0;
    if (!GetShadowStyle(style) || style == 0) return;
    const COLORREF c = vx::GetSysColor(vx::SysColor::ButtonShadow);
    const CPen oldPen = dc.SelectObject(CPen(PS_SOLID, 1, c));
    const CBrush oldBrush = dc.SelectObject(CBrush(c));
    figure(ShadowOffset(style));
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

class CArchive;

// Geometry helpers shared by the shapes.
namespace vx::shapes {

// Winding-rule containment of a point in a polygon.
bool PointInPolygon(const std::vector<CPoint>& pts, CPoint p);
// Distance from p to the segment a-b.
double DistanceToSegment(CPoint p, CPoint a, CPoint b);
// The distance test of lines: the foot of the perpendicular on the line
// through a and b, clamped into the segment's x and y ranges, and the
// distance to it truncated.
int LineDistance(CPoint p, CPoint a, CPoint b);
// A stored point list: `count` pairs of 32-bit coordinates, the count
// checked against the bytes that remain before anything is allocated.
std::vector<CPoint> ReadPoints(CArchive& ar, uint16_t count, const char* what);
// Bounding box of points (right and bottom are the largest coordinates).
CRect BoundsOf(const std::vector<CPoint>& pts);

}  // namespace vx::shapes
