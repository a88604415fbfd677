// The image editor's heavy tools on a 4096 x 4096 image: a flood fill of
// the whole single-colour image and one pen stroke across it.
#include <benchmark/benchmark.h>

#include "paint/PntDraw.h"
#include "paint/PntUndo.h"

namespace {

constexpr int kSide = 4096;

void BM_FloodFill(benchmark::State& state) {
    CDIBSection img;
    img.CreateImage(kSide, kSide, 1, int(state.range(0)));
    bool black = true;
    for (auto _ : state) {
        const int64_t n = vx::pnt::FloodFill(img, {kSide / 2, kSide / 2}, black ? vx::RGB(0, 0, 0) : vx::RGB(255, 255, 255));
        benchmark::DoNotOptimize(n);
        black = !black;
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kSide) * kSide);
}
BENCHMARK(BM_FloodFill)->Arg(8)->Arg(24)->Arg(32)->Unit(benchmark::kMillisecond);

// A freehand stroke: the mouse moves 8 pixels at a time along the diagonal
// and a loop, as the pen tool draws it segment by segment.
void BM_PenStroke(benchmark::State& state) {
    CDIBSection img;
    img.CreateImage(kSide, kSide, 1, 24);
    const int width = int(state.range(0));
    for (auto _ : state) {
        CPoint last(0, 0);
        for (int i = 8; i < kSide; i += 8) {
            const CPoint next(i, (i * 7 / 8) ^ 5);
            vx::pnt::Line(img, last, next, width, vx::RGB(255, 0, 0));
            last = next;
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PenStroke)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

// The snapshot a stroke files before it starts.
void BM_Snapshot(benchmark::State& state) {
    CDIBSection img;
    img.CreateImage(kSide, kSide, 1, 24);
    CPntUndoHistory history;
    for (auto _ : state) history.Save(img);
}
BENCHMARK(BM_Snapshot)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
