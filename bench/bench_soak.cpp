#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/batch_options.h"
#include "app/batch_runner.h"
#include "engine/platform/clock.h"
#include "engine/platform/path_text.h"
#include "engine/printlist/print_list_file.h"
#include "platform/platform_ports.h"
#include "support/fakes.h"
#include "support/memory_key_value_store.h"
#include "support/temp_dir.h"

namespace quorrix::app {
namespace {

using test::readFileBytes;
using test::writeFileBytes;

// The real time of day and counter, but waits that take no time: the five seconds a
// restart of SolidWorks waits would otherwise be most of the run.
class NoWaitClock : public engine::Clock {
public:
    engine::LocalDateTime now() const override { return m_real->now(); }
    std::int64_t counterTicks() const override { return m_real->counterTicks(); }
    void sleepMilliseconds(int) override { }

private:
    std::unique_ptr<engine::Clock> m_real = platform::createPlatformPorts().clock;
};

// Peak resident memory of the process so far, in megabytes.
double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// One A4 sheet named after the drawing, so that every drawing has a TIFF of its own.
std::string drawing(std::size_t index)
{
    return "[Document]\n[Sheet.1]\nName=S" + std::to_string(index) + "\nWidth=0.297\nHeight=0.21\n";
}

// What goes wrong, and where: every 300th entry is missing, every 500th drawing refuses its
// saves, every 700th refuses the TIFF resolution, and SolidWorks crashes after every 400
// documents it opened.
const char* faultOf(std::size_t index)
{
    if (index % 300 == 299)
        return nullptr;
    if (index % 500 == 499)
        return "[Faults]\nSaveError=1\n";
    if (index % 700 == 699)
        return "[Faults]\nRefusePreferences=Integer.9\n";
    return "";
}

// A long overnight run through quorrix-batch: TIFF of every drawing of a list with faults
// injected. Checks what a scheduler relies on (every document written or in the failed
// list exactly once, one log line each) and reports the peak memory, which must stay flat
// from 1,000 to 32,000 documents, and the cost per document.
void SoakTiffRunWithFaults(benchmark::State& state)
{
    const auto documents = static_cast<std::size_t>(state.range(0));
    test::TempDir dir;
    const std::string docs = dir.file("docs");
    std::filesystem::create_directory(engine::pathFromUtf8(docs));
    std::string list;
    std::vector<std::string> paths;
    std::set<std::string> mustFail;
    for (std::size_t i = 0; i < documents; ++i) {
        const std::string path = docs + "/d" + std::to_string(i) + ".SLDDRW";
        paths.push_back(path);
        list += "\"" + path + "\"\r\n";
        const char* fault = faultOf(i);
        if (fault)
            writeFileBytes(path, drawing(i) + fault);
        if (!fault || *fault)
            mustFail.insert(path);
    }
    writeFileBytes(dir.file("list.qrx"), list);
    writeFileBytes(dir.file("tiny.qrxcfg"),
        "[TIFF]\r\nTiffScreenOrPrintCapture=1\r\nTiffPrintDPI=10\r\nTiffSaveInDrawingFolder=1\r\n"
        "TiffSaveEachSheetOwnSize=1\r\n");
    writeFileBytes(
        dir.file("swsim.ini"), "[Files]\nSpool=spool.jsonl\n[Faults]\nCrashAfterOpens=400\n");

    platform::PlatformPorts ports = platform::createPlatformPorts();
    for (const char* name : { "QUORRIX-lng_de.ini", "QUORRIX-lng_us.ini" }) {
        writeFileBytes(
            dir.file(name), readFileBytes(ports.programFolder + engine::kPathSeparator + name));
    }
    ports.store = std::make_unique<test::MemoryKeyValueStore>();
    ports.clock = std::make_unique<NoWaitClock>();
    ports.programFolder = dir.path();
    ports.userDataFolder = dir.path();
    ports.userConfigFolder = dir.path();

    const std::vector<std::string> arguments
        = { "TIFF", "--list", dir.file("list.qrx"), "--settings", dir.file("tiny.qrxcfg"),
              "--failed-list", dir.file("failed.qrx"), "--log", "--quiet" };
    volatile std::sig_atomic_t interrupted = 0;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        BatchWorld world { ports, out, err, false, interrupted };
        if (runBatch(arguments, world) != kExitProblems)
            state.SkipWithError("the run did not end with problems");
    }

    // Done or failed, exactly once each.
    const engine::ListFileResult failed
        = engine::readPrintListFile(*ports.files, dir.file("failed.qrx"));
    const std::set<std::string> failedSet(failed.rows.begin(), failed.rows.end());
    std::size_t wrong = failedSet.size() == failed.rows.size() ? 0 : 1;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        const std::string tiff = docs + "/S" + std::to_string(i) + ".tif";
        const bool isFailed = failedSet.count(path) != 0;
        const bool written = std::filesystem::exists(engine::pathFromUtf8(tiff));
        if (isFailed == written || (mustFail.count(path) != 0 && !isFailed))
            ++wrong;
    }
    // One line per document in the process log, after its header line.
    std::size_t logLines = 0;
    for (const auto& entry :
        std::filesystem::directory_iterator(engine::pathFromUtf8(dir.path()))) {
        if (entry.path().filename().string().rfind("processlog_", 0) != 0)
            continue;
        std::ifstream log(entry.path());
        for (std::string line; std::getline(log, line);)
            ++logLines;
    }
    if (wrong != 0)
        state.SkipWithError("a document was neither done nor failed exactly once");
    state.counters["failed"] = static_cast<double>(failed.rows.size());
    state.counters["log_lines"] = static_cast<double>(logLines);
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["per_document"] = benchmark::Counter(static_cast<double>(documents),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(SoakTiffRunWithFaults)
    ->Arg(1000)
    ->Arg(8000)
    ->Arg(32000)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

} // namespace
} // namespace quorrix::app
