// The border of the "Border" tool: a rectangle with pen, fill, hatch, shadow
// and 3-D border styles and four snap points. Also the base of text blocks.
#pragma once

#include "model/SnapList.h"
#include "shapes/HyperDrawOb.h"

class CBorderOb : public CHyperDrawOb {
    VX_DECLARE_CLASS(CBorderOb)
public:
    // BorderStyle bits; kHidden hides border, fill and shadow.
    static constexpr int kNormal = 0;
    static constexpr int kEtched = 1;
    static constexpr int kSunken = 2;
    static constexpr int kRaised = 4;
    static constexpr int kHidden = 0x8000;
    // Snap points of a new border: top, right, bottom and left.
    static constexpr unsigned kDefaultSnapMask = 240;

    static const std::array<Choice, 4> kStyleChoices;

    CBorderOb();

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    COLORREF hiliteColor() const { return hiliteColor_; }
    void setHiliteColor(COLORREF c) { hiliteColor_ = c; }
    int32_t borderStyle() const { return borderStyle_; }
    void setBorderStyle(int32_t s) { borderStyle_ = s; }
    CSnapList& snapList() { return snaps_; }

    void Serialize(CArchive& ar) override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    void CopyFrom(const CHyperOb& other) override;
    int GetToolStringId() const override;
    // A transparent upright border is hit near its edges only.
    int HitTest(int x, int y) override;
    void DrawShape(CDC& dc) override;
    void ApplyViewDefaults() override;
    void RecalcHandles() override;
    CSnapList* GetSnapList(bool own) override { return GetGroupSnapList(own, &snaps_); }
    // The outline is always solid: no pen style.
    bool GetPenStyle(int&) const override { return false; }
    // A shadow only while upright.
    bool GetShadowStyle(int& out) const override;
    bool CanRotate() const override { return dfltCanRot(); }
    void Dump(CDumpContext& dc) const override;

    // Draws the border band of the 3-D styles into `r`, shrinking it by the
    // band drawn; `u` is the rectangle as it was.
    virtual void DrawBorder(CDC& dc, CRect& r, const CRect& u);
    // The L-shaped shadow band along the two shadowed sides of `r`.
    virtual void DrawShadow(CDC& dc, const CRect& r);
    // The style bits that draw (values outside 0, 1, 2 and 4 draw as 0).
    int EffectiveStyle() const;
    bool IsHidden() const { return (borderStyle_ & kHidden) != 0; }

protected:
    COLORREF hiliteColor_ = -1;
    int32_t borderStyle_ = kNormal;
    CSnapList snaps_;
    int32_t innerMargin_ = 2;
};
