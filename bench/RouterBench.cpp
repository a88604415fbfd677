// Cost of routing one connector against pages of 100, 1,000 and 10,000
// obstacles (boxes of a jittered grid on a large page, the ends on two
// boxes several cells apart with boxes between), of rebuilding the scene
// after a change, and of rerouting 100 connectors after their shared
// object moved on a page of 1,000.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "route/Router.h"

using vx::route::CRouter;
using vx::route::RouteEnd;
using vx::route::SceneKey;

namespace {

constexpr int kPitch = 100;  // one box per kPitch x kPitch square

struct Layout {
    std::vector<CRect> boxes;
    int columns = 0;
    CRect page;
    const CRect& At(int col, int row) const { return boxes[size_t(row * columns + col)]; }
};

// Boxes 30..60 wide and high, one per square, placed at random inside it:
// they never overlap and leave lanes between them.
Layout MakeLayout(int count) {
    Layout l;
    l.columns = int(std::ceil(std::sqrt(double(count))));
    const int rows = (count + l.columns - 1) / l.columns;
    std::mt19937 rng{uint32_t(count)};
    std::uniform_int_distribution<int> size(30, 60);
    for (int i = 0; i < count; ++i) {
        const int w = size(rng), h = size(rng);
        const int x =
            (i % l.columns) * kPitch + std::uniform_int_distribution<int>(10, kPitch - w - 10)(rng);
        const int y =
            (i / l.columns) * kPitch + std::uniform_int_distribution<int>(10, kPitch - h - 10)(rng);
        l.boxes.push_back(CRect(x, y, x + w, y + h));
    }
    l.page = CRect(0, 0, l.columns * kPitch, rows * kPitch);
    return l;
}

SceneKey Key(const Layout& l, uint64_t revision) {
    static int owner;
    SceneKey key;
    key.owner = &owner;
    key.revision = revision;
    key.grid = CSize(10, 10);
    key.page = l.page;
    return key;
}

RouteEnd RightOf(const CRect& r) {
    return {CPoint(r.right, (r.top + r.bottom) / 2), 5};
}
RouteEnd LeftOf(const CRect& r) {
    return {CPoint(r.left, (r.top + r.bottom) / 2), 7};
}

// From a box near the middle to the box 6 columns right and 4 rows down:
// about 100 cells apart, with some 30 boxes in the search window.
void Ends(const Layout& l, RouteEnd& s, RouteEnd& e) {
    const int c = std::max(0, l.columns / 2 - 3), r = std::max(0, l.columns / 2 - 2);
    s = RightOf(l.At(c, r));
    e = LeftOf(l.At(c + 6, r + 4));
}

void Counters(benchmark::State& state, const CRouter& router, const vx::route::RouteResult& res) {
    state.counters["obstacles"] = double(router.obstacleCount());
    state.counters["points"] = double(res.points.size());
    state.counters["kind"] = double(int(res.kind));
    state.counters["window_cells"] = double(router.lastWindowCells());
}

// A route with the move flags already cached (the same route again).
void BM_RouteWarm(benchmark::State& state) {
    const Layout l = MakeLayout(int(state.range(0)));
    CRouter router;
    router.Prepare(Key(l, 1), [&] { return l.boxes; });
    RouteEnd s, e;
    Ends(l, s, e);
    vx::route::RouteResult res;
    for (auto _ : state) {
        res = router.Route(s, e);
        benchmark::DoNotOptimize(res.points.data());
    }
    Counters(state, router, res);
}
BENCHMARK(BM_RouteWarm)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// A route on a freshly built scene: every move flag computed anew.
void BM_RouteCold(benchmark::State& state) {
    const Layout l = MakeLayout(int(state.range(0)));
    CRouter router;
    RouteEnd s, e;
    Ends(l, s, e);
    vx::route::RouteResult res;
    uint64_t revision = 1;
    for (auto _ : state) {
        state.PauseTiming();
        router.Prepare(Key(l, revision++), [&] { return l.boxes; });
        state.ResumeTiming();
        res = router.Route(s, e);
        benchmark::DoNotOptimize(res.points.data());
    }
    Counters(state, router, res);
}
BENCHMARK(BM_RouteCold)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Rebuilding the scene (obstacle buckets) after the page changed.
void BM_Prepare(benchmark::State& state) {
    const Layout l = MakeLayout(int(state.range(0)));
    CRouter router;
    uint64_t revision = 1;
    for (auto _ : state) {
        router.Prepare(Key(l, revision++), [&] { return l.boxes; });
        benchmark::ClobberMemory();
    }
    state.counters["obstacles"] = double(router.obstacleCount());
}
BENCHMARK(BM_Prepare)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Ends more than the search limit apart across the page: the direct tests
// and the fallback, no search.
void BM_RouteFar(benchmark::State& state) {
    const Layout l = MakeLayout(int(state.range(0)));
    CRouter router;
    router.Prepare(Key(l, 1), [&] { return l.boxes; });
    const RouteEnd s = RightOf(l.boxes.front()), e = LeftOf(l.boxes.back());
    vx::route::RouteResult res;
    for (auto _ : state) {
        res = router.Route(s, e);
        benchmark::DoNotOptimize(res.points.data());
    }
    Counters(state, router, res);
}
BENCHMARK(BM_RouteFar)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// One box with 100 connectors to boxes around it moves: the scene is
// rebuilt once and all 100 are routed again on a page of 1,000 boxes.
void BM_Reroute100(benchmark::State& state) {
    Layout l = MakeLayout(1000);
    CRouter router;
    const int hub = 15 * l.columns + 15;
    std::vector<int> others;
    for (int dr = -5; dr <= 5 && others.size() < 100; ++dr)
        for (int dc = -5; dc <= 5 && others.size() < 100; ++dc)
            if (dr != 0 || dc != 0) others.push_back(hub + dr * l.columns + dc);
    uint64_t revision = 1;
    int shift = 0;
    for (auto _ : state) {
        shift = shift == 0 ? 5 : 0;
        l.boxes[size_t(hub)].OffsetRect(0, shift == 0 ? -5 : 5);
        router.Prepare(Key(l, revision++), [&] { return l.boxes; });
        for (int o : others) {
            const vx::route::RouteResult res =
                router.Route(RightOf(l.boxes[size_t(hub)]), LeftOf(l.boxes[size_t(o)]));
            benchmark::DoNotOptimize(res.points.data());
        }
    }
    state.counters["connectors"] = double(others.size());
}
BENCHMARK(BM_Reroute100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
