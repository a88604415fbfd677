// Speed of the edit view's mouse work on big pages, driven through Qt mouse
// events on the view (offscreen): a click's hit test on 10,000 objects, a
// rubber band over 10,000 objects, and one mouse-move step (with its
// repaint) of a drag of 1,000 selected objects.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>

#include "model/HyperOb.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/HyperViewOb.h"
#include "platform/DC.h"
#include "view/HyperView.h"

namespace {

class CBoxOb : public CHyperOb {
public:
    void DrawShape(CDC& dc) override { dc.Rectangle(Rect()); }
};

constexpr int kWidth = 1920, kHeight = 1080;

// A shown edit view of 1920 x 1080 on a page of `n` small objects in a
// 100-column grid, named Box1, Box2, ...
struct BenchView {
    explicit BenchView(int n) {
        CHyperPage& page = doc.mainPage();
        page.pageObject()->scrollWidth = kWidth;
        page.pageObject()->scrollHeight = kHeight;
        page.gridFlags = 0;
        const int rows = (n + 99) / 100;
        for (int i = 0; i < n; ++i) {
            const int col = i % 100, row = i / 100;
            const int x = 20 + col * (kWidth - 40) / 100, y = 20 + row * (kHeight - 40) / std::max(rows, 1);
            auto ob = std::make_unique<CBoxOb>();
            ob->SetCodeRaw("Box" + std::to_string(i + 1));
            CHyperOb* raw = page.Insert(std::move(ob));
            raw->SetRect(CRect(x, y, x + 12, y + std::max(2, (kHeight - 40) / std::max(rows, 1) - 3)));
        }
        view.SetDocument(&doc);
        view.resize(kWidth, kHeight);
        view.show();
        view.OnInitialUpdate();
        QApplication::processEvents();
    }
    void Send(QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(p), view.viewport()->mapToGlobal(QPointF(p)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &e);
    }
    void Click(QPoint p) {
        Send(QEvent::MouseButtonPress, p, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, p, Qt::NoButton);
    }

    CMyDoc doc;
    CHyperView view;
};

// The back-most object: the search walks the whole page to reach it.
void BM_ClickHitTest(benchmark::State& state) {
    BenchView b(10000);
    const CRect r = b.doc.mainPage().At(b.doc.mainPage().Count() - 1)->Rect();
    const QPoint at(r.CenterPoint().x, r.CenterPoint().y);
    for (auto _ : state) {
        b.Click(at);
        benchmark::DoNotOptimize(b.view.GetDominant());
        b.view.DeselectAll(false);
    }
    state.SetLabel("click on the back-most of 10000 objects");
}
BENCHMARK(BM_ClickHitTest)->Unit(benchmark::kMillisecond);

void BM_RubberBand(benchmark::State& state) {
    BenchView b(10000);
    for (auto _ : state) {
        b.Send(QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
        b.Send(QEvent::MouseMove, QPoint(kWidth - 5, kHeight - 5), Qt::LeftButton);
        b.Send(QEvent::MouseButtonRelease, QPoint(kWidth - 5, kHeight - 5), Qt::NoButton);
        benchmark::DoNotOptimize(b.view.selection().Count());
        state.PauseTiming();
        b.view.DeselectAll(false);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel("band over 10000 objects, selects all");
}
BENCHMARK(BM_RubberBand)->Unit(benchmark::kMillisecond);

void BM_DragStep(benchmark::State& state) {
    BenchView b(1000);
    b.view.SelectAll();
    const CRect r = b.doc.mainPage().At(0)->Rect();
    QPoint p(r.CenterPoint().x, r.CenterPoint().y);
    b.Send(QEvent::MouseButtonPress, p, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        p += QPoint((step++ & 1) ? -3 : 3, 0);
        b.Send(QEvent::MouseMove, p, Qt::LeftButton);
        b.view.viewport()->repaint();
    }
    b.Send(QEvent::MouseButtonRelease, p, Qt::NoButton);
    state.SetLabel("one move step of 1000 selected objects, with repaint");
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

// Dropping the drag: the 1,000 objects are moved and repainted.
void BM_DropOf1000(benchmark::State& state) {
    BenchView b(1000);
    b.view.SelectAll();
    const CRect r = b.doc.mainPage().At(0)->Rect();
    const QPoint p(r.CenterPoint().x, r.CenterPoint().y);
    int dx = 3;
    for (auto _ : state) {
        b.Send(QEvent::MouseButtonPress, p, Qt::LeftButton);
        b.Send(QEvent::MouseMove, p + QPoint(dx, 0), Qt::LeftButton);
        b.Send(QEvent::MouseButtonRelease, p + QPoint(dx, 0), Qt::NoButton);
        b.view.viewport()->repaint();
        dx = -dx;
    }
    state.SetLabel("drop of a drag of 1000 selected objects, with repaint");
}
BENCHMARK(BM_DropOf1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
