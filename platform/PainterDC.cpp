#include "platform/PainterDC.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/QtConv.h"

namespace {

// Dash patterns of one-pixel styled pens, in pixels (on, off, ...).
QList<qreal> DashPattern(int style) {
    switch (style) {
        case PS_DASH: return {18, 6};
        case PS_DOT: return {3, 3};
        case PS_DASHDOT: return {9, 6, 3, 6};
        case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
        default: return {};
    }
}

Qt::BrushStyle HatchPattern(int hatch) {
    switch (hatch) {
        case HS_HORIZONTAL: return Qt::HorPattern;
        case HS_VERTICAL: return Qt::VerPattern;
        case HS_FDIAGONAL: return Qt::FDiagPattern;  // top-left to bottom-right in both
        case HS_BDIAGONAL: return Qt::BDiagPattern;
        case HS_CROSS: return Qt::CrossPattern;
        case HS_DIAGCROSS: return Qt::DiagCrossPattern;
        default: return Qt::HorPattern;
    }
}

// Device rectangle of a logical one, normalised.
CRect ToDevice(const CDC& dc, const CRect& r) {
    CRect d = r;
    dc.LPtoDP(d);
    d.NormalizeRect();
    return d;
}

QRect ToQ(const CRect& d) { return QRect(d.left, d.top, d.Width(), d.Height()); }

// Angle in degrees, counter-clockwise on the screen, of the radial from the
// centre of `box` through `p`, as the parametric angle of the ellipse so
// the arc starts exactly on that radial.
double RadialAngle(const QRectF& box, QPointF p) {
    const QPointF c = box.center();
    const double rx = std::max(box.width() / 2, 1e-9), ry = std::max(box.height() / 2, 1e-9);
    const double dx = p.x() - c.x(), dy = c.y() - p.y();
    if (dx == 0 && dy == 0) return 0;
    return std::atan2(dy / ry, dx / rx) * 180.0 / std::numbers::pi;
}

}  // namespace

CPainterDC::CPainterDC(QPaintDevice* device) : own_(std::make_unique<QPainter>(device)), p_(own_.get()), device_(device) {
    Init();
}

CPainterDC::CPainterDC(QPainter* painter) : p_(painter), device_(painter->device()) {
    p_->save();
    Init();
}

CPainterDC::~CPainterDC() {
    if (own_) {
        if (own_->isActive()) own_->end();
    }
    else p_->restore();
}

void CPainterDC::Init() {
    const QPaintEngine* engine = p_->paintEngine();
    const auto type = engine ? engine->type() : QPaintEngine::Raster;
    const bool printing = type == QPaintEngine::Pdf || type == QPaintEngine::SVG || type == QPaintEngine::MacPrinter;
    SetPrinting(printing);
    p_->resetTransform();
    p_->setRenderHint(QPainter::Antialiasing, false);
    p_->setRenderHint(QPainter::TextAntialiasing, true);
    p_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p_->setBackgroundMode(Qt::TransparentMode);
    p_->setBrushOrigin(0, 0);
    baseClip_ = p_->hasClipping() ? std::optional<QRegion>(p_->clipRegion()) : std::nullopt;
}

void CPainterDC::SetPrinting(bool printing) {
    setPrinting(printing);
    const QPaintEngine* engine = p_->paintEngine();
    setRasterOps(engine && engine->hasFeature(QPaintEngine::RasterOpModes) && !printing);
}

void CPainterDC::SyncClip() {
    if (clipSeen_ == clipGeneration()) return;
    clipSeen_ = clipGeneration();
    const State& s = state();
    if (s.hasClip) p_->setClipRegion(baseClip_ ? s.clip.intersected(*baseClip_) : s.clip);
    else if (baseClip_) p_->setClipRegion(*baseClip_);
    else p_->setClipping(false);
}

bool CPainterDC::BeginRop2(QColor* color) {
    int rop = state().rop2;
    if (!HasRasterOps() && rop != R2_NOP) rop = R2_COPYPEN;
    switch (rop) {
        case R2_NOP: return false;
        case R2_NOT: p_->setCompositionMode(QPainter::RasterOp_NotDestination); break;
        case R2_XORPEN: p_->setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
        case R2_NOTXORPEN: p_->setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
        case R2_BLACK:
            if (color) *color = Qt::black;
            p_->setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
        case R2_WHITE:
            if (color) *color = Qt::white;
            p_->setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
        default: p_->setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    }
    return true;
}

