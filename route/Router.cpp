#include "route/Router.h"

namespace vx::route {

// The search state (obstacle index, move-flag cache, search window).
struct CRouter::Impl {};

CRouter::CRouter() : impl_(std::make_unique<Impl>()) {}
CRouter::~CRouter() = default;

CRouter& CRouter::Instance() {
    static CRouter router;
    return router;
}

bool CRouter::Prepare(const SceneKey& key, const std::function<std::vector<CRect>()>& obstacles) {
    if (valid_ && key == key_) return false;
    key_ = key;
    obstacles_ = obstacles ? obstacles() : std::vector<CRect>{};
    valid_ = true;
    ++rebuilds_;
    return true;
}

void CRouter::Invalidate() { valid_ = false; }

RouteResult CRouter::Route(const RouteEnd& s, const RouteEnd& e, int /*gridOffset*/, bool /*snapToCentre*/) {
    // Placeholder until the search lands: the one-bend path.
    RouteResult r;
    r.kind = RouteKind::kFallbackNoPath;
    r.points = {e.at, CPoint(e.at.x, s.at.y), s.at};
    return r;
}

}  // namespace vx::route
