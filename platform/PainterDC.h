// The device context on a QPainter: draws into any QPaintDevice (QImage,
// widget, QPdfWriter, QSvgGenerator). Coordinates are converted to device
// units by CDC and drawn without a painter transform, so lines, hatches
// and pixels land exactly on device pixels.
#pragma once

#include <QPainter>
#include <memory>
#include <optional>

#include "platform/DC.h"

class QPaintDevice;

class CPainterDC : public CDC {
public:
    // Paints on `device` with a painter of its own (ended on destruction).
    explicit CPainterDC(QPaintDevice* device);
    // Paints with a painter that the caller has begun (a widget's paint
    // event); the painter's state is restored on destruction.
    explicit CPainterDC(QPainter* painter);
    ~CPainterDC() override;

    // Printers, PDF and SVG output print; a QImage can be made to print
    // too (export renders "as printed" into images).
    void SetPrinting(bool printing);
    QPainter* painter() const { return p_; }

protected:
    void doLine(CPoint from, CPoint to) override;
    void doPoly(Poly kind, const CPoint* pts, const int* counts, int polygons) override;
    void doShape(Shape kind, const CRect& r, CPoint a, CPoint b) override;
    void doFillRect(const CRect& r, const LOGBRUSH& brush) override;
    void doFrameRect(const CRect& r, const LOGBRUSH& brush) override;
    void doPatBlt(const CRect& r, uint32_t rop) override;
    void doRegion(RgnOp op, const CRgn& rgn, const LOGBRUSH& brush, CSize frame) override;
    void doSetPixel(CPoint p, COLORREF color) override;
    void doSetPixels(const std::vector<CPoint>& points, COLORREF color) override;
    void doTextOut(CPoint p, std::string_view text, int underline) override;
    double doTextWidth(std::string_view text) override;
    void doTextMetrics(TEXTMETRIC& tm) override;
    void doStretchDIBits(const CRect& dst, const QRect& src, const QImage& image, uint32_t rop) override;
    int doGetDeviceCaps(int index) const override;

private:
    void Init();
    // Applies the clipping of the state when it changed.
    void SyncClip();
    // Composition mode for the current ROP2 (copy where the surface has no
    // raster operations); false for R2_NOP. R2_BLACK/R2_WHITE replace
    // `color` when given.
    bool BeginRop2(QColor* color);
    void EndRop2();
    QPen MakePen(bool gaps) const;
    QBrush MakeBrush(const LOGBRUSH& lb, bool gaps) const;
    // Runs `draw` with the brush `lb` set (first with the background colour
    // for the gaps of hatches in OPAQUE mode).
    template <typename F>
    void Fill(const LOGBRUSH& lb, F&& draw);
    // Runs `draw` with the current pen set (first with the background
    // colour for the gaps of styled pens in OPAQUE mode).
    template <typename F>
    void Stroke(F&& draw);
    QFont CurrentQFont() const;

    std::unique_ptr<QPainter> own_;
    QPainter* p_ = nullptr;
    QPaintDevice* device_ = nullptr;
    unsigned clipSeen_ = ~0u;
    // Clipping of a borrowed painter, kept under ours.
    std::optional<QRegion> baseClip_;
};
