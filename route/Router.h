// The orthogonal router that lays out connectors: one shared instance that
// keeps a description of the obstacles of the page it last worked on and
// finds paths of horizontal and vertical segments on the page's grid.
//
// It knows nothing of design objects: the connector hands it the grid, the
// usable page rectangle and the obstacle rectangles (through a provider
// that runs only when the cached scene is stale), and the two ends with
// the types of the snap points they hang on.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Geometry.h"

namespace vx::route {

// Obstacles are grown by this margin on every side.
constexpr int kObstacleMargin = 10;
// A search never looks at paths longer than this many cells.
constexpr int kSearchLimit = 150;

// Snap point types an end may hang on (the side it may leave by): 0..8;
// kFreeEnd for an end on no snap point.
constexpr int kFreeEnd = -1;

// What identifies a scene: when every field is unchanged since the last
// call, the cached obstacles are reused without asking the provider.
struct SceneKey {
    const void* owner = nullptr;  // the page (or view) routed on
    uint64_t revision = 0;        // its geometry revision
    CSize grid{10, 10};           // cell width and height (each >= 1)
    CRect page;                   // usable page rectangle (margins removed)
    bool operator==(const SceneKey&) const = default;
};

// How a path was found.
enum class RouteKind {
    kOutside,        // an end or exit point lies outside the page: one bend
    kDirect,         // a free one-bend path
    kSearched,       // found by the search
    kCentreTable,    // snapping to centres: the fixed shape table
    kFallbackFar,    // ends more than kSearchLimit cells apart: one bend
    kFallbackBlocked,// an exit cell allows no move: one bend
    kFallbackNoPath, // the search found nothing within its limits: one bend
};

struct RouteEnd {
    CPoint at;
    int snapType = kFreeEnd;
};

struct RouteResult {
    // From the target end E to the start end S (first point E, last S).
    std::vector<CPoint> points;
    RouteKind kind = RouteKind::kDirect;
    // The path is the fallback one-bend path rather than a routed one.
    bool FellBack() const {
        return kind == RouteKind::kFallbackFar || kind == RouteKind::kFallbackBlocked ||
               kind == RouteKind::kFallbackNoPath;
    }
};

class CRouter {
public:
    CRouter();
    ~CRouter();
    CRouter(const CRouter&) = delete;
    CRouter& operator=(const CRouter&) = delete;

    // The one router of the program.
    static CRouter& Instance();

    // Makes `key`'s scene current; `obstacles` is called for the object
    // rectangles only when the key differs from the cached one. Returns
    // whether the cache was rebuilt.
    bool Prepare(const SceneKey& key, const std::function<std::vector<CRect>()>& obstacles);
    // Drops the cache (the next Prepare rebuilds).
    void Invalidate();

    // Routes from start end `s` to target end `e` in the current scene.
    // `gridOffset` is added to the inner points (the grid offset of the
    // snap point the connector starts at); `snapToCentre` selects the
    // fixed shape table instead of the search. Never loops without end and
    // never allocates beyond the search window.
    RouteResult Route(const RouteEnd& s, const RouteEnd& e, int gridOffset = 0, bool snapToCentre = false);

    const SceneKey& key() const { return key_; }
    size_t obstacleCount() const { return obstacles_.size(); }
    // How many times the scene was rebuilt (tests, benchmarks).
    uint64_t rebuildCount() const { return rebuilds_; }
    // Cells of the last search window (0 when the last route did not
    // search) and the move flags cached so far.
    size_t lastWindowCells() const;
    size_t flagCacheSize() const;

private:
    SceneKey key_;
    bool valid_ = false;
    std::vector<CRect> obstacles_;
    uint64_t rebuilds_ = 0;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vx::route
