// Device contexts without a surface: CRecordingDC writes every drawing
// call as a line of text (for tests of what shapes draw), CBoundsDC
// collects the device-unit bounds of everything drawn.
#pragma once

#include <string>
#include <vector>

#include "platform/DC.h"

// Text measures of both: a fixed-pitch stand-in font whose characters are
// half as wide as its height, so layouts are the same on every machine.
class CRecordingDC : public CDC {
public:
    // A surface of `size` device pixels at `dpi` dots per inch.
    explicit CRecordingDC(CSize size = {1000, 1000}, int dpi = 96);

    void SetPrinting(bool printing) { setPrinting(printing); }
    // One line per call, e.g. "Rectangle 0,0,10,10 pen=0/1/#000000 brush=solid/#FFFFFF".
    const std::vector<std::string>& lines() const { return lines_; }
    // All lines joined with '\n'.
    std::string Text() const;
    void Clear() { lines_.clear(); }

protected:
    void doLine(CPoint from, CPoint to) override;
    void doPoly(Poly kind, const CPoint* pts, const int* counts, int polygons) override;
    void doShape(Shape kind, const CRect& r, CPoint a, CPoint b) override;
    void doFillRect(const CRect& r, const LOGBRUSH& brush) override;
    void doFrameRect(const CRect& r, const LOGBRUSH& brush) override;
    void doPatBlt(const CRect& r, uint32_t rop) override;
    void doRegion(RgnOp op, const CRgn& rgn, const LOGBRUSH& brush, CSize frame) override;
    void doSetPixel(CPoint p, COLORREF color) override;
    void doTextOut(CPoint p, std::string_view text, int underline) override;
    void doDrawText(std::string_view text, const CRect& r, unsigned format) override;
    void doStretchDIBits(const CRect& dst, const QRect& src, const QImage& image, uint32_t rop) override;
    int doGetDeviceCaps(int index) const override;

private:
    std::string PenText() const;
    std::string BrushText(const LOGBRUSH& b) const;
    std::string Modes() const;
    void Add(std::string line);

    std::vector<std::string> lines_;
    CSize size_;
    int dpi_;
};

class CBoundsDC : public CDC {
public:
    explicit CBoundsDC(CSize size = {1000, 1000}, int dpi = 96);
    // Union of everything drawn, in device units (empty when nothing was).
    const CRect& Bounds() const { return bounds_; }
    // The same in logical units of the current mapping.
    CRect LogicalBounds() const;
    void Reset() { bounds_.SetRectEmpty(); }

protected:
    void doLine(CPoint from, CPoint to) override;
    void doPoly(Poly kind, const CPoint* pts, const int* counts, int polygons) override;
    void doShape(Shape kind, const CRect& r, CPoint a, CPoint b) override;
    void doFillRect(const CRect& r, const LOGBRUSH& brush) override;
    void doPatBlt(const CRect& r, uint32_t rop) override;
    void doRegion(RgnOp op, const CRgn& rgn, const LOGBRUSH& brush, CSize frame) override;
    void doSetPixel(CPoint p, COLORREF color) override;
    void doTextOut(CPoint p, std::string_view text, int underline) override;
    void doStretchDIBits(const CRect& dst, const QRect& src, const QImage& image, uint32_t rop) override;
    int doGetDeviceCaps(int index) const override;

private:
    // Adds a device rectangle, cut to the clipping.
    void AddDevice(CRect r);
    void AddLogical(CRect r, int grow);

    CRect bounds_;
    CSize size_;
    int dpi_;
};
