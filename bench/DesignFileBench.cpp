// Load and save speed of designs made of plain objects, and the memory a
// loaded object costs. A page stores its object count in 16 bits, so the
// largest design is spread over pages of 50,000 objects.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/HyperOleDoc.h"

namespace {

constexpr size_t kPerPage = 50000;

std::unique_ptr<CMyDoc> MakeDesign(size_t n) {
    RegisterModelClasses();
    auto doc = std::make_unique<CMyDoc>();
    CHyperPage* page = &doc->mainPage();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && i % kPerPage == 0) page = &doc->AddPage();
        auto ob = std::make_unique<CHyperOb>();
        ob->SetCodeRaw("Object" + std::to_string(i + 1));
        const int x = int(i % 300) * 20, y = int(i / 300 % 300) * 20;
        ob->SetRect(CRect(x, y, x + 16, y + 16));
        page->Insert(std::move(ob));
    }
    return doc;
}

size_t HeapInUse() {
    struct mallinfo2 mi = mallinfo2();
    return mi.uordblks + mi.hblkhd;
}

void BM_SaveDesign(benchmark::State& state) {
    const auto n = size_t(state.range(0));
    auto doc = MakeDesign(n);
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<uint8_t> data = doc->SaveToBytes();
        bytes = data.size();
        benchmark::DoNotOptimize(data.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations() * n));
    state.counters["file_bytes"] = double(bytes);
}

void BM_LoadDesign(benchmark::State& state) {
    const auto n = size_t(state.range(0));
    const auto design = MakeDesign(n);
    const std::vector<uint8_t> data = design->SaveToBytes();
    double perObject = 0;
    for (auto _ : state) {
        const size_t before = HeapInUse();
        // The file does not say how many pages it holds: the document reads
        // as many as it has, so it starts with the saved design's pages.
        CMyDoc doc;
        while (doc.pages().size() < design->pages().size()) doc.AddPage();
        const LoadResult r = doc.LoadFromBytes(data);
        if (r.status != LoadResult::kOk) state.SkipWithError(r.message.c_str());
        perObject = double(HeapInUse() - before) / double(n);
        benchmark::DoNotOptimize(&doc);
    }
    state.SetItemsProcessed(int64_t(state.iterations() * n));
    state.counters["heap_bytes_per_object"] = perObject;
}

}  // namespace

BENCHMARK(BM_SaveDesign)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDesign)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
