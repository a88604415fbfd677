// Repaint speed of the page view: a page of 10,000 plain objects, each
// painting its rectangle, drawn into a 1920 x 1080 image at zoom 100 in the
// order of a screen repaint (background, grid layer, objects back to front).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "model/HyperOb.h"
#include "model/HyperPage.h"
#include "model/HyperViewOb.h"
#include "platform/PainterDC.h"
#include "view/PagePainter.h"

namespace {

// A plain object that paints its rectangle with the current pen and brush.
class CBoxOb : public CHyperOb {
public:
    void DrawShape(CDC& dc) override { dc.Rectangle(Rect()); }
};

constexpr int kObjects = 10000;
constexpr int kWidth = 1920, kHeight = 1080;

void FillPage(CHyperPage& page) {
    page.pageObject()->scrollWidth = kWidth;
    page.pageObject()->scrollHeight = kHeight;
    // 100 columns by 100 rows covering the image.
    for (int i = 0; i < kObjects; ++i) {
        const int col = i % 100, row = i / 100;
        const int x = col * kWidth / 100, y = row * kHeight / 100;
        CHyperOb* ob = page.Insert(std::make_unique<CBoxOb>());
        ob->SetRect(CRect(x, y, x + 17, y + 9));
    }
}

void Repaint(CHyperPage& page, QImage& image, bool grid) {
    CPainterDC dc(&image);
    CPaintContext ctx;
    ctx.zoom = 100;
    ctx.client = CSize(kWidth, kHeight);
    const CPagePainter painter(page);
    dc.SaveDC();
    painter.EraseBackground(dc);
    if (grid) painter.DrawGrid(dc, ctx);
    dc.RestoreDC(-1);
    painter.PrepareScreenDC(dc, ctx);
    painter.DrawObjects(dc, CRect(0, 0, kWidth, kHeight), ctx);
}

void BM_RepaintPage(benchmark::State& state) {
    const bool grid = state.range(0) != 0;
    CHyperPage page;
    FillPage(page);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        Repaint(page, image, grid);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kObjects);
    state.SetLabel(grid ? "background, grid, 10000 objects" : "background, 10000 objects");
}
BENCHMARK(BM_RepaintPage)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
