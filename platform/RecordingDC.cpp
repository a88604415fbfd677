#include "platform/RecordingDC.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Hex(COLORREF c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", vx::GetRValue(c), vx::GetGValue(c), vx::GetBValue(c));
    return buf;
}

std::string Pt(CPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

std::string Rc(const CRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

const char* PenStyleName(int s) {
    switch (s) {
        case PS_SOLID: return "solid";
        case PS_DASH: return "dash";
        case PS_DOT: return "dot";
        case PS_DASHDOT: return "dashdot";
        case PS_DASHDOTDOT: return "dashdotdot";
        case PS_NULL: return "null";
        case PS_INSIDEFRAME: return "insideframe";
        default: return "style?";
    }
}

const char* RopName(int r) {
    switch (r) {
        case R2_BLACK: return "R2_BLACK";
        case R2_NOT: return "R2_NOT";
        case R2_XORPEN: return "R2_XORPEN";
        case R2_NOTXORPEN: return "R2_NOTXORPEN";
        case R2_NOP: return "R2_NOP";
        case R2_WHITE: return "R2_WHITE";
        default: return "R2_?";
    }
}

const char* PatRopName(uint32_t rop) {
    switch (rop) {
        case PATCOPY: return "PATCOPY";
        case PATINVERT: return "PATINVERT";
        case DSTINVERT: return "DSTINVERT";
        case BLACKNESS: return "BLACKNESS";
        case WHITENESS: return "WHITENESS";
        case SRCCOPY: return "SRCCOPY";
        case SRCINVERT: return "SRCINVERT";
        default: return "ROP?";
    }
}

std::string Points(const CPoint* pts, const int* counts, int polygons) {
    std::string s;
    int at = 0;
    for (int k = 0; k < polygons; ++k) {
        std::string one;
        for (int i = 0; i < counts[k]; ++i) {
            if (i) one += ' ';
            one += Pt(pts[at + i]);
        }
        at += counts[k];
        if (polygons > 1) one = "[" + one + "]";
        s += (k ? " " : "") + one;
    }
    return s;
}

int Caps(int index, CSize size, int dpi) {
    switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY: return dpi;
        case HORZRES: return size.cx;
        case VERTRES: return size.cy;
        case HORZSIZE: return int(std::lround(size.cx * 25.4 / dpi));
        case VERTSIZE: return int(std::lround(size.cy * 25.4 / dpi));
        default: return 0;
    }
}

}  // namespace

// ---- CRecordingDC ----

CRecordingDC::CRecordingDC(CSize size, int dpi) : size_(size), dpi_(dpi > 0 ? dpi : 96) {}

std::string CRecordingDC::Text() const {
    std::string out;
    for (const std::string& l : lines_) {
        if (!out.empty()) out += '\n';
        out += l;
    }
    return out;
}

void CRecordingDC::Add(std::string line) { lines_.push_back(std::move(line)); }

std::string CRecordingDC::PenText() const {
    const LOGPEN& p = state().pen;
    if (p.lopnStyle == PS_NULL) return "pen=null";
    return std::string("pen=") + PenStyleName(p.lopnStyle) + "/" + std::to_string(p.lopnWidth.x) + "/" + Hex(p.lopnColor);
}

std::string CRecordingDC::BrushText(const LOGBRUSH& b) const {
    switch (b.lbStyle) {
        case BS_SOLID: return "brush=solid/" + Hex(b.lbColor);
        case BS_HATCHED: return "brush=hatch" + std::to_string(b.lbHatch) + "/" + Hex(b.lbColor);
        case BS_HALFTONE: return "brush=halftone";
        default: return "brush=null";
    }
}

// The raster operation when it is not plain copying, and the background
// when styled pens or hatches show it.
std::string CRecordingDC::Modes() const {
    const State& s = state();
    std::string m;
    if (s.rop2 != R2_COPYPEN) m += std::string(" rop=") + RopName(s.rop2);
    const bool gaps = (s.pen.lopnStyle >= PS_DASH && s.pen.lopnStyle <= PS_DASHDOTDOT) || s.brush.lbStyle == BS_HATCHED;
    if (gaps) m += s.bkMode == OPAQUE ? " bk=" + Hex(s.bkColor) : std::string(" bk=transparent");
    return m;
}

