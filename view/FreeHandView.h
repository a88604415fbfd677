// The edit view that draws polylines: freehand strokes (the "Freehand"
// command's mode or the freehand tool) and the multi-part tools, whose
// parts (straight lines, one after another from where the last ended) are
// merged into one object by CombineSelection when the chain ends.
//
// A stroke runs from a left press to its release: each move appends the
// cursor position (device pixels, held inside the usable area); Escape
// cancels, any other key or the right button ends it. A stroke of at least
// two points is closed and thinned (edit/Stroke.h) and becomes the object
// CombineSelection makes for an empty list, one "Insert" step.
//
// A multi-part creation starts with a left press; every release away from
// the anchor adds a part from the anchor to that point, and the part's end
// becomes the new anchor. A double click or Enter ends the chain, Escape or
// the right button drops it. The parts are the view's own until the chain
// ends and are drawn over the page meanwhile.
#pragma once

#include <memory>
#include <vector>

#include "view/HyperView.h"

class CFreeHandView : public CHyperView {
    Q_OBJECT
  public:
    explicit CFreeHandView(QWidget* parent = nullptr);
    ~CFreeHandView() override;

    void DrawView(CDC& dc, const CRect& clip) override;
    void OnInitialUpdate() override;

    // ---- freehand ----
    bool freehandMode() const { return freehandMode_; }
    void SetFreehandMode(bool on);
    bool IsDrawingStroke() const { return stroking_; }
    // The stroke being drawn, in device pixels.
    const std::vector<CPoint>& stroke() const { return stroke_; }
    double m_closingDistance = 10.0;

    // ---- multi-part creation ----
    // Non-zero while a multi-part creation runs.
    int m_nCreating = 0;
    // Where the next part starts (page units).
    CPoint m_ptCreateAnchor;
    size_t partCount() const { return parts_.size(); }
    // Ends the chain: the parts become one object (or stay lines when
    // CombineSelection cannot merge them), one "Insert" step.
    void FinishParts();
    // Drops the parts drawn so far.
    void CancelParts();

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

  private:
    // A left press draws a stroke.
    bool StartsStroke() const;
    void BeginStroke(CPoint client);
    void AppendStrokePoint(CPoint client);
    void EndStroke(bool cancelled);
    // A client point held inside the usable area (device pixels).
    CPoint LimitToUsable(CPoint client) const;

    void BeginParts(CPoint client, int tool);
    // The part from the anchor to `client`, when it is large enough.
    void AddPart(CPoint client);
    // A part's end in page units: inside the usable area, on the grid when
    // snapping.
    CPoint PartPoint(CPoint client) const;
    void DropParts();

    bool freehandMode_ = false;
    bool stroking_ = false;
    std::vector<CPoint> stroke_;
    std::vector<std::unique_ptr<CHyperOb>> parts_;
    int partsTool_ = 0;
    CPoint partCursor_;
};
