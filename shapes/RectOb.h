// The frame of the "Frame" tool: a group-box border with flat or 3-D styles
// and a caption set into its top edge.
#pragma once

#include <array>
#include <string>

#include "model/HyperOb.h"

class CRectOb : public CHyperOb {
    VX_DECLARE_CLASS(CRectOb)
public:
    enum Style { kNormal = 0, kEtched = 1, kSunken = 2, kRaised = 3 };
    // Alignment codes of the caption.
    enum Align { kLeft = 0, kRight = 2, kCentre = 6 };
    static constexpr int kMaxText = 80;

    struct Choice {
        const char* text;
        int32_t value;
    };
    static const std::array<Choice, 4> kStyleChoices;
    static const std::array<Choice, 3> kAlignChoices;

    CRectOb();

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    COLORREF borderColor() const { return borderColor_; }
    void setBorderColor(COLORREF c) { borderColor_ = c; }
    int32_t borderWidth() const { return borderWidth_; }
    void setBorderWidth(int32_t w) { borderWidth_ = w; }
    COLORREF hiliteColor() const { return hiliteColor_; }
    void setHiliteColor(COLORREF c) { hiliteColor_ = c; }
    int32_t borderStyle() const { return borderStyle_; }
    void setBorderStyle(int32_t s) { borderStyle_ = s; }
    const std::string& text() const { return text_; }
    int32_t alignment() const { return alignment_; }
    void setAlignment(int32_t a) { alignment_ = a; }
    // Height of the caption when last drawn (BorderWidth + 1 without one).
    int32_t captionHeight() const { return captionHeight_; }

    void Serialize(CArchive& ar) override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    void CopyFrom(const CHyperOb& other) override;
    int GetToolStringId() const override;
    // A transparent frame is hit near its edges only.
    int HitTest(int x, int y) override;
    void DrawShape(CDC& dc) override;
    void ApplyViewDefaults() override;
    void RecalcHandles() override;
    // 0 left, 1 centre, 2 right.
    int GetEditStyle() const override;
    void SetText(const std::string& text) override { text_ = text; }
    bool GetText(std::string& out) const override {
        out = text_;
        return true;
    }
    void Dump(CDumpContext& dc) const override;

    // Draws the border band into `b`, shrinking it by the band drawn; `u`
    // is the rectangle as it was.
    virtual void DrawBorder(CDC& dc, CRect& b, const CRect& u);

    // Stored codes outside their ranges draw as the defaults.
    int EffectiveStyle() const;
    int EffectiveAlignment() const;

private:
    COLORREF borderColor_ = -1;
    int32_t borderWidth_ = 2;
    COLORREF hiliteColor_ = -1;
    int32_t borderStyle_ = kEtched;
    std::string text_ = "?";
    int32_t alignment_ = kLeft;
    int32_t captionHeight_ = 3;
};

namespace vx::shapes {

// The platform's etched edge around `r` (a sunken outer and a raised inner
// line in the system shadow and highlight colours).
void DrawEtchedEdge(CDC& dc, const CRect& r);
// How often a band of one unit can be drawn into `r` before it is used up:
// `count` limited by half the larger side (stored widths are unchecked).
int BandCount(int count, const CRect& r);

}  // namespace vx::shapes
