// Rerouting after a move: one border that 100 connectors hang on, on a page
// of 1,000 borders, is moved; every attached connector follows its end and
// lays its path out again around the other borders.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "model/Connection.h"
#include "model/HyperOleDoc.h"
#include "model/HyperViewOb.h"
#include "model/SnapList.h"
#include "shapes/BorderOb.h"
#include "shapes/ConnectOb.h"
#include "shapes/ShapeClasses.h"

namespace {

constexpr int kColumns = 40, kRows = 25;  // 1,000 borders
constexpr int kConnectors = 100;

struct Design {
    std::unique_ptr<CMyDoc> doc = std::make_unique<CMyDoc>();
    CBorderOb* hub = nullptr;
    std::vector<CConnectL0*> connectors;
};

CPoint SnapPoint(CHyperOb& ob, size_t i) {
    CSnapList* list = ob.GetSnapList(false);
    return list->Position(*list->set().point(i % list->Count()));
}

std::unique_ptr<Design> MakeDesign() {
    auto d = std::make_unique<Design>();
    CHyperPage& page = d->doc->mainPage();
    page.pageObject()->scrollWidth = kColumns * 100;
    page.pageObject()->scrollHeight = kRows * 100;
    std::vector<CBorderOb*> borders;
    for (int i = 0; i < kColumns * kRows; ++i) {
        auto owned = std::make_unique<CBorderOb>();
        CBorderOb* b = owned.get();
        b->SetCodeRaw("Border" + std::to_string(i + 1));
        page.Insert(std::move(owned));
        b->ApplyViewDefaults();
        const int x = (i % kColumns) * 100 + 30, y = (i / kColumns) * 100 + 30;
        b->SetRect(CRect(x, y, x + 40, y + 40));
        borders.push_back(b);
    }
    d->hub = borders[size_t(kRows / 2 * kColumns + kColumns / 2)];
    // The 100 borders nearest the hub (rings around it) each send one
    // connector to one of the hub's points.
    const int hx = kColumns / 2, hy = kRows / 2;
    std::vector<CBorderOb*> near;
    for (int ring = 1; int(near.size()) < kConnectors; ++ring)
        for (int y = hy - ring; y <= hy + ring; ++y)
            for (int x = hx - ring; x <= hx + ring; ++x)
                if ((std::abs(x - hx) == ring || std::abs(y - hy) == ring) && x >= 0 && y >= 0 && x < kColumns &&
                    y < kRows && int(near.size()) < kConnectors)
                    near.push_back(borders[size_t(y * kColumns + x)]);
    for (int i = 0; i < kConnectors; ++i) {
        auto owned = std::make_unique<CConnectOb>();
        CConnectOb* c = owned.get();
        c->SetCodeRaw("Connector" + std::to_string(i + 1));
        page.Insert(std::move(owned), 0);
        c->ApplyViewDefaults();
        CPoint e0 = SnapPoint(*d->hub, size_t(i)), e1 = SnapPoint(*near[size_t(i)], size_t(i) + 2);
        c->SetPagePoints({e0, e1});
        c->GetConnection()->SnapEnd(0, e0, false);
        c->GetConnection()->SnapEnd(1, e1, false);
        c->Update(1, 0);
        d->connectors.push_back(c);
    }
    return d;
}

// One move of the hub and the 100 reroutes it causes.
void BM_MoveHubWith100Connectors(benchmark::State& state) {
    auto d = MakeDesign();
    int step = 10;
    long routes = 0;
    for (auto _ : state) {
        const int before = d->connectors.front()->routeCount();
        d->hub->Move(step, 0);
        d->hub->Update(1, 0);
        step = -step;
        routes += d->connectors.front()->routeCount() - before;
    }
    state.counters["routes_per_connector_per_move"] =
        benchmark::Counter(double(routes) / double(state.iterations()));
    long fellBack = 0;
    for (CConnectL0* c : d->connectors)
        fellBack += vx::route::RouteResult{{}, c->lastRouteKind()}.FellBack() ? 1 : 0;
    state.counters["fell_back"] = double(fellBack);
}
BENCHMARK(BM_MoveHubWith100Connectors)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    RegisterShapeClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
