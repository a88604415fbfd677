// The text block of the "Text" tool: a border with word-wrapped text inside
// that grows downward to fit its text. The text can be written vertically
// (the font's escapement) or, as one line in a scalable font, turned with
// the block.
#pragma once

#include <array>
#include <string>

#include "shapes/BorderOb.h"

class CTextOb : public CBorderOb {
    VX_DECLARE_CLASS(CTextOb)
public:
    enum Align { kLeft = 0, kRight = 2, kCentre = 6 };
    // Font escapements of the three orientations, in tenths of a degree.
    static constexpr int kHorizontal = 0;
    static constexpr int kVerticalUp = 900;
    static constexpr int kVerticalDown = -900;

    static const std::array<Choice, 3> kAlignChoices;
    static const std::array<Choice, 3> kOrientationChoices;
    // The border styles, and "4 - Disable" (no border and no fill).
    static const std::array<Choice, 5> kTextStyleChoices;

    CTextOb();

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    const std::string& text() const { return text_; }
    int32_t alignment() const { return alignment_; }
    void setAlignment(int32_t a) { alignment_ = a; }
    // The font's escapement: 0, 900 (up) or -900 (down).
    int32_t orientation() const { return font().logFont().lfEscapement; }
    void setOrientation(int32_t e);
    // The font is a vector font (as last drawn).
    bool scalableFont() const { return scalable_ != 0; }

    void Serialize(CArchive& ar) override;
    // Grows the block downward to fit its text, then the base update.
    void Update(int recalc, int hint) override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    void CopyFrom(const CHyperOb& other) override;
    int GetToolStringId() const override;
    // The plain hit test: a text block is hit anywhere inside.
    int HitTest(int x, int y) override;
    void DrawShape(CDC& dc) override;
    void ApplyViewDefaults() override;
    // One line of text in a scalable font only.
    bool CanRotate() const override;
    // 0 left, 1 centre, 2 right.
    int GetEditStyle() const override;
    bool GetTextFlag() const override { return true; }
    void SetText(const std::string& text) override { text_ = text; }
    bool GetText(std::string& out) const override {
        out = text_;
        return true;
    }
    // The font, resolved through the page's and the default font when the
    // object's own record is automatic; the escapement is always the
    // block's own.
    LOGFONT GetLogFont(bool resolved) const override;
    void Dump(CDumpContext& dc) const override;

    // The text sits at the top of its box (false: centred vertically).
    virtual bool IsTextAtTop() const { return false; }

    // Alignment codes outside 0, 2 and 6 draw as centred.
    int EffectiveAlignment() const;
    // The box the text is laid out in: the rectangle shrunk by PenWidth + 1.
    CRect TextBox() const;
    // Height of the wrapped text in a box `width` wide, measured on `dc`.
    int MeasureTextHeight(CDC& dc, int width) const;

private:
    // Draws vertical or turned text as one line about the block's centre.
    void DrawOneLine(CDC& dc, LOGFONT lf);

    std::string text_ = "?";
    int32_t alignment_ = kCentre;
    mutable int32_t scalable_ = 1;
};