void CRecordingDC::doLine(CPoint from, CPoint to) { Add("Line " + Pt(from) + "," + Pt(to) + " " + PenText() + Modes()); }

void CRecordingDC::doPoly(Poly kind, const CPoint* pts, const int* counts, int polygons) {
    if (kind == Poly::Polyline) Add("Polyline " + Points(pts, counts, polygons) + " " + PenText() + Modes());
    else Add("Polygon " + Points(pts, counts, polygons) + " " + PenText() + " " + BrushText(state().brush) + Modes());
}

void CRecordingDC::doShape(Shape kind, const CRect& r, CPoint a, CPoint b) {
    const char* names[] = {"Rectangle", "RoundRect", "Ellipse", "Arc", "Chord", "Pie"};
    std::string line = std::string(names[int(kind)]) + " " + Rc(r);
    if (kind == Shape::RoundRect) line.append(" corner=").append(Pt(a));
    if (kind == Shape::Arc || kind == Shape::Chord || kind == Shape::Pie)
        line.append(" start=").append(Pt(a)).append(" end=").append(Pt(b));
    line.append(" ").append(PenText());
    if (kind != Shape::Arc) line.append(" ").append(BrushText(state().brush));
    line.append(Modes());
    Add(std::move(line));
}

void CRecordingDC::doFillRect(const CRect& r, const LOGBRUSH& brush) { Add("FillRect " + Rc(r) + " " + BrushText(brush)); }

void CRecordingDC::doFrameRect(const CRect& r, const LOGBRUSH& brush) { Add("FrameRect " + Rc(r) + " " + BrushText(brush)); }

void CRecordingDC::doPatBlt(const CRect& r, uint32_t rop) {
    Add("PatBlt " + Rc(r) + " " + PatRopName(rop) + " " + BrushText(state().brush));
}

void CRecordingDC::doRegion(RgnOp op, const CRgn& rgn, const LOGBRUSH& brush, CSize frame) {
    CRect box;
    rgn.GetRgnBox(box);
    switch (op) {
        case RgnOp::Fill: Add("FillRgn " + Rc(box) + " " + BrushText(brush)); break;
        case RgnOp::Paint: Add("PaintRgn " + Rc(box) + " " + BrushText(brush) + Modes()); break;
        case RgnOp::Invert: Add("InvertRgn " + Rc(box)); break;
        case RgnOp::Frame: Add("FrameRgn " + Rc(box) + " " + BrushText(brush) + " size=" + Pt({frame.cx, frame.cy})); break;
    }
}

void CRecordingDC::doSetPixel(CPoint p, COLORREF color) {
    std::string line = "SetPixel " + Pt(p) + " " + Hex(color);
    if (state().rop2 != R2_COPYPEN) line += std::string(" rop=") + RopName(state().rop2);
    Add(line);
}

void CRecordingDC::doTextOut(CPoint p, std::string_view text, int /*underline*/) {
    if (inDrawText()) return;  // DrawText was recorded as one line
    const State& s = state();
    std::string line = "TextOut " + Pt(p) + " \"" + std::string(text) + "\" color=" + Hex(s.textColor);
    if (s.bkMode == OPAQUE) line += " bk=" + Hex(s.bkColor);
    Add(line);
}

void CRecordingDC::doDrawText(std::string_view text, const CRect& r, unsigned format) {
    char fmt[16];
    std::snprintf(fmt, sizeof fmt, "0x%X", format);
    Add("DrawText " + Rc(r) + " fmt=" + fmt + " \"" + std::string(text) + "\" color=" + Hex(state().textColor));
}

void CRecordingDC::doStretchDIBits(const CRect& dst, const QRect& src, const QImage& image, uint32_t rop) {
    Add("StretchDIBits " + Rc(dst) + " src=" + Rc(CRect(src.x(), src.y(), src.x() + src.width(), src.y() + src.height())) +
        " image=" + std::to_string(image.width()) + "x" + std::to_string(image.height()) + " " + PatRopName(rop));
}

