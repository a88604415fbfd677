// The ellipse of the "Ellipse" tool (a circle when its width equals its
// height), with five snap points. A lone circle does not rotate.
#pragma once

#include "model/SnapList.h"
#include "shapes/HyperDrawOb.h"

class CCircleOb : public CHyperDrawOb {
    VX_DECLARE_CLASS(CCircleOb)
public:
    // Snap points of a new ellipse: top, right, bottom, left and middle.
    static constexpr unsigned kDefaultSnapMask = 496;
    // Points of the outline used while rotated.
    static constexpr int kOutlinePoints = 129;

    CCircleOb();

    void Serialize(CArchive& ar) override;
    // A circle loses a rotation angle before it updates.
    void Update(int recalc, int hint) override;
    void CopyFrom(const CHyperOb& other) override;
    int GetToolStringId() const override;
    // Upright: inside the inscribed ellipse.
    int HitTest(int x, int y) override;
    void DrawShape(CDC& dc) override;
    void ApplyViewDefaults() override;
    void RecalcHandles() override;
    CSnapList* GetSnapList(bool own) override { return GetGroupSnapList(own, &snaps_); }
    void BuildOutline() override;
    // Not a lone circle.
    bool CanRotate() const override;
    // A shadow only while upright.
    bool GetShadowStyle(int& out) const override;

    bool IsCircle() const;
    CSnapList& snapList() { return snaps_; }

    // The 129 outline points of an ellipse with half axes a and b about its
    // centre, spaced about evenly along the curve; degenerate ellipses give
    // points on a line (or the centre).
    static std::vector<CPoint> EllipseOutline(int a, int b);

private:
    CSnapList snaps_;
    int32_t innerMargin_ = 2;
};
