// Constants and drawing objects of the device context: mapping modes, pen
// and brush styles, raster operations, text formats, device capabilities,
// and the value types CPen, CBrush, CFont and CRgn that are selected into
// a CDC. The numeric values are those of the original drawing API, so stored
// pen and hatch styles can be passed through unchanged.
#pragma once

#include <QPolygon>
#include <QRegion>
#include <cstdint>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/LogFont.h"

// ---- mapping modes ----
inline constexpr int MM_TEXT = 1;
inline constexpr int MM_ANISOTROPIC = 8;

// ---- pen styles ----
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;
inline constexpr int PS_DOT = 2;
inline constexpr int PS_DASHDOT = 3;
inline constexpr int PS_DASHDOTDOT = 4;
inline constexpr int PS_NULL = 5;
inline constexpr int PS_INSIDEFRAME = 6;

// ---- brush styles and hatch indices ----
inline constexpr int BS_SOLID = 0;
inline constexpr int BS_NULL = 1;
inline constexpr int BS_HOLLOW = BS_NULL;
inline constexpr int BS_HATCHED = 2;
// A 50 % checker pattern of the brush colour (the gaps take the background
// colour), the usual brush for inverted rubber bands.
inline constexpr int BS_HALFTONE = 100;

inline constexpr int HS_HORIZONTAL = 0;  // -----
inline constexpr int HS_VERTICAL = 1;    // |||||
inline constexpr int HS_FDIAGONAL = 2;   // \\\\\ (top-left to bottom-right)
inline constexpr int HS_BDIAGONAL = 3;   // ///// (bottom-left to top-right)
inline constexpr int HS_CROSS = 4;       // +++++
inline constexpr int HS_DIAGCROSS = 5;   // xxxxx

// ---- stock objects ----
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;

// ---- background modes ----
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// ---- binary raster operations (pen and brush against the surface) ----
inline constexpr int R2_BLACK = 1;
inline constexpr int R2_NOT = 6;
inline constexpr int R2_XORPEN = 7;
inline constexpr int R2_NOP = 11;
inline constexpr int R2_NOTXORPEN = 10;
inline constexpr int R2_COPYPEN = 13;
inline constexpr int R2_WHITE = 16;

// ---- ternary raster operations of PatBlt and StretchDIBits ----
inline constexpr uint32_t PATCOPY = 0x00F00021;
inline constexpr uint32_t PATINVERT = 0x005A0049;
inline constexpr uint32_t DSTINVERT = 0x00550009;
inline constexpr uint32_t BLACKNESS = 0x00000042;
inline constexpr uint32_t WHITENESS = 0x00FF0062;
inline constexpr uint32_t SRCCOPY = 0x00CC0020;
inline constexpr uint32_t SRCINVERT = 0x00660046;

// ---- polygon fill modes and arc directions ----
inline constexpr int ALTERNATE = 1;
inline constexpr int WINDING = 2;
inline constexpr int AD_COUNTERCLOCKWISE = 1;
inline constexpr int AD_CLOCKWISE = 2;

// ---- text alignment of TextOut ----
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;

// ---- DrawText formats ----
inline constexpr unsigned DT_TOP = 0x0000;
inline constexpr unsigned DT_LEFT = 0x0000;
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004;
inline constexpr unsigned DT_BOTTOM = 0x0008;
inline constexpr unsigned DT_WORDBREAK = 0x0010;
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_EXPANDTABS = 0x0040;
inline constexpr unsigned DT_NOCLIP = 0x0100;
inline constexpr unsigned DT_EXTERNALLEADING = 0x0200;
inline constexpr unsigned DT_CALCRECT = 0x0400;
inline constexpr unsigned DT_NOPREFIX = 0x0800;

// ---- device capabilities ----
inline constexpr int HORZSIZE = 4;    // width in millimetres
inline constexpr int VERTSIZE = 6;    // height in millimetres
inline constexpr int HORZRES = 8;     // width in device pixels
inline constexpr int VERTRES = 10;    // height in device pixels
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

// ---- regions ----
inline constexpr int RGN_AND = 1;
inline constexpr int RGN_OR = 2;
inline constexpr int RGN_XOR = 3;
inline constexpr int RGN_DIFF = 4;
inline constexpr int RGN_COPY = 5;
// Results of clipping and region calls.
inline constexpr int RGN_ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;

