// Device context: drawing in logical units with the semantics of the
// original drawing API (mapping modes, pens, brushes and hatches, background
// mode, raster operations, clipping, text), so shapes are written once and
// draw on any surface.
//
// CDC keeps the drawing state and does the coordinate arithmetic; every
// drawing call is handed to a protected do... hook that a backend
// implements:
//   CPainterDC   (platform/PainterDC.h)   a QPainter on any QPaintDevice:
//                QImage, widget, PDF writer, SVG generator;
//   CRecordingDC (platform/RecordingDC.h) writes each call as a text line;
//   CBoundsDC    (platform/RecordingDC.h) collects the device bounds of
//                everything drawn.
// A plain CDC draws nothing (a null device of 96 dots per inch).
//
// Coordinate rules follow the original API: rectangles exclude their right
// and bottom edge (Rectangle(0,0,10,10) with a one-pixel pen touches pixels
// 0..9), LineTo does not draw its end point, and clipping regions are given
// in device units.
#pragma once

#include <QImage>
#include <QRegion>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Color.h"
#include "platform/DCTypes.h"
#include "platform/Geometry.h"
#include "platform/LogFont.h"

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // True on printers and vector output (PDF, SVG): raster operations draw
    // as copy there.
    bool IsPrinting() const { return printing_; }
    // ROP2 NOT/XOR really invert on this surface.
    bool HasRasterOps() const { return rasterOps_; }

    // ---- mapping: device = (logical - window origin) * viewport extent /
    //      window extent + viewport origin, rounded to the nearest unit ----
    int SetMapMode(int mode);
    int GetMapMode() const { return s_.mapMode; }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(CPoint p) { return SetWindowOrg(p.x, p.y); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint GetWindowOrg() const { return s_.windowOrg; }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(CPoint p) { return SetViewportOrg(p.x, p.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const { return s_.viewportOrg; }
    // Extents count only in MM_ANISOTROPIC; a zero extent is refused.
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(CSize s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const { return s_.windowExt; }
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(CSize s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const { return s_.viewportExt; }

    void LPtoDP(CPoint* pts, int count = 1) const;
    void LPtoDP(CPoint& p) const { LPtoDP(&p, 1); }
    void LPtoDP(CRect& r) const;
    // Sizes scale without the origins (signs follow the extents).
    void LPtoDP(CSize& s) const;
    void DPtoLP(CPoint* pts, int count = 1) const;
    void DPtoLP(CPoint& p) const { DPtoLP(&p, 1); }
    void DPtoLP(CRect& r) const;
    void DPtoLP(CSize& s) const;
    // Scale factors device per logical unit (1 in MM_TEXT).
    double ScaleX() const;
    double ScaleY() const;

    // ---- drawing objects and attributes ----
    CPen SelectObject(const CPen& pen);
    CBrush SelectObject(const CBrush& brush);
    CFont SelectObject(const CFont& font);
    // WHITE_BRUSH .. NULL_PEN.
    void SelectStockObject(int index);
    CPen GetCurrentPen() const { return CPen(s_.pen); }
    CBrush GetCurrentBrush() const { return CBrush(s_.brush); }
    CFont GetCurrentFont() const { return CFont(s_.font); }

    COLORREF SetTextColor(COLORREF c);
    COLORREF GetTextColor() const { return s_.textColor; }
    COLORREF SetBkColor(COLORREF c);
    COLORREF GetBkColor() const { return s_.bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return s_.bkMode; }
    int SetROP2(int rop);
    int GetROP2() const { return s_.rop2; }
    unsigned SetTextAlign(unsigned align);
    unsigned GetTextAlign() const { return s_.textAlign; }
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const { return s_.polyFillMode; }
    int SetArcDirection(int dir);
    int GetArcDirection() const { return s_.arcDirection; }

    // Saves the whole state (mapping, objects, attributes, clipping, current
    // position); returns the new save level (1, 2, ...).
    int SaveDC();
    // Restores level `level`; -1 restores the last one. False when there is
    // no such level.
    bool RestoreDC(int level);

    // ---- clipping (each returns the region type, RGN_ERROR on failure) ----
    int IntersectClipRect(int l, int t, int r, int b);
    int IntersectClipRect(const CRect& r) { return IntersectClipRect(r.left, r.top, r.right, r.bottom); }
    int ExcludeClipRect(int l, int t, int r, int b);
    int ExcludeClipRect(const CRect& r) { return ExcludeClipRect(r.left, r.top, r.right, r.bottom); }
    // `rgn` in device units; null removes the clipping.
    int SelectClipRgn(const CRgn* rgn);
    int SelectClipRgn(const CRgn& rgn, int mode);
    // Visible part in logical units: the clipping box, or the whole surface.
    int GetClipBox(CRect& out) const;
    bool PtVisible(int x, int y) const;
    bool RectVisible(const CRect& r) const;
    bool HasClip() const { return s_.hasClip; }
    // The clipping region in device units (meaningful when HasClip()).
    const QRegion& ClipRegion() const { return s_.clip; }

    // ---- lines and shapes ----
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint p) { return MoveTo(p.x, p.y); }
    // Draws from the current position up to, but not including, (x, y).
    bool LineTo(int x, int y);
    bool LineTo(CPoint p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return s_.pos; }
    bool Polyline(const CPoint* pts, int count);
    bool Polygon(const CPoint* pts, int count);
    bool PolyPolygon(const CPoint* pts, const int* counts, int polygons);
    bool Rectangle(int l, int t, int r, int b) { return Rectangle(CRect(l, t, r, b)); }
    bool Rectangle(const CRect& r);
    bool RoundRect(const CRect& r, CPoint corner);
    bool Ellipse(int l, int t, int r, int b) { return Ellipse(CRect(l, t, r, b)); }
    bool Ellipse(const CRect& r);
    // Arc, chord and pie of the ellipse in `r`, running counter-clockwise on
    // the screen (y down) from the radial through `start` to the radial
    // through `end`; equal radials give the whole ellipse.
    bool Arc(const CRect& r, CPoint start, CPoint end);
    bool Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) { return Arc(CRect(l, t, r, b), {x1, y1}, {x2, y2}); }
    bool Chord(const CRect& r, CPoint start, CPoint end);
    bool Pie(const CRect& r, CPoint start, CPoint end);

    // ---- fills (no outline) ----
    void FillRect(const CRect& r, const CBrush& brush);
    void FillSolidRect(const CRect& r, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color) { FillSolidRect(CRect(x, y, x + cx, y + cy), color); }
    // A border one logical unit wide inside `r`.
    void FrameRect(const CRect& r, const CBrush& brush);
    void FrameRect(const CRect& r, COLORREF color) { FrameRect(r, CBrush(color)); }
    void InvertRect(const CRect& r);
    void Draw3dRect(const CRect& r, COLORREF topLeft, COLORREF bottomRight);
    // Paints the rectangle with the current brush: PATCOPY, PATINVERT,
    // DSTINVERT, BLACKNESS or WHITENESS.
    bool PatBlt(int x, int y, int w, int h, uint32_t rop);
    // Regions are in device units.
    bool FillRgn(const CRgn& rgn, const CBrush& brush);
    bool PaintRgn(const CRgn& rgn);
    bool InvertRgn(const CRgn& rgn);
    bool FrameRgn(const CRgn& rgn, const CBrush& brush, int w, int h);
    // Sets one device pixel at a logical point (with the current ROP2).
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(CPoint p, COLORREF color) { return SetPixel(p.x, p.y, color); }
    // SetPixel for many logical points at once, in order (the grid layer).
    void SetPixels(const std::vector<CPoint>& points, COLORREF color) { doSetPixels(points, color); }

    // ---- text (UTF-8) ----
    bool TextOut(int x, int y, std::string_view text);
    // Lays out and draws `text` in `r` (DT_ flags); returns the height of
    // the text in logical units. With DT_CALCRECT nothing is drawn and `r`
    // is adjusted to the text.
    int DrawText(std::string_view text, CRect& r, unsigned format);
    CSize GetTextExtent(std::string_view text);
    CSize GetOutputTextExtent(std::string_view text) { return GetTextExtent(text); }
    bool GetTextMetrics(TEXTMETRIC& tm);

    // ---- device-independent bitmaps ----
    // Draws the part (xs, ys, ws, hs) of `image` (top-down rows) stretched
    // into the logical rectangle (x, y, w, h). SRCCOPY or SRCINVERT.
    int StretchDIBits(int x, int y, int w, int h, int xs, int ys, int ws, int hs, const QImage& image,
                      uint32_t rop = SRCCOPY);
    void DrawImage(const CRect& r, const QImage& image) {
        StretchDIBits(r.left, r.top, r.Width(), r.Height(), 0, 0, image.width(), image.height(), image);
    }

    // ---- device ----
    // LOGPIXELSX/Y, HORZRES, VERTRES, HORZSIZE, VERTSIZE.
    int GetDeviceCaps(int index) const;

protected:
    // Everything SaveDC keeps.
    struct State {
        int mapMode = MM_TEXT;
        CPoint windowOrg;
        CPoint viewportOrg;
        CSize windowExt{1, 1};
        CSize viewportExt{1, 1};
        LOGPEN pen{PS_SOLID, {0, 0}, 0};
        LOGBRUSH brush{BS_SOLID, vx::RGB(255, 255, 255), 0};
        LOGFONT font;
        COLORREF textColor = 0;
        COLORREF bkColor = vx::RGB(255, 255, 255);
        int bkMode = OPAQUE;
        int rop2 = R2_COPYPEN;
        unsigned textAlign = TA_LEFT | TA_TOP;
        int polyFillMode = ALTERNATE;
        int arcDirection = AD_COUNTERCLOCKWISE;
        CPoint pos;
        bool hasClip = false;
        QRegion clip;  // device units
    };
    enum class Shape { Rectangle, RoundRect, Ellipse, Arc, Chord, Pie };
    enum class Poly { Polyline, Polygon };
    enum class RgnOp { Fill, Paint, Invert, Frame };

    const State& state() const { return s_; }
    void setPrinting(bool p) { printing_ = p; }
    void setRasterOps(bool r) { rasterOps_ = r; }
    // Bumped whenever the clipping changes, so backends can cache it.
    unsigned clipGeneration() const { return clipGen_; }
    bool inDrawText() const { return inDrawText_; }
    // Device width of the current pen in pixels (0 for the null pen).
    int DevicePenWidth() const;
    // The current pen draws a dash pattern (a styled pen one pixel wide);
    // wider styled pens draw solid.
    bool PenIsStyled() const;
    // Font of the current state with its height converted to device pixels.
    LOGFONT DeviceFont() const;

    // Hooks. Coordinates are logical as passed by the caller unless a hook
    // says otherwise; the backend reads pen, brush and modes from state().
    virtual void doLine(CPoint /*from*/, CPoint /*to*/) {}
    virtual void doPoly(Poly /*kind*/, const CPoint* /*pts*/, const int* /*counts*/, int /*polygons*/) {}
    virtual void doShape(Shape /*kind*/, const CRect& /*r*/, CPoint /*a*/, CPoint /*b*/) {}
    virtual void doFillRect(const CRect& /*r*/, const LOGBRUSH& /*brush*/) {}
    // FrameRect: four fills one logical unit wide unless overridden.
    virtual void doFrameRect(const CRect& r, const LOGBRUSH& brush);
    // PatBlt with the current brush (r normalised, logical).
    virtual void doPatBlt(const CRect& /*r*/, uint32_t /*rop*/) {}
    // Region operations; `rgn` in device units, brush for Fill/Frame.
    virtual void doRegion(RgnOp /*op*/, const CRgn& /*rgn*/, const LOGBRUSH& /*brush*/, CSize /*frame*/) {}
    virtual void doSetPixel(CPoint /*p*/, COLORREF /*color*/) {}
    // Backends that can set many pixels faster than one by one override it.
    virtual void doSetPixels(const std::vector<CPoint>& points, COLORREF color) {
        for (const CPoint& p : points) doSetPixel(p, color);
    }
    // One line of text at the reference point, aligned by the text align
    // flags; `underline` is the byte offset of a character to underline
    // (-1 none), used by DrawText's prefix.
    virtual void doTextOut(CPoint /*p*/, std::string_view /*text*/, int /*underline*/) {}
    // Width of `text` in logical units (fractions kept for layout).
    virtual double doTextWidth(std::string_view text);
    virtual void doTextMetrics(TEXTMETRIC& tm);
    // Called once for each DrawText (not with DT_CALCRECT) before its lines
    // go out through doTextOut; inDrawText() is true while they do.
    virtual void doDrawText(std::string_view /*text*/, const CRect& /*r*/, unsigned /*format*/) {}
    virtual void doStretchDIBits(const CRect& /*dst*/, const QRect& /*src*/, const QImage& /*image*/, uint32_t /*rop*/) {}
    virtual int doGetDeviceCaps(int index) const;
    // The state changed wholesale (RestoreDC).
    virtual void doStateRestored() {}

private:
    int SetClip(const QRegion& r);
    void ShapeCall(Shape kind, const CRect& r, CPoint a, CPoint b);

    State s_;
    std::vector<State> saved_;
    bool printing_ = false;
    bool rasterOps_ = false;
    bool inDrawText_ = false;
    unsigned clipGen_ = 0;
};
