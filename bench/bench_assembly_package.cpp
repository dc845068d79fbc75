// Expanding a large assembly into its drawings. Target: an assembly of 5,000 components in
// three levels (10 subassemblies of 10 subassemblies of 49 parts, half of the parts with a
// drawing) in at most 1 s, stand-in documents read from disk.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/printlist/assembly_package.h"
#include "platform/platform_ports.h"
#include "support/temp_dir.h"
#include "swsim/sim_document_manager.h"

using namespace quorrix;
using namespace quorrix::engine;

namespace {

constexpr int kBranches = 10;
constexpr int kPartsPerAssembly = 49;

std::string assemblyText(const std::vector<std::string>& files)
{
    std::string text = "[Document]\nType=2\n";
    for (std::size_t i = 0; i < files.size(); ++i)
        text += "[Component." + std::to_string(i + 1) + "]\nFile=" + files[i] + "\n";
    return text;
}

// Written once for every run of the benchmark.
const test::TempDir& fixture()
{
    static const test::TempDir dir;
    static const bool written = [] {
        std::vector<std::string> top;
        for (int a = 0; a < kBranches; ++a) {
            const std::string first = "A" + std::to_string(a);
            std::vector<std::string> middle;
            for (int b = 0; b < kBranches; ++b) {
                const std::string second = first + "-" + std::to_string(b);
                std::vector<std::string> parts;
                for (int p = 0; p < kPartsPerAssembly; ++p) {
                    const std::string part = second + "-P" + std::to_string(p);
                    dir.write(part + ".SLDPRT", "[Document]\nType=1\n");
                    if (p % 2 == 0)
                        dir.write(part + ".SLDDRW", "[Document]\nType=3\n");
                    parts.push_back(part + ".SLDPRT");
                }
                dir.write(second + ".SLDASM", assemblyText(parts));
                middle.push_back(second + ".SLDASM");
            }
            dir.write(first + ".SLDASM", assemblyText(middle));
            top.push_back(first + ".SLDASM");
        }
        dir.write("top.SLDASM", assemblyText(top));
        return true;
    }();
    (void)written;
    return dir;
}

void BM_ExpandAssemblyOf5000Components(benchmark::State& state)
{
    const test::TempDir& dir = fixture();
    const platform::PlatformPorts ports = platform::createPlatformPorts();
    swsim::SimDocumentManager documentManager(*ports.files);
    AssemblyPackageOptions options;
    options.searchFolders = { dir.file("drawings") };
    std::size_t documents = 0;
    for (auto _ : state) {
        const AssemblyPackage package
            = ExpandAssembly(documentManager, "key", *ports.files, dir.file("top.SLDASM"), options);
        documents = package.documents.size() + package.withoutDrawing.size();
        benchmark::DoNotOptimize(package);
        documentManager.clearCalls();
    }
    if (documents != 1 + kBranches + kBranches * kBranches * (1 + kPartsPerAssembly))
        state.SkipWithError("not every component was listed");
    state.counters["documents"] = static_cast<double>(documents);
}

} // namespace

BENCHMARK(BM_ExpandAssemblyOf5000Components)->Unit(benchmark::kMillisecond);
