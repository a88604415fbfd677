// The pixel work of the painting tools, on a CDIBSection and without any
// window: dots, lines, rectangles, rounded rectangles and ellipses (outlined
// or filled), the flood fill, the airbrush and text. Everything is clipped to
// the image; colours map to the image's depth (the nearest table entry).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "paint/DIBSection.h"
#include "platform/LogFont.h"

namespace vx::pnt {

// The rectangle a shape tool spans between two points: normalised and
// grown by one pixel to the right and at the bottom, so that both points
// lie inside it.
CRect ShapeRect(CPoint a, CPoint b);
// The corner ellipse of a rounded rectangle: a third of its width by a
// third of its height.
CSize RoundCorner(const CRect& r);

// A dot of size s: one pixel for 1, else a round blot s pixels across.
void Dot(CDIBSection& image, CPoint p, int size, COLORREF color);
// A line of `width` from a to b with both end pixels set (one pixel when
// they are equal).
void Line(CDIBSection& image, CPoint a, CPoint b, int width, COLORREF color);
// `r` excludes its right and bottom edge. Outlines are `width` pixels wide,
// centred on the edge; filled shapes cover the whole rectangle.
void Rectangle(CDIBSection& image, const CRect& r, int width, COLORREF color, bool filled);
// Nothing for a rectangle without width or height.
void RoundRect(CDIBSection& image, const CRect& r, int width, COLORREF color, bool filled);
void Ellipse(CDIBSection& image, const CRect& r, int width, COLORREF color, bool filled);
void FillRect(CDIBSection& image, const CRect& r, COLORREF color);
// What the eraser and the clear command paint: the transparency colour, or
// palette-relative white when there is none (-1).
constexpr COLORREF EraseColor(COLORREF transparency) { return transparency == -1 ? kPaletteWhite : transparency; }

// Fills the 4-connected area of the pixel's value with `color` (a span
// fill with its own stack, so any image size is safe). Returns the number
// of pixels changed; 0 outside the image or when the area already has the
// fill value.
int64_t FloodFill(CDIBSection& image, CPoint p, COLORREF color);

// The airbrush's random source: a small generator with a settable seed, so
// that a spray can be repeated.
class CPntRandom {
public:
    explicit CPntRandom(uint32_t seed = 1) { Seed(seed); }
    void Seed(uint32_t seed) { state_ = seed ? seed : 0x9E3779B9u; }
    // 0 .. 2^31-1.
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ & 0x7FFFFFFFu;
    }

private:
    uint32_t state_ = 1;
};
inline constexpr int kAirbrushDots = 10;
inline constexpr int kAirbrushRadiusFactor = 4;
// One burst: `dots` dots, each at (random mod 360) degrees and (random mod
// (4 * pen width)) pixels from p.
void Spray(CDIBSection& image, CPoint p, int penWidth, COLORREF color, CPntRandom& random,
           int dots = kAirbrushDots);

// Text as the layout of the device context's DrawText lays it out in `r`
// with `format` and `font`, in `color`, without smoothing. False when the
// text could not be drawn (the image is then unchanged).
bool Text(CDIBSection& image, const CRect& r, const std::string& text, unsigned format, const LOGFONT& font,
          COLORREF color);

}  // namespace vx::pnt
