// Saving and opening a catalogue of 5,000 items (each with a 32 x 32 icon,
// its mask and a 1 KB clipboard entry): an incremental save after changing
// one item against a full rewrite, and opening the file. Saves go to a real
// file and are flushed to disk, as in the program.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <climits>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"

namespace {

constexpr int kItems = 5000;

std::vector<uint8_t> Bitmap(int side, int bitCount) {
    const uint32_t stride = uint32_t((side * bitCount + 31) / 32 * 4);
    const uint32_t palette = bitCount == 1 ? 8 : 0;
    const uint32_t bits = 14 + 40 + palette, image = stride * uint32_t(side);
    std::vector<uint8_t> b(bits + image, 0x5A);
    const auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, bits + image, 4);
    put(6, 0, 4);
    put(10, bits, 4);
    put(14, 40, 4);
    put(18, uint32_t(side), 4);
    put(22, uint32_t(side), 4);
    put(26, 1, 2);
    put(28, uint32_t(bitCount), 2);
    put(30, 0, 4);
    put(34, image, 4);
    put(38, 2835, 4);
    put(42, 2835, 4);
    put(46, 0, 8);
    if (palette) put(54, 0, 4), put(58, 0xFFFFFF, 4);
    return b;
}

std::unique_ptr<CCatalogue> MakeCatalogue() {
    RegisterCatalogueClasses();
    auto cat = std::make_unique<CCatalogue>();
    const std::vector<uint8_t> colour = Bitmap(32, 24), mask = Bitmap(32, 1), data(1024, 7);
    for (int i = 0; i < kItems; ++i) {
        auto ob = std::make_unique<CCatalogueOb>();
        ob->SetName("Item " + std::to_string(i));
        ob->SetIcon(std::make_unique<CDib>(colour), std::make_unique<CDib>(mask));
        ob->AddFormat(49161, "Vexelwork Objects", data);
        cat->Add(std::move(ob));
    }
    return cat;
}

void BM_CatalogueSaveOneChangeIncremental(benchmark::State& state) {
    QTemporaryDir dir;
    auto cat = MakeCatalogue();
    if (!cat->SaveAs(dir.filePath("big.cat").toStdString()).empty()) state.SkipWithError("save failed");
    int n = 0;
    for (auto _ : state) {
        cat->item(size_t(n % kItems)).SetName("Changed " + std::to_string(n));
        ++n;
        if (!cat->Save(INT_MAX).empty() || cat->lastSaveWasFull()) state.SkipWithError("not an incremental save");
    }
}
BENCHMARK(BM_CatalogueSaveOneChangeIncremental)->Unit(benchmark::kMillisecond);

void BM_CatalogueSaveOneChangeFullRewrite(benchmark::State& state) {
    QTemporaryDir dir;
    auto cat = MakeCatalogue();
    if (!cat->SaveAs(dir.filePath("big.cat").toStdString()).empty()) state.SkipWithError("save failed");
    int n = 0;
    for (auto _ : state) {
        cat->item(size_t(n % kItems)).SetName("Changed " + std::to_string(n));
        ++n;
        if (!cat->Save(0).empty() || !cat->lastSaveWasFull()) state.SkipWithError("not a full rewrite");
    }
}
BENCHMARK(BM_CatalogueSaveOneChangeFullRewrite)->Unit(benchmark::kMillisecond);

void BM_CatalogueOpen(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("big.cat").toStdString();
    if (!MakeCatalogue()->SaveAs(path).empty()) state.SkipWithError("save failed");
    for (auto _ : state) {
        CCatalogue cat;
        if (!cat.Open(path).empty() || cat.ItemCount() != size_t(kItems)) state.SkipWithError("open failed");
    }
}
BENCHMARK(BM_CatalogueOpen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
