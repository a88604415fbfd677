// A freehand stroke in device pixels: closing it when it ends near its
// start, and thinning it to the points where its direction turns. Pure
// functions, tested without a window; the freehand view records the stroke.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/Geometry.h"

namespace vx::edit {

// The most points a stroke keeps (what one polyline can store).
constexpr size_t kMaxStrokePoints = 65535;
// A stroke whose ends are at most this many pixels apart closes.
constexpr double kStrokeClosingDistance = 10.0;
// An inner point stays when both its segments are at least this long ...
constexpr double kStrokeMinSegment = 1.0;
// ... and the direction turns there by at least this many degrees.
constexpr double kStrokeMinTurnDegrees = 5.0;

// The points a finished stroke becomes: none for fewer than two points;
// otherwise the first point is appended again when the last lies within
// `closingDistance` of it, then the stroke is thinned: first and last stay,
// an inner point stays only when both segments meeting at it are at least
// kStrokeMinSegment long and the direction turns there by at least
// kStrokeMinTurnDegrees.
std::vector<CPoint> FinishStroke(const std::vector<CPoint>& stroke,
                                 double closingDistance = kStrokeClosingDistance);

// The thinning step alone. Repeated samples count once, so a pause at a
// corner keeps the corner.
std::vector<CPoint> ThinStroke(const std::vector<CPoint>& samples);

}  // namespace vx::edit