void CPainterDC::EndRop2() { p_->setCompositionMode(QPainter::CompositionMode_SourceOver); }

QPen CPainterDC::MakePen(bool gaps) const {
    const State& s = state();
    const int w = DevicePenWidth();
    QColor c = vx::ToQColor(gaps ? s.bkColor : s.pen.lopnColor);
    if (s.rop2 == R2_BLACK) c = Qt::black;
    else if (s.rop2 == R2_WHITE) c = Qt::white;
    QPen pen(c, w);
    if (w <= 1) {
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        if (!gaps && PenIsStyled()) pen.setDashPattern(DashPattern(s.pen.lopnStyle));
    } else {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

QBrush CPainterDC::MakeBrush(const LOGBRUSH& lb, bool gaps) const {
    const State& s = state();
    if (gaps) return QBrush(vx::ToQColor(s.bkColor));
    QColor c = vx::ToQColor(lb.lbColor);
    if (s.rop2 == R2_BLACK) c = Qt::black;
    else if (s.rop2 == R2_WHITE) c = Qt::white;
    switch (lb.lbStyle) {
        case BS_SOLID: return QBrush(c);
        case BS_HATCHED: return QBrush(c, HatchPattern(lb.lbHatch));
        case BS_HALFTONE: return QBrush(Qt::white, Qt::Dense4Pattern);
        default: return QBrush(Qt::NoBrush);
    }
}

// Pattern brushes leave their gaps alone; in OPAQUE mode the gaps take the
// background colour first.
template <typename F>
void CPainterDC::Fill(const LOGBRUSH& lb, F&& draw) {
    if (lb.lbStyle != BS_SOLID && lb.lbStyle != BS_HATCHED && lb.lbStyle != BS_HALFTONE) return;
    p_->setPen(Qt::NoPen);
    if (lb.lbStyle == BS_HATCHED && state().bkMode == OPAQUE) {
        p_->setBrush(MakeBrush(lb, true));
        draw();
    }
    if (lb.lbStyle == BS_HALFTONE && state().rop2 == R2_COPYPEN) {
        p_->setBrush(QBrush(Qt::black));
        draw();
    }
    p_->setBrush(MakeBrush(lb, false));
    draw();
}

template <typename F>
void CPainterDC::Stroke(F&& draw) {
    if (DevicePenWidth() == 0) return;
    p_->setBrush(Qt::NoBrush);
    if (PenIsStyled() && state().bkMode == OPAQUE) {
        p_->setPen(MakePen(true));
        draw();
    }
    p_->setPen(MakePen(false));
    draw();
}

// ---- lines ----

void CPainterDC::doLine(CPoint from, CPoint to) {
    CPoint pts[2] = {from, to};
    LPtoDP(pts, 2);
    if (pts[0] == pts[1]) return;
    SyncClip();
    if (!BeginRop2(nullptr)) return;
    const QPoint a(pts[0].x, pts[0].y), b(pts[1].x, pts[1].y);
    Stroke([&] { p_->drawLine(a, b); });
    EndRop2();
}

void CPainterDC::doPoly(Poly kind, const CPoint* pts, const int* counts, int polygons) {
    SyncClip();
    if (!BeginRop2(nullptr)) return;
    std::vector<QPolygon> polys;
    QPainterPath path;
    path.setFillRule(state().polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    int at = 0;
    for (int k = 0; k < polygons; ++k) {
        QPolygon poly;
        for (int i = 0; i < counts[k]; ++i) {
            CPoint d = pts[at + i];
            LPtoDP(d);
            poly << QPoint(d.x, d.y);
        }
        at += counts[k];
        if (kind == Poly::Polygon) {
            path.addPolygon(poly);
            path.closeSubpath();
        }
        polys.push_back(std::move(poly));
    }
    if (kind == Poly::Polygon) Fill(state().brush, [&] { p_->drawPath(path); });
    // Integer polylines: the cosmetic stroke leaves out the last point and
    // keeps the dash pattern running across corners.
    Stroke([&] {
        for (const QPolygon& poly : polys) {
            if (kind == Poly::Polygon) {
                // A closed outline has no ends: square caps keep every
                // corner pixel.
                QPen pen = p_->pen();
                if (pen.widthF() <= 1) pen.setCapStyle(Qt::SquareCap);
                p_->setPen(pen);
                p_->drawPolygon(poly);
            } else {
                p_->drawPolyline(poly);
            }
        }
    });
    EndRop2();
}

// ---- shapes ----

void CPainterDC::doShape(Shape kind, const CRect& r, CPoint a, CPoint b) {
    const CRect d = ToDevice(*this, r);
    if (d.IsRectEmpty()) return;
    SyncClip();
    if (!BeginRop2(nullptr)) return;
    const bool pen = DevicePenWidth() > 0;
    // The figure runs through the centres of the outermost pixels, so the
    // right and bottom edges stay outside; without a pen the fill is one
    // pixel smaller still.
    const QRectF box(d.left, d.top, d.Width() - 1, d.Height() - 1);
    const QRectF& strokeBox = box;
    const QRectF fillBox = pen ? QRectF(d.left, d.top, d.Width(), d.Height()) : box;

    if (kind == Shape::Rectangle && state().rop2 == R2_COPYPEN) {
        Fill(state().brush, [&] { p_->drawRect(fillBox); });
        Stroke([&] { p_->drawRect(strokeBox); });
        EndRop2();
        return;
    }

    auto figure = [&](const QRectF& bx, bool forFill) {
        QPainterPath path;
        switch (kind) {
            case Shape::Rectangle: path.addRect(bx); break;
            case Shape::Ellipse: path.addEllipse(bx); break;
            case Shape::RoundRect: {
                CSize c(a.x, a.y);
                LPtoDP(c);
                path.addRoundedRect(bx, std::abs(c.cx) / 2.0, std::abs(c.cy) / 2.0);
                break;
            }
            case Shape::Arc:
            case Shape::Chord:
            case Shape::Pie: {
                CPoint pts[2] = {a, b};
                LPtoDP(pts, 2);
                const QPointF off = bx.topLeft() - box.topLeft();
                const double s = RadialAngle(box, QPointF(pts[0].x, pts[0].y));
                const double e = RadialAngle(box, QPointF(pts[1].x, pts[1].y));
                double sweep = e - s;
                if (state().arcDirection == AD_COUNTERCLOCKWISE) {
                    while (sweep <= 0) sweep += 360;
                } else {
                    while (sweep >= 0) sweep -= 360;
                }
                if (std::fabs(std::fmod(std::fabs(e - s), 360.0)) < 1e-9)
                    sweep = state().arcDirection == AD_COUNTERCLOCKWISE ? 360 : -360;
                const QRectF ebx = box.translated(off);
                if (kind == Shape::Pie) path.moveTo(ebx.center());
                else path.arcMoveTo(ebx, s);
                path.arcTo(ebx, s, sweep);
                if (kind != Shape::Arc || forFill) path.closeSubpath();
                break;
            }
        }
        return path;
    };
    if (kind != Shape::Arc) {
        QPainterPath fill = figure(pen ? strokeBox : box, true);
        if (pen && state().rop2 != R2_COPYPEN) {
            // Fill and outline must not overlap when they invert.
            QPainterPathStroker stroker;
            stroker.setWidth(DevicePenWidth());
            fill = fill.subtracted(stroker.createStroke(figure(strokeBox, false)));
        }
        Fill(state().brush, [&] { p_->drawPath(fill); });
    }
    const QPainterPath outline = figure(strokeBox, false);
    Stroke([&] { p_->drawPath(outline); });
    EndRop2();
}

// ---- fills ----

void CPainterDC::doFillRect(const CRect& r, const LOGBRUSH& brush) {
    const CRect d = ToDevice(*this, r);
    if (d.IsRectEmpty()) return;
    SyncClip();
    p_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QRect q = ToQ(d);
    if (brush.lbStyle == BS_SOLID) {
        p_->fillRect(q, vx::ToQColor(brush.lbColor));
        return;
    }
    Fill(brush, [&] { p_->drawRect(q); });
}

void CPainterDC::doFrameRect(const CRect& r, const LOGBRUSH& brush) {
    const CRect d = ToDevice(*this, r);
    if (d.IsRectEmpty()) return;
    // One logical unit wide, but never thinner than a pixel.
    const int bx = std::max(1, int(std::lround(std::fabs(ScaleX())))), by = std::max(1, int(std::lround(std::fabs(ScaleY()))));
    SyncClip();
    p_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    QRegion frame(ToQ(d));
    if (d.Width() > 2 * bx && d.Height() > 2 * by) frame -= QRegion(d.left + bx, d.top + by, d.Width() - 2 * bx, d.Height() - 2 * by);
    for (const QRect& part : frame) Fill(brush, [&] { p_->drawRect(part); });
}

void CPainterDC::doPatBlt(const CRect& r, uint32_t rop) {
    const CRect d = ToDevice(*this, r);
    if (d.IsRectEmpty()) return;
    SyncClip();
    const QRect q = ToQ(d);
    switch (rop) {
        case BLACKNESS: p_->fillRect(q, Qt::black); return;
        case WHITENESS: p_->fillRect(q, Qt::white); return;
        case DSTINVERT:
            if (!HasRasterOps()) return;
            p_->setCompositionMode(QPainter::RasterOp_NotDestination);
            p_->fillRect(q, Qt::black);
            EndRop2();
            return;
        case PATINVERT:
            if (HasRasterOps()) {
                p_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
                p_->setPen(Qt::NoPen);
                p_->setBrush(MakeBrush(state().brush, false));
                p_->drawRect(q);
                EndRop2();
                return;
            }
            break;
        default: break;
    }
    p_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    Fill(state().brush, [&] { p_->drawRect(q); });
}

void CPainterDC::doRegion(RgnOp op, const CRgn& rgn, const LOGBRUSH& brush, CSize frame) {
    if (rgn.IsEmpty()) return;
    QRegion area = rgn.region();
    if (op == RgnOp::Frame) {
        QRegion inner = area;
        inner &= area.translated(frame.cx, 0);
        inner &= area.translated(-frame.cx, 0);
        inner &= area.translated(0, frame.cy);
        inner &= area.translated(0, -frame.cy);
        area -= inner;
    }
    SyncClip();
    p_->save();
    const State& s = state();
    QRegion clip = area;
    if (s.hasClip) clip &= s.clip;
    if (baseClip_) clip &= *baseClip_;
    p_->setClipRegion(clip);
    const QRect box = area.boundingRect();
    if (op == RgnOp::Invert) {
        if (HasRasterOps()) {
            p_->setCompositionMode(QPainter::RasterOp_NotDestination);
            p_->fillRect(box, Qt::black);
        }
    } else {
        if (op == RgnOp::Paint && !BeginRop2(nullptr)) {
            p_->restore();
            return;
        }
        if (op != RgnOp::Paint) p_->setCompositionMode(QPainter::CompositionMode_SourceOver);
        Fill(brush, [&] { p_->drawRect(box); });
    }
    p_->restore();
}

void CPainterDC::doSetPixel(CPoint p, COLORREF color) {
    LPtoDP(p);
    SyncClip();
    QColor c = vx::ToQColor(color);
    if (!BeginRop2(&c)) return;
    p_->fillRect(QRect(p.x, p.y, 1, 1), c);
    EndRop2();
}

void CPainterDC::doSetPixels(const std::vector<CPoint>& points, COLORREF color) {
    // One clip and raster-operation set-up for all of them.
    if (points.empty()) return;
    SyncClip();
    QColor c = vx::ToQColor(color);
    if (!BeginRop2(&c)) return;
    for (CPoint p : points) {
        LPtoDP(p);
        p_->fillRect(QRect(p.x, p.y, 1, 1), c);
    }
    EndRop2();
}

// ---- text ----

QFont CPainterDC::CurrentQFont() const {
    QFont f = vx::ToQFont(DeviceFont());
    f.setKerning(false);
    return f;
}

void CPainterDC::doTextOut(CPoint p, std::string_view text, int underline) {
    if (text.empty()) return;
    LPtoDP(p);
    SyncClip();
    const State& s = state();
    const QFont font = CurrentQFont();
    const QFontMetricsF fm(font, device_);
    const QString str = vx::ToQString(text);
    const double w = fm.horizontalAdvance(str);
    // Reference point to the top-left corner of the text cell.
    double x = p.x, y = p.y;
    if ((s.textAlign & TA_CENTER) == TA_CENTER) x -= w / 2;
    else if (s.textAlign & TA_RIGHT) x -= w;
    if ((s.textAlign & TA_BASELINE) == TA_BASELINE) y -= fm.ascent();
    else if (s.textAlign & TA_BOTTOM) y -= fm.height();

    p_->save();
    p_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (s.font.lfEscapement != 0) {
        p_->translate(p.x, p.y);
        p_->rotate(-s.font.lfEscapement / 10.0);
        p_->translate(-p.x, -p.y);
    }
    if (s.bkMode == OPAQUE) p_->fillRect(QRectF(x, y, w, fm.height()), vx::ToQColor(s.bkColor));
    p_->setFont(font);
    p_->setPen(vx::ToQColor(s.textColor));
    p_->drawText(QPointF(x, y + fm.ascent()), str);
    if (underline >= 0 && size_t(underline) < text.size()) {
        const QString before = vx::ToQString(text.substr(0, size_t(underline)));
        const QString ch = vx::ToQString(text.substr(size_t(underline))).left(1);
        const double ux = x + fm.horizontalAdvance(before);
        const double uy = y + fm.ascent() + std::max(1.0, fm.underlinePos());
        p_->fillRect(QRectF(ux, std::floor(uy), fm.horizontalAdvance(ch), std::max(1.0, fm.lineWidth())), vx::ToQColor(s.textColor));
    }
    p_->restore();
}

double CPainterDC::doTextWidth(std::string_view text) {
    const QFontMetricsF fm(CurrentQFont(), device_);
    return fm.horizontalAdvance(vx::ToQString(text)) / std::max(1e-9, std::fabs(ScaleX()));
}

void CPainterDC::doTextMetrics(TEXTMETRIC& tm) {
    const QFont font = CurrentQFont();
    const QFontMetricsF fm(font, device_);
    const double sx = std::max(1e-9, std::fabs(ScaleX())), sy = std::max(1e-9, std::fabs(ScaleY()));
    tm = TEXTMETRIC{};
    tm.tmHeight = int(std::lround(fm.height() / sy));
    tm.tmAscent = int(std::lround(fm.ascent() / sy));
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
    tm.tmInternalLeading = std::max(0, int(std::lround((fm.height() - font.pixelSize()) / sy)));
    tm.tmExternalLeading = std::max(0, int(std::lround(fm.leading() / sy)));
    tm.tmAveCharWidth = std::max(1, int(std::lround(fm.averageCharWidth() / sx)));
    tm.tmMaxCharWidth = std::max(1, int(std::lround(fm.maxWidth() / sx)));
    const LOGFONT& lf = state().font;
    tm.tmWeight = lf.lfWeight ? lf.lfWeight : vx::FW_NORMAL;
    tm.tmItalic = lf.lfItalic;
    tm.tmUnderlined = lf.lfUnderline;
    tm.tmStruckOut = lf.lfStrikeOut;
}

// ---- bitmaps and device ----

void CPainterDC::doStretchDIBits(const CRect& dst, const QRect& src, const QImage& image, uint32_t rop) {
    CPoint pts[2] = {dst.TopLeft(), dst.BottomRight()};
    LPtoDP(pts, 2);
    const bool mirrorX = pts[1].x < pts[0].x, mirrorY = pts[1].y < pts[0].y;
    const CRect d = CRect(pts[0].x, pts[0].y, pts[1].x, pts[1].y).Normalized();
    if (d.IsRectEmpty()) return;
    SyncClip();
    p_->save();
    if (rop == SRCINVERT && HasRasterOps()) p_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    else p_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QImage part = image.copy(src);
    p_->drawImage(ToQ(d), (mirrorX || mirrorY) ? part.mirrored(mirrorX, mirrorY) : part);
    p_->restore();
}

int CPainterDC::doGetDeviceCaps(int index) const {
    if (!device_) return CDC::doGetDeviceCaps(index);
    switch (index) {
        case LOGPIXELSX: return device_->logicalDpiX();
        case LOGPIXELSY: return device_->logicalDpiY();
        case HORZRES: return device_->width();
        case VERTRES: return device_->height();
        case HORZSIZE: return device_->widthMM();
        case VERTSIZE: return device_->heightMM();
        default: return 0;
    }
}
