// Polylines and contours: a one-dimensional shape whose geometry is a list
// of vertices kept relative to the centre of its rectangle, so that moving
// the rectangle moves the figure. A polyline is closed (a contour) when it
// has more than 2 vertices and its last vertex repeats its first.
#pragma once

#include <vector>

#include "model/PointEditing.h"
#include "model/SnapList.h"
#include "shapes/1DOb.h"

class CBasePolyOb : public C1DOb, public CPointEditing {
    VX_DECLARE_CLASS(CBasePolyOb)
  public:
    // The stored vertex count is 16 bits wide.
    static constexpr size_t kMaxPoints = 65535;

    CBasePolyOb() = default;

    int PointCount() const { return int(outline_.size()); }
    // The vertices relative to the centre.
    const std::vector<CPoint>& Points() const { return outline_; }
    // Replaces the vertices with `pts` in page coordinates and normalises.
    bool SetPagePoints(const std::vector<CPoint>& pts) override;
    // The centre the vertices are relative to: the middle of the unrotated
    // rectangle, halves truncated toward zero.
    CPoint Centre();
    // The same without creating the geometry record ((0, 0) without one).
    CPoint CentreOf() const;

    // code when (x, y) touches the figure, else -1.
    virtual int HitBody(int x, int y, int code);
    // Page position of a vertex; (0, 0) out of range.
    virtual CPoint GetPointAt(int index);
    // Ignored while rotated or out of range.
    virtual void SetPointAt(int index, int x, int y);
    virtual void DrawShadow(CDC& dc);
    virtual void DrawArrowheads(CDC& dc);
    static bool IsNear(int x1, int y1, int x2, int y2) {
        // In 64 bits: stored coordinates may lie anywhere.
        return std::llabs(int64_t(x1) - x2) <= 4 && std::llabs(int64_t(y1) - y2) <= 4;
    }
    bool CanDeletePoint() const;
    // Removes vertex i; a closed contour stays closed.
    int DeletePoint(int index);
    virtual CPoint GetRotatedPoint(int /*index*/) { return CPoint(0, 0); }

    // Closes an open polyline by repeating its first vertex, or opens a
    // contour at the vertex whose handle holds `point` (else at vertex 0)
    // by moving that vertex a quarter of the way toward the centre.
    void ToggleClosed(CPoint point) override;

    bool CanEditPoints() const override { return dfltCanEditPoints(); }
    bool IsClosed() const override;
    bool IsTransparent() const override;
    void DrawShape(CDC& dc) override;
    void CopyFrom(const CHyperOb& other) override;
    void Serialize(CArchive& ar) override;
    // The vertex array is the outline; nothing to build.
    void BuildOutline() override {}
    void Dump(CDumpContext& dc) const override;

    // Makes the rectangle the bounding box of the vertices and stores them
    // relative to its centre; `relative` says whether they are relative to
    // the old centre or in page coordinates.
    void RecalcBounds(bool relative);
    // Scales the vertices about the centre into the current rectangle.
    void FitPointsToRect();
    // Bounding box of `pts`, at least one unit wide and high.
    static CRect BoundsOf(const std::vector<CPoint>& pts);

    // ---- vertex editing and automation (shapes/PolyLineEdit.cpp) ----
    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();
    // No "BackColor" item while open.
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    // The 4 by 4 unit square about a vertex.
    CRect GetPointHandleRect(int index);
    // The first vertex whose handle holds (x, y); -2 for an end that may not
    // be grabbed (no resizing), -1 for none.
    int FindPointHandle(int x, int y);
    // The first segment (vertex i to i + 1) passing near (x, y), else -1.
    int HitSegment(int x, int y);
    // Closes an open polyline whose ends came together, or removes one of
    // two neighbouring vertices near `index` that came together. True when
    // the vertices changed.
    bool MergePoints(bool inserting, int index);
    // Six-pixel squares on the vertices at every zoom.
    void DrawPointHandles(CDC& dc);
    void DrawTracker(CDC& dc) override;
    Cursor HitPoint(int x, int y, bool control) override;
    Press GrabPoint(CPoint page, bool control, Grab& out) override;
    bool ReleasePoint(const Grab& grab, CPoint to) override;

  protected:
    // The record after the common object record.
    void SerializePoly(CArchive& ar);
    void DrawFigure(CDC& dc);
};

class CPolyLineOb : public CBasePolyOb {
    VX_DECLARE_CLASS(CPolyLineOb)
  public:
    static constexpr uint32_t kShapeDataMarker = 0xABCD1234;

    CPolyLineOb();

    bool legacyRecord() const { return legacyRecord_; }
    CSnapList& snapList() { return snaps_; }

    void Serialize(CArchive& ar) override;
    void SerializeShapeData(CArchive& ar) override;
    void Update(int recalc, int hint) override;
    void Refresh(int recalc) override;
    int HitTest(int x, int y) override;
    void ApplyViewDefaults() override;
    std::string GetTypeName() const override { return "Polyline"; }
    CSnapList* GetSnapList(bool own) override {
        return legacyRecord_ ? nullptr : GetGroupSnapList(own, &snaps_);
    }
    bool GetHatchStyle(int& out) const override;
    bool GetShadowStyle(int& out) const override;
    bool CanRotate() const override { return dfltCanRot(); }
    CPoint GetRotatedPoint(int index) override;
    void CopyFrom(const CHyperOb& other) override;
    // No arrowhead items while closed.
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    bool BakeRotation() override;

    // Joining lines (shapes/PolyLineChain.cpp). Whether `objects` (lines or
    // connectors, at least two) meet end to end within IsNear's tolerance,
    // in list order; only the first may be reversed to make them meet.
    // `vertices`, when given, receives the n + 1 vertices of the chain in
    // page coordinates (the last equal to the first when it closes).
    static bool ChainLines(const std::vector<CHyperOb*>& objects, std::vector<CPoint>* vertices = nullptr);
    // The vertices become the chain of `objects`; nothing changes when
    // they do not chain.
    void OnPointsReplaced(const std::vector<CHyperOb*>& objects) override;

  private:
    CSnapList snaps_;
    bool legacyRecord_ = false;
};
