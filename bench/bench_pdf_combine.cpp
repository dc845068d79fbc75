// Joining a run's PDFs into one. Target: 1,000 one-page PDFs in at most 5 s and at most
// 200 MB; the peak memory of the whole program is reported as maxRssMB.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <string>

#include "engine/platform/path_text.h"
#include "pdf/pdf_combiner_factory.h"
#include "support/temp_dir.h"
#include "swsim/output/output_files.h"

using namespace quorrix;

namespace {

constexpr int kDocuments = 1000;

// Written once for every run of the benchmark, as the stand-in writes a one-sheet drawing.
const std::vector<engine::PdfPart>& parts(const test::TempDir& dir)
{
    static const std::vector<engine::PdfPart> written = [&dir] {
        std::vector<engine::PdfPart> files;
        for (int i = 0; i < kDocuments; ++i) {
            const std::string title = "D" + std::to_string(10000 + i);
            dir.write(title + ".pdf", swsim::renderPdf({ { title, "Sheet1" } }));
            files.push_back({ dir.file(title + ".pdf"), title, { "Sheet1" } });
        }
        return files;
    }();
    return written;
}

void BM_CombineThousandOnePagePdfs(benchmark::State& state)
{
    static const test::TempDir dir;
    const std::vector<engine::PdfPart>& files = parts(dir);
    const std::unique_ptr<engine::PdfCombiner> combiner = pdf::createPdfCombiner();
    if (!combiner) {
        state.SkipWithError("built without qpdf");
        return;
    }
    const std::string target = dir.file("combined.pdf");
    for (auto _ : state)
        combiner->combine(files, target);
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["maxRssMB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["fileMB"] = static_cast<double>(
                                   std::filesystem::file_size(engine::pathFromUtf8(target)))
        / (1024.0 * 1024.0);
}

} // namespace

BENCHMARK(BM_CombineThousandOnePagePdfs)->Unit(benchmark::kMillisecond)->Iterations(3);
