#include "platform/DC.h"

#include <QPolygon>
#include <cmath>
#include <cstdlib>

namespace {

using vx::Saturate32;

// round(v * num / den) with halves away from zero, in 64 bits. v is the
// difference of two 32-bit values and num a 32-bit value, so the product
// cannot overflow.
int64_t ScaleWide(int64_t v, int64_t num, int64_t den) {
    if (den == 0) return v;
    int64_t p = v * num;
    if (den < 0) p = -p, den = -den;
    return p >= 0 ? (p + den / 2) / den : -((-p + den / 2) / den);
}

int32_t Scale(int64_t v, int64_t num, int64_t den) { return Saturate32(ScaleWide(v, num, den)); }

// The measuring height of a font: its height within the drawing range, 16
// for the automatic height.
int MeasureHeight(const LOGFONT& lf) {
    const int h = std::abs(vx::DrawingFontSize(lf.lfHeight));
    return h ? h : 16;
}

int RegionType(const QRegion& r) {
    if (r.isEmpty()) return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// Number of characters (code points) of UTF-8 text.
int CodePoints(std::string_view s) {
    int n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

// ---- CRgn ----

QRect CRgn::RectOf(const CRect& rc) {
    const CRect n = rc.Normalized();
    if (n.IsRectEmpty()) return QRect();
    return QRect(n.left, n.top, n.Width(), n.Height());
}

void CRgn::CreatePolygonRgn(const CPoint* pts, int count, int fillMode) {
    QPolygon poly;
    for (int i = 0; i < count; ++i) poly << QPoint(pts[i].x, pts[i].y);
    r_ = count >= 3 ? QRegion(poly, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill) : QRegion();
}

void CRgn::CreateEllipticRgnIndirect(const CRect& rc) { r_ = QRegion(RectOf(rc), QRegion::Ellipse); }

int CRgn::CombineRgn(const CRgn& a, const CRgn& b, int mode) {
    switch (mode) {
        case RGN_AND: r_ = a.r_.intersected(b.r_); break;
        case RGN_OR: r_ = a.r_.united(b.r_); break;
        case RGN_XOR: r_ = a.r_.xored(b.r_); break;
        case RGN_DIFF: r_ = a.r_.subtracted(b.r_); break;
        case RGN_COPY: r_ = a.r_; break;
        default: return RGN_ERROR;
    }
    return Type();
}

int CRgn::GetRgnBox(CRect& out) const {
    const QRect b = r_.boundingRect();
    out = r_.isEmpty() ? CRect() : CRect(b.left(), b.top(), b.right() + 1, b.bottom() + 1);
    return Type();
}

int CRgn::Type() const { return RegionType(r_); }

// ---- CDC ----

CDC::CDC() { s_.font = vx::DefaultLogFont(); }

CDC::~CDC() = default;

int CDC::SetMapMode(int mode) {
    const int old = s_.mapMode;
    if (mode != MM_TEXT && mode != MM_ANISOTROPIC) return 0;
    s_.mapMode = mode;
    if (mode == MM_TEXT) {
        s_.windowExt = {1, 1};
        s_.viewportExt = {1, 1};
    }
    return old;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    const CPoint old = s_.windowOrg;
    s_.windowOrg = {x, y};
    return old;
}

CPoint CDC::OffsetWindowOrg(int dx, int dy) {
    return SetWindowOrg(Saturate32(int64_t(s_.windowOrg.x) + dx), Saturate32(int64_t(s_.windowOrg.y) + dy));
}

CPoint CDC::SetViewportOrg(int x, int y) {
    const CPoint old = s_.viewportOrg;
    s_.viewportOrg = {x, y};
    return old;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    return SetViewportOrg(Saturate32(int64_t(s_.viewportOrg.x) + dx), Saturate32(int64_t(s_.viewportOrg.y) + dy));
}

CSize CDC::SetWindowExt(int cx, int cy) {
    const CSize old = s_.windowExt;
    if (s_.mapMode == MM_ANISOTROPIC && cx != 0 && cy != 0) s_.windowExt = {cx, cy};
    return old;
}

CSize CDC::SetViewportExt(int cx, int cy) {
    const CSize old = s_.viewportExt;
    if (s_.mapMode == MM_ANISOTROPIC && cx != 0 && cy != 0) s_.viewportExt = {cx, cy};
    return old;
}

void CDC::LPtoDP(CPoint* pts, int count) const {
    for (int i = 0; i < count; ++i) {
        CPoint& p = pts[i];
        // The origin is added before the result is brought into range.
        p.x = Saturate32(ScaleWide(int64_t(p.x) - s_.windowOrg.x, s_.viewportExt.cx, s_.windowExt.cx) + s_.viewportOrg.x);
        p.y = Saturate32(ScaleWide(int64_t(p.y) - s_.windowOrg.y, s_.viewportExt.cy, s_.windowExt.cy) + s_.viewportOrg.y);
    }
}

void CDC::LPtoDP(CRect& r) const {
    CPoint pts[2] = {r.TopLeft(), r.BottomRight()};
    LPtoDP(pts, 2);
    r = CRect(pts[0].x, pts[0].y, pts[1].x, pts[1].y);
}

void CDC::LPtoDP(CSize& s) const {
    s.cx = Scale(s.cx, s_.viewportExt.cx, s_.windowExt.cx);
    s.cy = Scale(s.cy, s_.viewportExt.cy, s_.windowExt.cy);
}

void CDC::DPtoLP(CPoint* pts, int count) const {
    for (int i = 0; i < count; ++i) {
        CPoint& p = pts[i];
        p.x = Saturate32(ScaleWide(int64_t(p.x) - s_.viewportOrg.x, s_.windowExt.cx, s_.viewportExt.cx) + s_.windowOrg.x);
        p.y = Saturate32(ScaleWide(int64_t(p.y) - s_.viewportOrg.y, s_.windowExt.cy, s_.viewportExt.cy) + s_.windowOrg.y);
    }
}

void CDC::DPtoLP(CRect& r) const {
    CPoint pts[2] = {r.TopLeft(), r.BottomRight()};
    DPtoLP(pts, 2);
    r = CRect(pts[0].x, pts[0].y, pts[1].x, pts[1].y);
}

void CDC::DPtoLP(CSize& s) const {
    s.cx = Scale(s.cx, s_.windowExt.cx, s_.viewportExt.cx);
    s.cy = Scale(s.cy, s_.windowExt.cy, s_.viewportExt.cy);
}

double CDC::ScaleX() const { return double(s_.viewportExt.cx) / double(s_.windowExt.cx); }
double CDC::ScaleY() const { return double(s_.viewportExt.cy) / double(s_.windowExt.cy); }

// ---- objects and attributes ----

CPen CDC::SelectObject(const CPen& pen) {
    CPen old(s_.pen);
    s_.pen = pen.logPen();
    return old;
}

CBrush CDC::SelectObject(const CBrush& brush) {
    CBrush old(s_.brush);
    s_.brush = brush.logBrush();
    return old;
}

CFont CDC::SelectObject(const CFont& font) {
    CFont old(s_.font);
    s_.font = font.logFont();
    return old;
}

void CDC::SelectStockObject(int index) {
    switch (index) {
        case WHITE_BRUSH: s_.brush = {BS_SOLID, vx::RGB(255, 255, 255), 0}; break;
        case LTGRAY_BRUSH: s_.brush = {BS_SOLID, vx::RGB(192, 192, 192), 0}; break;
        case GRAY_BRUSH: s_.brush = {BS_SOLID, vx::RGB(128, 128, 128), 0}; break;
        case DKGRAY_BRUSH: s_.brush = {BS_SOLID, vx::RGB(64, 64, 64), 0}; break;
        case BLACK_BRUSH: s_.brush = {BS_SOLID, vx::RGB(0, 0, 0), 0}; break;
        case NULL_BRUSH: s_.brush = {BS_NULL, 0, 0}; break;
        case WHITE_PEN: s_.pen = {PS_SOLID, {0, 0}, vx::RGB(255, 255, 255)}; break;
        case BLACK_PEN: s_.pen = {PS_SOLID, {0, 0}, vx::RGB(0, 0, 0)}; break;
        case NULL_PEN: s_.pen = {PS_NULL, {0, 0}, 0}; break;
        default: break;
    }
}

COLORREF CDC::SetTextColor(COLORREF c) { return std::exchange(s_.textColor, c); }
COLORREF CDC::SetBkColor(COLORREF c) { return std::exchange(s_.bkColor, c); }

int CDC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return std::exchange(s_.bkMode, mode);
}

int CDC::SetROP2(int rop) {
    if (rop < R2_BLACK || rop > R2_WHITE) return 0;
    return std::exchange(s_.rop2, rop);
}

unsigned CDC::SetTextAlign(unsigned align) { return std::exchange(s_.textAlign, align); }

int CDC::SetPolyFillMode(int mode) {
    if (mode != ALTERNATE && mode != WINDING) return 0;
    return std::exchange(s_.polyFillMode, mode);
}

int CDC::SetArcDirection(int dir) {
    if (dir != AD_COUNTERCLOCKWISE && dir != AD_CLOCKWISE) return 0;
    return std::exchange(s_.arcDirection, dir);
}

int CDC::SaveDC() {
    saved_.push_back(s_);
    return int(saved_.size());
}

bool CDC::RestoreDC(int level) {
    const int n = int(saved_.size());
    const int idx = level < 0 ? n + level : level - 1;
    if (idx < 0 || idx >= n) return false;
    s_ = saved_[size_t(idx)];
    saved_.resize(size_t(idx));
    ++clipGen_;
    doStateRestored();
    return true;
}

int CDC::DevicePenWidth() const {
    if (s_.pen.lopnStyle == PS_NULL) return 0;
    const int w = s_.pen.lopnWidth.x;
    if (w <= 0) return 1;
    return std::max(1, int(std::lround(w * std::fabs(ScaleX()))));
}

bool CDC::PenIsStyled() const {
    return s_.pen.lopnStyle >= PS_DASH && s_.pen.lopnStyle <= PS_DASHDOTDOT && DevicePenWidth() == 1;
}

LOGFONT CDC::DeviceFont() const {
    LOGFONT lf = s_.font;
    auto scale = [](int32_t v, double f) {
        v = vx::DrawingFontSize(v);
        if (v == 0) return 0;
        // In doubles: a large scale must not overflow before the clamp.
        const double d = std::clamp(std::round(v * f), -double(vx::kMaxDeviceFontSize), double(vx::kMaxDeviceFontSize));
        const int r = vx::DeviceFontSize(int64_t(d));
        return r != 0 ? r : (v < 0 ? -1 : 1);
    };
    lf.lfHeight = scale(lf.lfHeight, std::fabs(ScaleY()));
    lf.lfWidth = scale(lf.lfWidth, std::fabs(ScaleX()));
    return lf;
}

// ---- clipping ----

int CDC::SetClip(const QRegion& r) {
    s_.clip = r;
    s_.hasClip = true;
    ++clipGen_;
    return RegionType(r);
}

namespace {
QRegion DeviceRegion(const CDC& dc, const CRect& logical) {
    CRect d = logical;
    dc.LPtoDP(d);
    return QRegion(CRgn::RectOf(d));
}
}  // namespace

int CDC::IntersectClipRect(int l, int t, int r, int b) {
    const QRegion rect = DeviceRegion(*this, CRect(l, t, r, b));
    return SetClip(s_.hasClip ? s_.clip.intersected(rect) : rect);
}

int CDC::ExcludeClipRect(int l, int t, int r, int b) {
    const QRegion rect = DeviceRegion(*this, CRect(l, t, r, b));
    const QRegion base = s_.hasClip ? s_.clip
                                    : QRegion(0, 0, doGetDeviceCaps(HORZRES), doGetDeviceCaps(VERTRES));
    return SetClip(base.subtracted(rect));
}

int CDC::SelectClipRgn(const CRgn* rgn) {
    if (!rgn) {
        s_.hasClip = false;
        s_.clip = QRegion();
        ++clipGen_;
        return SIMPLEREGION;
    }
    return SetClip(rgn->region());
}

int CDC::SelectClipRgn(const CRgn& rgn, int mode) {
    if (mode == RGN_COPY) return SetClip(rgn.region());
    const QRegion cur = s_.hasClip ? s_.clip : QRegion(0, 0, doGetDeviceCaps(HORZRES), doGetDeviceCaps(VERTRES));
    CRgn a(cur), out;
    if (out.CombineRgn(a, rgn, mode) == RGN_ERROR) return RGN_ERROR;
    return SetClip(out.region());
}

int CDC::GetClipBox(CRect& out) const {
    QRegion vis = s_.hasClip ? s_.clip : QRegion(0, 0, doGetDeviceCaps(HORZRES), doGetDeviceCaps(VERTRES));
    const QRect b = vis.boundingRect();
    if (vis.isEmpty()) {
        out.SetRectEmpty();
        return NULLREGION;
    }
    out = CRect(b.left(), b.top(), b.right() + 1, b.bottom() + 1);
    DPtoLP(out);
    out.NormalizeRect();
    return RegionType(vis);
}

bool CDC::PtVisible(int x, int y) const {
    CPoint p(x, y);
    LPtoDP(p);
    if (s_.hasClip) return s_.clip.contains(QPoint(p.x, p.y));
    return p.x >= 0 && p.y >= 0 && p.x < doGetDeviceCaps(HORZRES) && p.y < doGetDeviceCaps(VERTRES);
}

bool CDC::RectVisible(const CRect& r) const {
    const QRegion d = DeviceRegion(*this, r);
    if (s_.hasClip) return s_.clip.intersects(d);
    return d.intersects(QRect(0, 0, doGetDeviceCaps(HORZRES), doGetDeviceCaps(VERTRES)));
}

// ---- lines and shapes ----

CPoint CDC::MoveTo(int x, int y) { return std::exchange(s_.pos, CPoint(x, y)); }

bool CDC::LineTo(int x, int y) {
    const CPoint from = s_.pos;
    s_.pos = {x, y};
    doLine(from, s_.pos);
    return true;
}

bool CDC::Polyline(const CPoint* pts, int count) {
    if (!pts || count < 2) return false;
    doPoly(Poly::Polyline, pts, &count, 1);
    return true;
}

bool CDC::Polygon(const CPoint* pts, int count) {
    if (!pts || count < 2) return false;
    doPoly(Poly::Polygon, pts, &count, 1);
    return true;
}

bool CDC::PolyPolygon(const CPoint* pts, const int* counts, int polygons) {
    if (!pts || !counts || polygons <= 0) return false;
    for (int i = 0; i < polygons; ++i)
        if (counts[i] < 2) return false;
    doPoly(Poly::Polygon, pts, counts, polygons);
    return true;
}

void CDC::ShapeCall(Shape kind, const CRect& r, CPoint a, CPoint b) { doShape(kind, r, a, b); }

bool CDC::Rectangle(const CRect& r) {
    ShapeCall(Shape::Rectangle, r, {}, {});
    return true;
}

bool CDC::RoundRect(const CRect& r, CPoint corner) {
    ShapeCall(Shape::RoundRect, r, corner, {});
    return true;
}

bool CDC::Ellipse(const CRect& r) {
    ShapeCall(Shape::Ellipse, r, {}, {});
    return true;
}

bool CDC::Arc(const CRect& r, CPoint start, CPoint end) {
    ShapeCall(Shape::Arc, r, start, end);
    return true;
}

bool CDC::Chord(const CRect& r, CPoint start, CPoint end) {
    ShapeCall(Shape::Chord, r, start, end);
    return true;
}

bool CDC::Pie(const CRect& r, CPoint start, CPoint end) {
    ShapeCall(Shape::Pie, r, start, end);
    return true;
}

// ---- fills ----

void CDC::FillRect(const CRect& r, const CBrush& brush) { doFillRect(r, brush.logBrush()); }

void CDC::FillSolidRect(const CRect& r, COLORREF color) { doFillRect(r, LOGBRUSH{BS_SOLID, color, 0}); }

void CDC::FrameRect(const CRect& r, const CBrush& brush) {
    if (r.Normalized().IsRectEmpty()) return;
    doFrameRect(r.Normalized(), brush.logBrush());
}

void CDC::doFrameRect(const CRect& r, const LOGBRUSH& b) {
    doFillRect(CRect(r.left, r.top, r.right, r.top + 1), b);
    doFillRect(CRect(r.left, r.bottom - 1, r.right, r.bottom), b);
    doFillRect(CRect(r.left, r.top + 1, r.left + 1, r.bottom - 1), b);
    doFillRect(CRect(r.right - 1, r.top + 1, r.right, r.bottom - 1), b);
}

void CDC::InvertRect(const CRect& r) { doPatBlt(r.Normalized(), DSTINVERT); }

void CDC::Draw3dRect(const CRect& r, COLORREF topLeft, COLORREF bottomRight) {
    const CRect n = r.Normalized();
    const int x = n.left, y = n.top, cx = n.Width(), cy = n.Height();
    FillSolidRect(CRect(x, y, x + cx - 1, y + 1), topLeft);
    FillSolidRect(CRect(x, y, x + 1, y + cy - 1), topLeft);
    FillSolidRect(CRect(x + cx - 1, y, x + cx, y + cy), bottomRight);
    FillSolidRect(CRect(x, y + cy - 1, x + cx, y + cy), bottomRight);
}

bool CDC::PatBlt(int x, int y, int w, int h, uint32_t rop) {
    switch (rop) {
        case PATCOPY:
        case PATINVERT:
        case DSTINVERT:
        case BLACKNESS:
        case WHITENESS: break;
        default: return false;
    }
    doPatBlt(CRect(x, y, Saturate32(int64_t(x) + w), Saturate32(int64_t(y) + h)).Normalized(), rop);
    return true;
}

bool CDC::FillRgn(const CRgn& rgn, const CBrush& brush) {
    doRegion(RgnOp::Fill, rgn, brush.logBrush(), {});
    return true;
}

bool CDC::PaintRgn(const CRgn& rgn) {
    doRegion(RgnOp::Paint, rgn, s_.brush, {});
    return true;
}

bool CDC::InvertRgn(const CRgn& rgn) {
    doRegion(RgnOp::Invert, rgn, s_.brush, {});
    return true;
}

bool CDC::FrameRgn(const CRgn& rgn, const CBrush& brush, int w, int h) {
    if (w <= 0 || h <= 0) return false;
    doRegion(RgnOp::Frame, rgn, brush.logBrush(), {w, h});
    return true;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    doSetPixel({x, y}, color);
    return color;
}

// ---- text ----

double CDC::doTextWidth(std::string_view text) {
    const int h = MeasureHeight(s_.font);
    return CodePoints(text) * std::max(1, h / 2);
}

void CDC::doTextMetrics(TEXTMETRIC& tm) {
    const int h = MeasureHeight(s_.font);
    tm = TEXTMETRIC{};
    tm.tmHeight = h;
    tm.tmAscent = h * 4 / 5;
    tm.tmDescent = h - tm.tmAscent;
    tm.tmAveCharWidth = std::max(1, h / 2);
    tm.tmMaxCharWidth = h;
    tm.tmWeight = s_.font.lfWeight ? s_.font.lfWeight : vx::FW_NORMAL;
    tm.tmItalic = s_.font.lfItalic;
    tm.tmUnderlined = s_.font.lfUnderline;
    tm.tmStruckOut = s_.font.lfStrikeOut;
}

bool CDC::TextOut(int x, int y, std::string_view text) {
    doTextOut({x, y}, text, -1);
    return true;
}

CSize CDC::GetTextExtent(std::string_view text) {
    TEXTMETRIC tm;
    doTextMetrics(tm);
    return {int(std::ceil(doTextWidth(text) - 1e-9)), tm.tmHeight};
}

bool CDC::GetTextMetrics(TEXTMETRIC& tm) {
    doTextMetrics(tm);
    return true;
}

int CDC::StretchDIBits(int x, int y, int w, int h, int xs, int ys, int ws, int hs, const QImage& image, uint32_t rop) {
    if (image.isNull() || w == 0 || h == 0 || ws <= 0 || hs <= 0) return 0;
    if (rop != SRCCOPY && rop != SRCINVERT) return 0;
    const QRect src = QRect(xs, ys, ws, hs).intersected(image.rect());
    if (src.isEmpty()) return 0;
    doStretchDIBits(CRect(x, y, Saturate32(int64_t(x) + w), Saturate32(int64_t(y) + h)), QRect(xs, ys, ws, hs), image, rop);
    return hs;
}

int CDC::GetDeviceCaps(int index) const { return doGetDeviceCaps(index); }

int CDC::doGetDeviceCaps(int index) const {
    switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        case HORZRES:
        case VERTRES: return 1000;
        case HORZSIZE:
        case VERTSIZE: return int(std::lround(1000 * 25.4 / 96));
        default: return 0;
    }
}
