// The common design of the UML elements that are not connectors: a figure
// drawn from a list of points in page coordinates that stretches with the
// object's rectangle, one or two texts in boxes inside the figure, a pen,
// and snap points for connectors. Each element class gives its default
// points, how they join into its figure and where its text boxes lie.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "model/HyperOb.h"
#include "model/SnapList.h"

class CPointModelOb : public CHyperOb {
    VX_DECLARE_CLASS(CPointModelOb)
public:
    // Alignment codes of the texts.
    enum Align { kLeft = 0, kRight = 2, kCentre = 6 };
    // Snap points of a new element: top, right, bottom and left.
    static constexpr unsigned kDefaultSnapMask = 240;
    // The point count is stored in 16 bits.
    static constexpr long kMaxPoints = 65535;
    // Edit-control styles of in-place text editing by alignment.
    static constexpr int kEditLeft = 4096;
    static constexpr int kEditCentre = 4097;
    static constexpr int kEditRight = 4098;

    struct Choice {
        const char* text;
        int32_t value;
    };
    static const Choice kAlignChoices[3];

    CPointModelOb();

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CHyperOb& other) override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    // Upright and alone: inside the polygon of the points only.
    int HitTest(int x, int y) override;
    void DrawShape(CDC& dc) override;
    void ApplyViewDefaults() override;
    // Fits the points to the rectangle.
    void RecalcHandles() override;
    // The rectangle joined with the points (which may reach beyond a
    // rectangle without width or height).
    CRect GetInvalidRect(CDC* dc = nullptr) override;
    int GetEditStyle() const override;
    CSnapList* GetSnapList(bool own) override { return GetGroupSnapList(own, &snaps_); }
    bool GetText(std::string& out) const override {
        out = text_;
        return true;
    }
    void SetText(const std::string& text) override { text_ = text; }
    bool GetPenWidth(int& out) const override {
        out = penWidth_;
        return true;
    }
    bool GetPenStyle(int& out) const override {
        out = penStyle_;
        return true;
    }
    void SetPenWidth(int v) override { penWidth_ = v; }
    void SetPenStyle(int v) override { penStyle_ = v; }
    void Dump(CDumpContext& dc) const override;

    // ---- the elements' own operations ----
    virtual bool CanFill() const { return true; }
    // TextColor, or for -1 white on a dark background and black on a light
    // one.
    virtual COLORREF GetTextColor() const;
    // The text scripts see as "Text" (the package shows its tab text there).
    virtual std::string ScriptText() const { return text_; }
    virtual void SetScriptText(const std::string& t) { text_ = t; }

    // ---- fields ----
    int32_t penWidth() const { return penWidth_; }
    int32_t penStyle() const { return penStyle_; }
    const std::string& text() const { return text_; }
    COLORREF textColor() const { return textColor_; }
    void setTextColor(COLORREF c) { textColor_ = c; }
    int32_t alignment() const { return alignment_; }
    void setAlignment(int32_t a) { alignment_ = a; }
    int32_t textMargin() const { return textMargin_; }
    void setTextMargin(int32_t m) { textMargin_ = m; }
    CSnapList& snapList() { return snaps_; }
    const std::vector<CPoint>& points() const { return points_; }
    bool pointsComplete() const { return pointsComplete_; }

    // The point model: a new count keeps the points there are and adds
    // points at (0, 0); the figure is hidden until the last point is set.
    // False (nothing changes) for counts outside 0 to 65535.
    bool SetNumberOfPoints(long count);
    // False for an index outside the points; setting the last point shows
    // the figure.
    bool SetPoint(long index, int32_t x, int32_t y);
    // Replaces the points (defaults, tests, samples); the figure shows.
    void SetPoints(std::vector<CPoint> pts);

    // Alignment as drawn: values other than left, centre and right draw
    // centred.
    int EffectiveAlignment() const;
    // Maps `pts` from the box `from` onto `to` (both normalised): each axis
    // is scaled so the box's edges land on the target's edges; an axis on
    // which either box has no extent is moved centre onto centre instead,
    // so a figure squeezed flat keeps its shape for the next resize.
    static void FitPoints(std::vector<CPoint>& pts, const CRect& from, const CRect& to);

    // Draws `text` into `box` with the element's font, text colour and
    // alignment, word-wrapped and centred vertically; returns the block the
    // text took (horizontal fonts; the box itself otherwise).
    CRect DrawTextBox(CDC& dc, const std::string& text, const CRect& box);

protected:
    // The default point model of the element.
    virtual std::span<const CPoint> DefaultPoints() const = 0;
    // Joins the points into the figure with the pen and brush selected.
    virtual void DrawFigure(CDC& dc) = 0;
    // Draws the texts (with the pen restored).
    virtual void DrawTexts(CDC& dc) = 0;
    // The texts of the record: the package stores two.
    virtual void SerializeTexts(CArchive& ar);
    // The points were mapped from `from` onto `to`.
    virtual void OnPointsFitted(const CRect& /*from*/, const CRect& /*to*/) {}
    // NumberOfPoints was written with a new count.
    virtual void OnPointCountChanged() {}
    // The box with corners points a and b (normalised); empty when the
    // element has fewer points.
    CRect BoxOf(size_t a, size_t b) const;
    // Bounding box of the points.
    CRect PointBounds() const;
    // Selects the pen (and the fill when opaque), runs `figure`, restores.
    void WithFigurePen(CDC& dc, const std::function<void()>& figure);
    // Polyline through points a..b.
    void DrawPolyline(CDC& dc, size_t a, size_t b);
    void DrawLine(CDC& dc, size_t a, size_t b);

    int32_t penWidth_ = 1;
    int32_t penStyle_ = 0;
    std::string text_ = "?";
    COLORREF textColor_ = -1;
    int32_t alignment_ = kCentre;
    int32_t textMargin_ = 10;
    CSnapList snaps_;
    std::vector<CPoint> points_;
    bool pointsComplete_ = true;
};
