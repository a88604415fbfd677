// The base of one-dimensional shapes (straight lines, polylines,
// connectors): arrowheads at either end and the colour rule for lines whose
// ends hang on snap points.
#pragma once

#include "shapes/HyperDrawOb.h"

class C1DOb : public CHyperDrawOb {
    VX_DECLARE_CLASS(C1DOb)
public:
    // Bits of Arrowhead: a head at the second end, a head at the first.
    static constexpr int kHeadAtSecond = 1;
    static constexpr int kHeadAtFirst = 2;
    // Arrowhead styles.
    enum { kArrowFill = 0, kArrowOutline = 1, kArrowOpen = 2 };
    static constexpr int kDefaultArrowheadHeight = 8;

    static const std::array<Choice, 4> kArrowheadChoices;
    static const std::array<Choice, 3> kArrowheadStyleChoices;

    C1DOb() = default;

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    int32_t arrowhead() const { return arrowhead_; }
    void setArrowhead(int32_t v) { arrowhead_ = v; }
    int32_t arrowheadHeight() const { return arrowheadHeight_; }
    void setArrowheadHeight(int32_t v) { arrowheadHeight_ = v; }
    int32_t arrowheadStyle() const { return arrowheadStyle_; }
    void setArrowheadStyle(int32_t v) { arrowheadStyle_ = v; }
    COLORREF attachColour() const { return attachColour_; }

    bool IsLine() const override { return true; }
    // ForeColor; when automatic, the colour of the snap point the line hangs
    // on, else the system text colour.
    COLORREF GetForeColor() const override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    void CopyFrom(const CHyperOb& other) override;
    void ApplyViewDefaults() override;
    void Dump(CDumpContext& dc) const override;
    // Grows by the arrowhead size while the line has heads.
    CRect GetInvalidRect(CDC* dc = nullptr) override;

    // Draws one head with its tip at `tip`, pointing away from `tail`, with
    // a solid copy of the current pen (and the current brush unless open).
    virtual void DrawArrowhead(CDC& dc, CPoint tail, CPoint tip, int height, int style);
    // The two base corners of a head. A line of zero length has no
    // direction: its head points right (corners to the left of the tip).
    // Height -1 makes the head a fifth of the line's length.
    static void ArrowheadCorners(CPoint tail, CPoint tip, int height, CPoint& c1, CPoint& c2);
    // Stored codes outside their ranges draw as the defaults (no heads,
    // filled heads).
    int EffectiveArrowhead() const;
    int EffectiveArrowheadStyle() const;
    // Takes the colour of the snap point the line hangs on.
    void RefreshAttachColour();

protected:
    int32_t arrowhead_ = 0;
    int32_t arrowheadHeight_ = kDefaultArrowheadHeight;
    COLORREF attachColour_ = -1;
    int32_t arrowheadStyle_ = kArrowFill;
};
