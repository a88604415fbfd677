// Joining a chain of straight lines (or connectors) into one polyline: the
// "Polyline" tool's parts and the lines the Group command joins.
#include <utility>

#include "model/Connection.h"
#include "shapes/PolyLineOb.h"

bool CPolyLineOb::ChainLines(const std::vector<CHyperOb*>& objects, std::vector<CPoint>* vertices) {
    const size_t n = objects.size();
    // n + 1 vertices must fit the stored count.
    if (n < 2 || n + 1 > kMaxPoints) return false;
    // Each object's ends as its record reports them with the direction
    // flag inverted: s[i] then e[i].
    std::vector<CPoint> s(n), e(n);
    for (size_t i = 0; i < n; ++i) {
        CConnection* c = objects[i] ? objects[i]->GetConnection() : nullptr;
        if (!c || !c->GetEnds(s[i], e[i], c->directionFlag ? 0 : 1)) return false;
    }
    const auto near = [](CPoint a, CPoint b) { return IsNear(a.x, a.y, b.x, b.y); };
    bool firstReversed = false;
    for (size_t i = 1; i < n; ++i) {
        for (;;) {
            if (near(e[i - 1], s[i])) break;
            if (near(e[i - 1], e[i])) {
                std::swap(s[i], e[i]);
                break;
            }
            // Only the first line may turn round, once, to meet the second.
            if (i != 1 || firstReversed) return false;
            std::swap(s[0], e[0]);
            firstReversed = true;
        }
    }
    if (!vertices) return true;
    std::vector<CPoint>& v = *vertices;
    v.assign(n + 1, CPoint());
    v[0] = s[0];
    // Where two ends meet (within the tolerance), their middle.
    for (size_t i = 1; i < n; ++i)
        v[i] = CPoint(int((int64_t(e[i - 1].x) + s[i].x) / 2),
                      int((int64_t(e[i - 1].y) + s[i].y) / 2));
    // A last end near the start closes the contour exactly.
    v[n] = near(e[n - 1], v[0]) ? v[0] : e[n - 1];
    return true;
}

void CPolyLineOb::OnPointsReplaced(const std::vector<CHyperOb*>& objects) {
    std::vector<CPoint> pts;
    if (ChainLines(objects, &pts)) SetPagePoints(pts);
}
