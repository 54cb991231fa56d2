// quorvel-convert --batch over one million requests, TSV and JSON Lines, read
// from memory and written to a sink that only counts; and the engine's lookup
// per conversion beside the floor of echoing the typed text alone.
#include <benchmark/benchmark.h>

#include <istream>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "batch.h"
#include "quorvel/conversion.h"

namespace {

using namespace quorvel;

constexpr int kRequests = 1'000'000;

// Every list entry of every country, sex and garment with a shoe size, then
// some that match nothing, trousers and shoes alone, in turn.
std::string MillionRequests()
{
    std::vector<std::string> lines;
    for (Country c : kCountries)
        for (Sex sex : {Sex::Man, Sex::Woman})
            for (auto [garment, list] : {std::pair{"suit", SizeList::SuitOrDress}, std::pair{"shirt", SizeList::Shirt}}) {
                const auto sizes = SizeListEntries(c, sex, list);
                const auto shoes = SizeListEntries(c, sex, SizeList::Shoes);
                for (std::size_t i = 0; i < sizes.size(); ++i)
                    lines.push_back(std::string(kCountryFacts[std::size_t(c) - 1].code) + (sex == Sex::Man ? "\tman\t" : "\twoman\t") + garment +
                                    '\t' + std::string(sizes[i]) + '\t' + std::string(shoes[i % shoes.size()]));
            }
    lines.push_back("uk\tman\tsuit\t35\t12.5");
    lines.push_back("Australia\twoman\ttrousers\t\t8");
    lines.push_back("jp\twoman\t\t\t24");
    std::string text;
    for (int i = 0; i < kRequests; ++i) (text += lines[std::size_t(i) % lines.size()]) += '\n';
    return text;
}

class MemoryIn : public std::streambuf {
public:
    explicit MemoryIn(std::string& text) { setg(text.data(), text.data(), text.data() + text.size()); }
};

class CountingSink : public std::streambuf {
public:
    std::size_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override { bytes += std::size_t(n); return n; }
    int_type overflow(int_type c) override { ++bytes; return traits_type::not_eof(c); }
};

void BM_Batch(benchmark::State& state)
{
    static std::string input = MillionRequests();
    const bool json = state.range(0) != 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        MemoryIn source(input);
        CountingSink sink;
        std::istream in(&source);
        std::ostream out(&sink), err(&sink);
        benchmark::DoNotOptimize(cli::RunBatch(in, out, err, json));
        bytes = sink.bytes;
    }
    state.SetItemsProcessed(state.iterations() * kRequests);
    state.counters["requests_per_s"] = benchmark::Counter(double(state.iterations()) * kRequests, benchmark::Counter::kIsRate);
    state.counters["output_bytes_per_request"] = double(bytes) / kRequests;
    state.SetLabel(json ? "JSON Lines" : "TSV");
}
BENCHMARK(BM_Batch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

struct Lookup {
    Table table;
    Country country;
    std::string_view text;
};

std::vector<Lookup> EveryListEntryLookup()
{
    std::vector<Lookup> lookups;
    for (Country c : kCountries)
        for (Sex sex : {Sex::Man, Sex::Woman})
            for (Table t : {*GarmentTable(sex, Garment::SuitOrDress), *GarmentTable(sex, Garment::Shirt), ShoeTable(sex)})
                for (std::string_view entry : SizeListEntries(c, sex, ListOfTable(t))) lookups.push_back({t, c, entry});
    return lookups;
}

// One conversion as --batch makes it: the lookup into views, nothing copied.
void BM_LookupPerConversion(benchmark::State& state)
{
    const std::vector<Lookup> lookups = EveryListEntryLookup();
    std::size_t i = 0;
    for (auto _ : state) {
        PanelCells cells;
        const Lookup& l = lookups[i];
        benchmark::DoNotOptimize(ConvertSize(l.table, l.country, l.text, cells));
        benchmark::DoNotOptimize(cells);
        if (++i == lookups.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LookupPerConversion);

// The floor: the typed text written into the cells, no lookup.
void BM_EchoFloor(benchmark::State& state)
{
    const std::vector<Lookup> lookups = EveryListEntryLookup();
    std::size_t i = 0;
    for (auto _ : state) {
        PanelCells cells;
        for (auto& cell : cells) cell = lookups[i].text;
        benchmark::DoNotOptimize(cells);
        if (++i == lookups.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EchoFloor);

}  // namespace

BENCHMARK_MAIN();
