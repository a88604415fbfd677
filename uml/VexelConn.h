// The UML association: a connector between design elements whose ends
// carry end symbols (circle, brackets, arrow, rectangle) that share one
// height (the arrowhead height) and one fill style.
#pragma once

#include "shapes/ConnectOb.h"

class CVexelConn : public CConnectOb {
    VX_DECLARE_CLASS(CVexelConn)
  public:
    enum Symbol { kNone = 0, kCircle = 1, kBrackets = 2, kArrow = 3, kRectangle = 4 };
    enum Fill { kSolid = 0, kOutline = 1, kOpen = 2 };

    CVexelConn() = default;

    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    int32_t beginSymbol() const { return beginSymbol_; }
    void setBeginSymbol(int32_t s) { beginSymbol_ = s; }
    int32_t endSymbol() const { return endSymbol_; }
    void setEndSymbol(int32_t s) { endSymbol_ = s; }
    int32_t fillStyle() const { return fillStyle_; }
    void setFillStyle(int32_t f) { fillStyle_ = f; }

    // The square a circle, diamond or rectangle symbol of height `h` fills
    // at `at`, upright whatever the direction of the path.
    static CRect SymbolBox(CPoint at, int h);
    // The four corners of the diamond ("brackets") symbol in `box`.
    static std::array<CPoint, 4> DiamondPoints(const CRect& box);

    std::string GetTypeName() const override { return GetTypeNameFromId(GetToolStringId()); }
    int GetToolStringId() const override;
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CHyperOb& other) override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    void DrawShape(CDC& dc) override;
    void Dump(CDumpContext& dc) const override;

  private:
    // Draws one symbol at end k (0: the first point, 1: the last). Sets the
    // arrowhead attribute (and for arrows the arrowhead style) as it goes.
    void DrawSymbol(CDC& dc, int symbol, int k);

    int32_t beginSymbol_ = kNone;
    int32_t endSymbol_ = kNone;
    int32_t fillStyle_ = kSolid;
};
