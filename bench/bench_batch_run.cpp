#include <benchmark/benchmark.h>

#include "support/run_fixture.h"

namespace quorrix::engine {
namespace {

// The driver's own cost per document: a print-list run of stand-in drawings with two
// sheets each, "Plot" and the process log on, the stand-in's journal off; the second
// argument is the time limit per document in seconds (0: no watchdog).
void BatchRunPlotTwoSheetDrawings(benchmark::State& state)
{
    const auto documents = static_cast<std::size_t>(state.range(0));
    test::RunFixture run;
    run.sim.journal().setRecording(false);
    run.settings.LoggingActive = 1;
    run.settings.DocumentTimeLimit = static_cast<std::int32_t>(state.range(1));
    const std::string drawing = run.document("plate.SLDDRW",
        "[Document]\n[Sheet.1]\nName=A\nWidth=0.42\nHeight=0.297\n"
        "[Sheet.2]\nName=B\nWidth=0.297\nHeight=0.21\n");
    const std::vector<std::string> entries(documents, drawing);
    for (auto _ : state) {
        const RunReport report = RunActionCommand(run.environment, "Plot", entries);
        if (!report.messageText.empty())
            state.SkipWithError(report.messageText.c_str());
    }
    // Seconds of wall time per document.
    state.counters["per_document"] = benchmark::Counter(static_cast<double>(documents),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BatchRunPlotTwoSheetDrawings)
    ->Args({ 10000, 600 })
    ->Args({ 10000, 0 })
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

} // namespace
} // namespace quorrix::engine