struct LOGPEN {
    int lopnStyle = PS_SOLID;
    CPoint lopnWidth{0, 0};  // x is the width in logical units; 0 = one pixel
    COLORREF lopnColor = 0;
    friend bool operator==(const LOGPEN&, const LOGPEN&) = default;
};

struct LOGBRUSH {
    int lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    int lbHatch = 0;
    friend bool operator==(const LOGBRUSH&, const LOGBRUSH&) = default;
};

// Font measures, in logical units.
struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 0;
    uint8_t tmItalic = 0;
    uint8_t tmUnderlined = 0;
    uint8_t tmStruckOut = 0;
};

// A pen: style, width in logical units (0 = the thinnest line) and colour.
class CPen {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { lp_ = {style, {width, 0}, color}; }
    explicit CPen(const LOGPEN& lp) : lp_(lp) {}
    void CreatePen(int style, int width, COLORREF color) { lp_ = {style, {width, 0}, color}; }
    const LOGPEN& logPen() const { return lp_; }
    friend bool operator==(const CPen&, const CPen&) = default;

private:
    LOGPEN lp_;
};

// A brush: solid, hatched (hatch lines in the brush colour, the gaps in the
// background colour when the background mode is OPAQUE), halftone or null.
class CBrush {
public:
    CBrush() : lb_{BS_NULL, 0, 0} {}
    explicit CBrush(COLORREF color) : lb_{BS_SOLID, color, 0} {}
    CBrush(int hatch, COLORREF color) : lb_{BS_HATCHED, color, hatch} {}
    explicit CBrush(const LOGBRUSH& lb) : lb_(lb) {}
    void CreateSolidBrush(COLORREF color) { lb_ = {BS_SOLID, color, 0}; }
    void CreateHatchBrush(int hatch, COLORREF color) { lb_ = {BS_HATCHED, color, hatch}; }
    static CBrush Null() { return CBrush(); }
    // The checker brush used for inverted feedback (black and white pixels).
    static CBrush Halftone() { return CBrush(LOGBRUSH{BS_HALFTONE, 0, 0}); }
    const LOGBRUSH& logBrush() const { return lb_; }
    friend bool operator==(const CBrush&, const CBrush&) = default;

private:
    LOGBRUSH lb_;
};

// A font made from a LOGFONT record; heights are in logical units.
class CFont {
public:
    CFont() = default;
    explicit CFont(const LOGFONT& lf) : lf_(lf) {}
    void CreateFontIndirect(const LOGFONT& lf) { lf_ = lf; }
    const LOGFONT& logFont() const { return lf_; }
    friend bool operator==(const CFont&, const CFont&) = default;

private:
    LOGFONT lf_;
};

// A region in device units: a set of pixels made of rectangles and
// polygons. Clipping regions are always in device units, as in the original
// API.
class CRgn {
public:
    CRgn() = default;
    explicit CRgn(const QRegion& r) : r_(r) {}
    void CreateRectRgn(int l, int t, int r, int b) { r_ = QRegion(RectOf(CRect(l, t, r, b))); }
    void CreateRectRgnIndirect(const CRect& rc) { r_ = QRegion(RectOf(rc)); }
    // Fill mode ALTERNATE or WINDING.
    void CreatePolygonRgn(const CPoint* pts, int count, int fillMode);
    void CreateEllipticRgnIndirect(const CRect& rc);
    // Combines a and b into this region; returns the region type.
    int CombineRgn(const CRgn& a, const CRgn& b, int mode);
    void OffsetRgn(int dx, int dy) { r_.translate(dx, dy); }
    bool PtInRegion(int x, int y) const { return r_.contains(QPoint(x, y)); }
    bool RectInRegion(const CRect& rc) const { return r_.intersects(RectOf(rc)); }
    // Bounding box; returns the region type.
    int GetRgnBox(CRect& out) const;
    int Type() const;
    bool IsEmpty() const { return r_.isEmpty(); }
    const QRegion& region() const { return r_; }
    QRegion& region() { return r_; }

    // Pixels [l, r) x [t, b) of a normalised rectangle; empty when it has no area.
    static QRect RectOf(const CRect& rc);

private:
    QRegion r_;
};
