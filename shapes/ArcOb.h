// The arc of the "Arc" tool: an elliptical arc, chord or pie wedge given by
// the centre and half axes of its ellipse and two angles. Its rectangle is
// always derived from the arc: the quarter boxes of the ellipse it touches.
#pragma once

#include "shapes/HyperDrawOb.h"

class CArcOb : public CHyperDrawOb {
    VX_DECLARE_CLASS(CArcOb)
public:
    CArcOb();

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    bool wedge() const { return wedge_ != 0; }
    double startAngle() const { return startAngle_; }
    double endAngle() const { return endAngle_; }
    int radiusX() const { return rx_; }
    int radiusY() const { return ry_; }
    CPoint centre() const { return {cx_, cy_}; }
    // Store the value and update when it changed.
    void SetWedge(bool w);
    void SetStartAngle(double a);
    void SetEndAngle(double a);
    // Places the arc directly (centre, half axes, angles), then updates.
    void SetArc(CPoint centre, int rx, int ry, double start, double end);

    void AttachToView(CHyperPage* view, const CRect* rect, bool applyDefaults) override;
    void Serialize(CArchive& ar) override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    void CopyFrom(const CHyperOb& other) override;
    int GetToolStringId() const override;
    // A filled upright arc is hit inside its outline; a transparent one
    // anywhere in its rectangle.
    int HitTest(int x, int y) override;
    void DrawShape(CDC& dc) override;
    void ApplyViewDefaults() override;
    // Creates the arc from the dragged rectangle the first time, then fits
    // or scales it to every new rectangle.
    void RecalcHandles() override;
    void BuildOutline() override;
    bool CanRotate() const override { return dfltCanRot(); }
    void Dump(CDumpContext& dc) const override;

    // Brings an angle into (-180, 180]; NaN gives 0.
    static double NormalizeAngle(double a);
    // The point of the ellipse with half axes rx, ry at angle t (degrees,
    // +90 pointing down the page), relative to its centre.
    static CPoint PointAt(double t, int rx, int ry);
    // The arc's outline relative to its ellipse's centre (a wedge closed
    // through the centre).
    std::vector<CPoint> ArcPoints() const;
    // The bounding box of the arc in page units.
    CRect ComputeBox() const;

private:
    // The quarter ellipse that fills the dragged rectangle `t`.
    void InitQuarter(const CRect& t);
    // Fits or scales the arc from its last rectangle to `t`.
    void Fit(const CRect& t);
    void MirrorHorizontally();
    void MirrorVertically();

    int32_t wedge_ = 0;
    double startAngle_ = 0.0;
    double endAngle_ = -90.0;
    double lastStart_ = 0.0;
    double lastEnd_ = -90.0;
    int32_t lastWedge_ = 0;
    int32_t anglesInit_ = 0;
    CRect lastRect_;
    int32_t rx_ = 0;
    int32_t ry_ = 0;
    int32_t cx_ = 0;
    int32_t cy_ = 0;
};
