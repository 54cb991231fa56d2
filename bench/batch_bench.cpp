// quorvel-convert --batch over one million requests as TSV, CSV and JSON
// Lines, streamed as a script streams them: through a pipe a writer fills,
// into /dev/null, with the converter writing out whenever it would wait;
// beside cat(1) copying the same input the same way. And the engine's lookup
// per conversion beside the floor of echoing the typed text alone.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "batch.h"
#include "console.h"
#include "quorvel/conversion.h"

namespace {

using namespace quorvel;

constexpr int kRequests = 1'000'000;

// Every list entry of every country, sex and garment with a shoe size, then
// some that match nothing, trousers and shoes alone, in turn.
std::string MillionRequests(char separator)
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
    std::ranges::replace(text, '\t', separator);  // no size holds a comma
    return text;
}

const std::string& Requests(bool csv)
{
    static const std::string tsv = MillionRequests('\t'), commas = MillionRequests(',');
    return csv ? commas : tsv;
}

// Runs `reader` on the read end of a pipe that a thread fills with `text`.
template <typename Reader>
void ThroughPipe(const std::string& text, Reader reader)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) std::abort();
    std::thread writer([&] {
        cli::FdSink(fds[1]).Write(text);
        close(fds[1]);
    });
    reader(fds[0]);
    writer.join();
    close(fds[0]);
}

// Argument: 0 TSV, 1 JSON Lines, 2 CSV.
void BM_Batch(benchmark::State& state)
{
    const bool json = state.range(0) == 1, csv = state.range(0) == 2;
    const std::string& input = Requests(csv);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    for (auto _ : state) {
        ThroughPipe(input, [&](int fd) {
            cli::FdSource in(fd);
            cli::FdSink out(null), err(null);
            cli::Console console{in, out, err};
            benchmark::DoNotOptimize(cli::RunBatch({}, console, {json, csv, false, false}));
        });
    }
    close(null);
    state.counters["requests_per_s"] = benchmark::Counter(double(state.iterations()) * kRequests, benchmark::Counter::kIsRate);
    state.SetLabel(json ? "JSON Lines" : csv ? "CSV" : "TSV");
}
BENCHMARK(BM_Batch)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: cat(1) copying the same TSV input from such a pipe to /dev/null.
void BM_Cat(benchmark::State& state)
{
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    for (auto _ : state) {
        ThroughPipe(Requests(false), [&](int fd) {
            posix_spawn_file_actions_t actions;
            posix_spawn_file_actions_init(&actions);
            posix_spawn_file_actions_adddup2(&actions, fd, 0);
            posix_spawn_file_actions_adddup2(&actions, null, 1);
            char* argv[] = {const_cast<char*>("cat"), nullptr};
            pid_t pid;
            int status;
            if (posix_spawnp(&pid, "cat", &actions, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) != pid ||
                status != 0)
                state.SkipWithError("cat failed");
            posix_spawn_file_actions_destroy(&actions);
        });
    }
    close(null);
    state.counters["requests_per_s"] = benchmark::Counter(double(state.iterations()) * kRequests, benchmark::Counter::kIsRate);
    state.SetLabel("cat");
}
BENCHMARK(BM_Cat)->Unit(benchmark::kMillisecond)->UseRealTime();

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
