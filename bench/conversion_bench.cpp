// DispatchConversion over every list entry of every country, sex and table.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "quorvel/conversion.h"

namespace {
std::atomic<long> gAllocations{0};
}

#if defined(__GNUC__) && !defined(__clang__)
// The replacements below pair malloc with free; GCC cannot see that.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

// Counts heap allocations so the benchmark can report them per request.
void* operator new(std::size_t size)
{
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace quorvel;

std::vector<ConversionRequest> EveryListEntry()
{
    std::vector<ConversionRequest> requests;
    for (Country country : kCountries)
        for (Sex sex : {Sex::Man, Sex::Woman})
            for (Garment g : {Garment::SuitOrDress, Garment::Shirt}) {
                const auto garment = SizeListEntries(country, sex, g == Garment::Shirt ? SizeList::Shirt : SizeList::SuitOrDress);
                const auto shoes = SizeListEntries(country, sex, SizeList::Shoes);
                for (std::size_t i = 0; i < std::max(garment.size(), shoes.size()); ++i)
                    requests.push_back({country, sex, g, garment[i % garment.size()], shoes[i % shoes.size()]});
            }
    return requests;
}

void BM_DispatchEveryListEntry(benchmark::State& state)
{
    const std::vector<ConversionRequest> requests = EveryListEntry();
    ResultPanel panel;
    std::size_t i = 0;
    const long before = gAllocations.load();
    for (auto _ : state) {
        benchmark::DoNotOptimize(DispatchConversion(requests[i], panel));
        benchmark::ClobberMemory();
        if (++i == requests.size()) i = 0;
    }
    const double allocations = static_cast<double>(gAllocations.load() - before);
    state.counters["allocs_per_request"] =
        benchmark::Counter(allocations / static_cast<double>(state.iterations()));
    state.counters["requests"] = static_cast<double>(requests.size());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DispatchEveryListEntry);

// The floor: one typed text echoed into the panel, no lookup.
void BM_EchoOnly(benchmark::State& state)
{
    PanelRow row;
    for (auto _ : state) {
        for (std::string& cell : row) cell.assign("15.5 M");
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EchoOnly);

}  // namespace

BENCHMARK_MAIN();
