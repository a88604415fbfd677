// Cost of one undo step on a page of 10,000 frames: taking the snapshot,
// applying it (which reads fresh objects), and the memory a step and the
// full history of 21 steps hold next to the design's file size.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "shapes/RectOb.h"
#include "shapes/ShapeClasses.h"
#include "view/UndoStep.h"

namespace {

constexpr int kObjects = 10000;

std::unique_ptr<CMyDoc> MakeDesign() {
    auto doc = std::make_unique<CMyDoc>();
    CHyperPage& page = doc->mainPage();
    for (int i = 0; i < kObjects; ++i) {
        auto ob = std::make_unique<CRectOb>();
        ob->SetCodeRaw("Frame" + std::to_string(i + 1));
        const int x = (i % 100) * 30, y = (i / 100) * 30;
        page.Insert(std::move(ob))->SetRect(CRect(x, y, x + 24, y + 24));
    }
    return doc;
}

// A full history (20 steps besides the current one) holds 21 steps; its
// target is at most 21 times the file, so a step may hold one file's size.
void Counters(benchmark::State& state, CMyDoc& doc, const CUndoStep& step) {
    const double file = double(doc.SaveToBytes().size());
    state.counters["step_bytes"] = double(step.ByteSize());
    state.counters["file_bytes"] = file;
    state.counters["history_bytes"] = double(step.ByteSize()) * double(vx::undo::kHistoryLimit + 1);
    state.counters["step_per_file"] = double(step.ByteSize()) / file;
}

void BM_TakeSnapshot(benchmark::State& state) {
    auto doc = MakeDesign();
    const std::vector<int> selection{0, 1, 2};
    for (auto _ : state) {
        CUndoStep step(doc->mainPage(), doc.get(), selection, vx::undo::kMoveResizeMouse);
        benchmark::DoNotOptimize(step.ByteSize());
    }
    Counters(state, *doc, CUndoStep(doc->mainPage(), doc.get(), selection, vx::undo::kMoveResizeMouse));
}

void BM_ApplySnapshot(benchmark::State& state) {
    auto doc = MakeDesign();
    const CUndoStep step(doc->mainPage(), doc.get(), {0, 1, 2}, vx::undo::kMoveResizeMouse);
    std::vector<int> selection;
    for (auto _ : state) {
        if (!step.Apply(doc->mainPage(), doc.get(), selection)) state.SkipWithError("the step did not apply");
        benchmark::DoNotOptimize(selection.data());
    }
    Counters(state, *doc, step);
}

}  // namespace

BENCHMARK(BM_TakeSnapshot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplySnapshot)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    RegisterModelClasses();
    RegisterShapeClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
