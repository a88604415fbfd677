// The highlighter of the "Hilite" tool: a rectangle that tints what lies
// behind it on the page in yellow, magenta or cyan. It is never printed.
#pragma once

#include <array>

#include "model/HyperOb.h"

class QImage;

class CHiliteOb : public CHyperOb {
    VX_DECLARE_CLASS(CHiliteOb)
public:
    // Colour codes (not colours).
    enum Code { kCyan = 5, kMagenta = 9, kYellow = 13 };

    struct Choice {
        const char* text;
        int32_t value;
    };
    static const std::array<Choice, 3> kColorChoices;

    CHiliteOb() = default;

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    int32_t hiliteColor() const { return hiliteColor_; }
    void setHiliteColor(int32_t c) { hiliteColor_ = c; }
    // Codes outside the three draw as yellow.
    int EffectiveColor() const;

    void Serialize(CArchive& ar) override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    void CopyFrom(const CHyperOb& other) override;
    int GetToolStringId() const override;
    void DrawShape(CDC& dc) override;
    bool HasBackColor() const override { return false; }
    bool HasForeColor() const override { return false; }
    bool HasFont() const override { return false; }
    bool IsTransparent() const override { return true; }
    void Dump(CDumpContext& dc) const override;

    // Clears the colour byte of `code` in every pixel of an RGB32 image.
    static void Tint(QImage& image, int code);

private:
    int32_t hiliteColor_ = kYellow;
};
