#include "edit/Stroke.h"

#include <algorithm>
#include <cmath>

namespace vx::edit {

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

std::vector<CPoint> ThinStroke(const std::vector<CPoint>& samples) {
    // A repeated sample (the mouse paused) counts once: its zero-length
    // segment would otherwise drop the point where the stroke turned.
    std::vector<CPoint> stroke;
    stroke.reserve(samples.size());
    for (const CPoint& p : samples)
        if (stroke.empty() || stroke.back() != p) stroke.push_back(p);
    if (stroke.size() < 3)
        return samples.size() < 2 ? samples : std::vector<CPoint>{samples.front(), samples.back()};
    std::vector<CPoint> out;
    out.reserve(stroke.size());
    out.push_back(stroke.front());
    for (size_t i = 1; i + 1 < stroke.size(); ++i) {
        const CPoint a = stroke[i - 1], b = stroke[i], c = stroke[i + 1];
        const double ux = double(b.x) - a.x, uy = double(b.y) - a.y;
        const double vx = double(c.x) - b.x, vy = double(c.y) - b.y;
        const double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
        if (lu < kStrokeMinSegment || lv < kStrokeMinSegment) continue;
        // Clamped: rounding may take the cosine of a straight run past 1.
        const double cosine = std::clamp((ux * vx + uy * vy) / (lu * lv), -1.0, 1.0);
        if (std::acos(cosine) * 180.0 / kPi >= kStrokeMinTurnDegrees) out.push_back(b);
    }
    out.push_back(stroke.back());
    return out;
}

std::vector<CPoint> FinishStroke(const std::vector<CPoint>& stroke, double closingDistance) {
    if (stroke.size() < 2) return {};
    std::vector<CPoint> pts = stroke;
    const CPoint first = pts.front(), last = pts.back();
    if (std::hypot(double(last.x) - first.x, double(last.y) - first.y) <= closingDistance)
        pts.push_back(first);
    return ThinStroke(pts);
}

}  // namespace vx::edit
