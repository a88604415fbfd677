// Load, draw and save speed of a design of 10,000 class boxes, each with
// four attributes and four operations (compare vx_bench_designfile and
// vx_bench_render for plain objects).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "model/HyperOleDoc.h"
#include "model/HyperViewOb.h"
#include "platform/PainterDC.h"
#include "shapes/ShapeClasses.h"
#include "uml/ClassOb.h"
#include "uml/UmlClasses.h"
#include "view/PagePainter.h"

namespace {

constexpr int kBoxes = 10000;
constexpr int kWidth = 1920, kHeight = 1080;

// 100 columns by 100 rows of boxes big enough for their compartments, so
// drawing does not grow them.
std::unique_ptr<CMyDoc> MakeDesign() {
    auto doc = std::make_unique<CMyDoc>();
    CHyperPage& page = doc->mainPage();
    page.pageObject()->scrollWidth = 100 * 200;
    page.pageObject()->scrollHeight = 100 * 300;
    for (int i = 0; i < kBoxes; ++i) {
        auto owned = std::make_unique<CClassOb>();
        CClassOb* box = owned.get();
        box->SetCodeRaw("Class" + std::to_string(i + 1));
        page.Insert(std::move(owned));
        box->ApplyViewDefaults();
        const int x = (i % 100) * 200, y = (i / 100) * 300;
        box->SetRect(CRect(x, y, x + 180, y + 280));
        box->Update(1, 0);
        box->SetText("Class" + std::to_string(i + 1));
        box->attributes().text = "- id : int\n- name : String\n- created : Date\n- owner : User";
        box->operations().text = "+ open()\n+ close()\n+ rename(name)\n+ owner() : User";
    }
    return doc;
}

void Draw(CHyperPage& page, QImage& image, int zoom) {
    CPainterDC dc(&image);
    CPaintContext ctx;
    ctx.zoom = zoom;
    ctx.client = CSize(image.width(), image.height());
    const CPagePainter painter(page);
    painter.PrepareScreenDC(dc, ctx);
    painter.DrawObjects(dc, CRect(0, 0, image.width(), image.height()), ctx);
}

void BM_SaveClassBoxes(benchmark::State& state) {
    auto doc = MakeDesign();
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<uint8_t> data = doc->SaveToBytes();
        bytes = data.size();
        benchmark::DoNotOptimize(data.data());
    }
    state.SetItemsProcessed(state.iterations() * kBoxes);
    state.counters["file_bytes"] = double(bytes);
}
BENCHMARK(BM_SaveClassBoxes)->Unit(benchmark::kMillisecond);

void BM_LoadClassBoxes(benchmark::State& state) {
    const std::vector<uint8_t> data = MakeDesign()->SaveToBytes();
    for (auto _ : state) {
        CMyDoc doc;
        const LoadResult r = doc.LoadFromBytes(data);
        if (r.status != LoadResult::kOk) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(doc.mainPage().Count());
    }
    state.SetItemsProcessed(state.iterations() * kBoxes);
}
BENCHMARK(BM_LoadClassBoxes)->Unit(benchmark::kMillisecond);

void BM_DrawClassBoxes(benchmark::State& state) {
    auto doc = MakeDesign();
    const int zoom = int(state.range(0));
    // At zoom 10 the whole page (every box) fits into the image; at zoom
    // 100 a screen shows a few dozen boxes.
    QImage image = zoom == 100 ? QImage(kWidth, kHeight, QImage::Format_RGB32)
                               : QImage(100 * 200 * zoom / 100, 100 * 300 * zoom / 100, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        Draw(doc->mainPage(), image, zoom);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kBoxes);
    state.SetLabel(zoom == 100 ? "zoom 100, 1920 x 1080" : "all 10000 boxes at zoom 10");
}
BENCHMARK(BM_DrawClassBoxes)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    RegisterModelClasses();
    RegisterShapeClasses();
    RegisterUmlClasses();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
