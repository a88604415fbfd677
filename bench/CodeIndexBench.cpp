// Opening designs whose objects need naming: every object without a valid
// Code gets one from its type name and the first free number, and objects
// that share a Code stay as they are; then one lookup by Code. All must stay
// fast for pages of many objects.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "model/HyperOleDoc.h"

namespace {

std::vector<uint8_t> MakeDesign(size_t n, const std::string& code) {
    RegisterModelClasses();
    CMyDoc doc;
    CHyperPage& page = doc.mainPage();
    for (size_t i = 0; i < n; ++i) {
        auto ob = std::make_unique<CHyperOb>();
        ob->SetCodeRaw(code);
        const int x = int(i % 300) * 20, y = int(i / 300 % 300) * 20;
        ob->SetRect(CRect(x, y, x + 16, y + 16));
        page.Insert(std::move(ob));
    }
    return doc.SaveToBytes();
}

void Load(benchmark::State& state, const std::string& code) {
    const auto n = size_t(state.range(0));
    const std::vector<uint8_t> data = MakeDesign(n, code);
    for (auto _ : state) {
        CMyDoc doc;
        const LoadResult r = doc.LoadFromBytes(data);
        if (r.status != LoadResult::kOk) state.SkipWithError(r.message.c_str());
        // One lookup, so that the page's code index exists in every case.
        benchmark::DoNotOptimize(doc.mainPage().FindObjectByCode("Box"));
        benchmark::DoNotOptimize(&doc);
    }
    state.SetItemsProcessed(int64_t(state.iterations() * n));
    state.counters["file_bytes"] = double(data.size());
}

void BM_LoadEmptyCodes(benchmark::State& state) {
    Load(state, {});
}
void BM_LoadBlankCodes(benchmark::State& state) {
    Load(state, "  ");
}
void BM_LoadDuplicateCodes(benchmark::State& state) {
    Load(state, "Box");
}

}  // namespace

BENCHMARK(BM_LoadEmptyCodes)->Arg(2000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBlankCodes)->Arg(2000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDuplicateCodes)->Arg(2000)->Arg(50000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
