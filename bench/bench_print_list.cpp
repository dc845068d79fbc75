// Speed of the print list at its largest (32,767 rows). Targets: adding all files, removing
// every other row, moving every other row up, moving it to the top and sorting each take at
// most 20 ms; reading a list file of 32,767 lines into the list at most 30 ms.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/printlist/file_browser.h"
#include "engine/printlist/print_list.h"
#include "engine/printlist/print_list_file.h"
#include "platform/platform_ports.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

using namespace quorrix;
using namespace quorrix::engine;

namespace {

constexpr int kRows = PrintList::kMaxRows;

// Paths as a large project has them: a few deep folders, names in no particular order and of
// mixed letter case.
std::vector<std::string> samplePaths()
{
    std::vector<std::string> paths;
    paths.reserve(kRows);
    unsigned seed = 12345;
    for (int i = 0; i < kRows; ++i) {
        seed = seed * 1103515245u + 12345u;
        const unsigned n = (seed >> 8) % 1000000u;
        paths.push_back(MakeFullPath("C:\\Projekte\\Anlage " + std::to_string(n % 17)
                + "\\Baugruppe " + std::to_string(n % 251),
            (n % 3 == 0 ? "ZNG-" : "zng-") + std::to_string(n) + ".SLDDRW"));
    }
    return paths;
}

const std::vector<std::string>& paths()
{
    static const std::vector<std::string> all = samplePaths();
    return all;
}

PrintList fullList(bool everyOtherSelected)
{
    PrintList list;
    list.addDropped(paths());
    if (everyOtherSelected) {
        for (int i = 1; i < list.count(); i += 2)
            list.setSelected(i, true);
    }
    return list;
}

// Runs work on a fresh list each time; building the list is not measured.
template <typename Work>
void onFullList(benchmark::State& state, bool everyOtherSelected, Work work)
{
    for (auto _ : state) {
        state.PauseTiming();
        PrintList list = fullList(everyOtherSelected);
        state.ResumeTiming();
        work(list);
        benchmark::DoNotOptimize(list.rows().data());
        state.PauseTiming();
        list = PrintList();
        state.ResumeTiming();
    }
}

void PrintListAddAll(benchmark::State& state)
{
    test::FixedRegionalFormat regional;
    std::vector<std::string> names;
    for (int i = 0; i < kRows; ++i)
        names.push_back("zng-" + std::to_string(i) + ".SLDDRW");
    FileBrowserList files;
    files.show("C:\\Projekte\\Anlage 1", names, {}, regional);
    const bool aboveCurrentRow = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        PrintList list;
        if (aboveCurrentRow) {
            list.addDropped({ "C:\\last.slddrw" });
            list.setCurrentRow(0);
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(list.addAll(files));
        state.PauseTiming();
        list = PrintList();
        state.ResumeTiming();
    }
}
BENCHMARK(PrintListAddAll)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void PrintListRemoveEveryOther(benchmark::State& state)
{
    onFullList(state, true, [](PrintList& list) { list.removeSelected(); });
}
BENCHMARK(PrintListRemoveEveryOther)->Unit(benchmark::kMillisecond);

void PrintListMoveUpEveryOther(benchmark::State& state)
{
    onFullList(state, true, [](PrintList& list) { list.moveSelectedUp(); });
}
BENCHMARK(PrintListMoveUpEveryOther)->Unit(benchmark::kMillisecond);

void PrintListMoveToTopEveryOther(benchmark::State& state)
{
    onFullList(state, true, [](PrintList& list) { list.moveSelectedToTop(); });
}
BENCHMARK(PrintListMoveToTopEveryOther)->Unit(benchmark::kMillisecond);

void PrintListSortFixedLocale(benchmark::State& state)
{
    test::FixedRegionalFormat regional;
    onFullList(state, false, [&](PrintList& list) { list.sortAscending(regional); });
}
BENCHMARK(PrintListSortFixedLocale)->Unit(benchmark::kMillisecond);

void PrintListSortUserLocale(benchmark::State& state)
{
    const platform::PlatformPorts ports = platform::createPlatformPorts();
    onFullList(state, false, [&](PrintList& list) { list.sortAscending(*ports.regional); });
}
BENCHMARK(PrintListSortUserLocale)->Unit(benchmark::kMillisecond);

void PrintListReadFile(benchmark::State& state)
{
    const platform::PlatformPorts ports = platform::createPlatformPorts();
    test::TempDir dir;
    const std::string path = dir.file("large.qrx");
    writePrintListFile(*ports.files, path, paths());
    for (auto _ : state) {
        PrintList list;
        const ListFileLoad load = loadPrintListFile(*ports.files, path, list);
        if (!load.file.ok() || list.count() != kRows)
            state.SkipWithError("the list file did not load");
        state.PauseTiming();
        list = PrintList();
        state.ResumeTiming();
    }
}
BENCHMARK(PrintListReadFile)->Unit(benchmark::kMillisecond);

} // namespace