int CRecordingDC::doGetDeviceCaps(int index) const { return Caps(index, size_, dpi_); }

// ---- CBoundsDC ----

CBoundsDC::CBoundsDC(CSize size, int dpi) : size_(size), dpi_(dpi > 0 ? dpi : 96) {}

CRect CBoundsDC::LogicalBounds() const {
    CRect r = bounds_;
    if (r.IsRectEmpty()) return r;
    DPtoLP(r);
    r.NormalizeRect();
    return r;
}

void CBoundsDC::AddDevice(CRect r) {
    r.NormalizeRect();
    if (r.IsRectEmpty()) return;
    if (HasClip()) {
        const QRect c = ClipRegion().boundingRect();
        if (ClipRegion().isEmpty()) return;
        if (!r.IntersectRect(r, CRect(c.left(), c.top(), c.right() + 1, c.bottom() + 1))) return;
    }
    bounds_.UnionRect(bounds_, r);
}

void CBoundsDC::AddLogical(CRect r, int grow) {
    LPtoDP(r);
    r.NormalizeRect();
    r.InflateRect(grow, grow);
    AddDevice(r);
}

void CBoundsDC::doLine(CPoint from, CPoint to) {
    const int w = DevicePenWidth();
    if (w == 0) return;
    CRect r(std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x), std::max(from.y, to.y));
    LPtoDP(r);
    r.NormalizeRect();
    r.right += 1;
    r.bottom += 1;
    r.InflateRect(w / 2, w / 2);
    AddDevice(r);
}

void CBoundsDC::doPoly(Poly, const CPoint* pts, const int* counts, int polygons) {
    int n = 0;
    for (int k = 0; k < polygons; ++k) n += counts[k];
    if (n == 0) return;
    CRect r(pts[0].x, pts[0].y, pts[0].x, pts[0].y);
    for (int i = 1; i < n; ++i) {
        r.left = std::min(r.left, pts[i].x);
        r.top = std::min(r.top, pts[i].y);
        r.right = std::max(r.right, pts[i].x);
        r.bottom = std::max(r.bottom, pts[i].y);
    }
    LPtoDP(r);
    r.NormalizeRect();
    r.right += 1;
    r.bottom += 1;
    const int w = DevicePenWidth() / 2;
    r.InflateRect(w, w);
    AddDevice(r);
}

void CBoundsDC::doShape(Shape, const CRect& r, CPoint, CPoint) { AddLogical(r.Normalized(), DevicePenWidth() / 2); }

void CBoundsDC::doFillRect(const CRect& r, const LOGBRUSH& brush) {
    if (brush.lbStyle != BS_NULL) AddLogical(r.Normalized(), 0);
}

void CBoundsDC::doPatBlt(const CRect& r, uint32_t) { AddLogical(r, 0); }

void CBoundsDC::doRegion(RgnOp, const CRgn& rgn, const LOGBRUSH&, CSize) {
    CRect box;
    rgn.GetRgnBox(box);
    AddDevice(box);
}

void CBoundsDC::doSetPixel(CPoint p, COLORREF) {
    LPtoDP(p);
    AddDevice(CRect(p.x, p.y, p.x + 1, p.y + 1));
}

void CBoundsDC::doTextOut(CPoint p, std::string_view text, int) {
    const CSize ext = GetTextExtent(text);
    const unsigned a = GetTextAlign();
    int x = p.x, y = p.y;
    if ((a & TA_CENTER) == TA_CENTER) x -= ext.cx / 2;
    else if (a & TA_RIGHT) x -= ext.cx;
    TEXTMETRIC tm;
    GetTextMetrics(tm);
    if ((a & TA_BASELINE) == TA_BASELINE) y -= tm.tmAscent;
    else if (a & TA_BOTTOM) y -= ext.cy;
    AddLogical(CRect(x, y, x + ext.cx, y + ext.cy), 0);
}

void CBoundsDC::doStretchDIBits(const CRect& dst, const QRect&, const QImage&, uint32_t) { AddLogical(dst.Normalized(), 0); }

int CBoundsDC::doGetDeviceCaps(int index) const { return Caps(index, size_, dpi_); }
