#include <gtest/gtest.h>

#include "engine/platform/pdf_combiner.h"
#include "engine/platform/platform_error.h"
#include "engine/run/combined_pdf.h"
#include "support/run_fixture.h"

namespace quorrix::engine {
namespace {

constexpr const char* kTwoSheets = "[Document]\n[Sheet.1]\nName=Front\n[Sheet.2]\nName=Back\n";

struct RecordingCombiner : PdfCombiner {
    void combine(const std::vector<PdfPart>& given, const std::string& path) override
    {
        parts = given;
        target = path;
        if (!failure.empty())
            throw PlatformError(5, failure);
    }
    std::vector<PdfPart> parts;
    std::string target;
    std::string failure;
};

struct CombinedRun : test::RunFixture {
    CombinedRun()
    {
        settings.ExpDocSaveFormat = "pdf";
        settings.ExpDocSaveInModelFolder = 1;
        settings.ExpDocCombinePdf = 1;
        settings.ExpDocCombinedName = "Pump";
        environment.pdfCombiner = &combiner;
        entries = { document("a.SLDDRW", kTwoSheets), document("b.SLDPRT"),
            document("c.SLDDRW", "[Document]\n[Sheet.1]\nName=S\n[Faults]\nSaveError=1\n"),
            document("d.SLDDRW", kTwoSheets) };
    }
    std::string lines(std::initializer_list<std::pair<std::string, int>> items)
    {
        std::string text;
        for (const auto& [head, number] : items)
            text += head.empty() ? info(number) + " " + dir.file("Pump.pdf") + "\r\n"
                                 : head + " " + info(number) + " " + dir.file("Pump.pdf") + "\r\n";
        return text;
    }
    RecordingCombiner combiner;
    std::vector<std::string> entries;
    std::string action = "EXPORTDOC";
};

TEST(CombinedPdfTest, JoinsWhatWasDoneInRunOrderAndNamesWhatWasNot)
{
    CombinedRun run;
    const RunReport report = run.runList("EXPORTDOC", run.entries);
    ASSERT_EQ(run.combiner.parts.size(), 3u);
    const PdfPart& first = run.combiner.parts[0];
    EXPECT_EQ(std::tie(first.path, first.title, first.pageNames),
        std::make_tuple(run.dir.file("a.pdf"), "a", std::vector<std::string> { "Front", "Back" }));
    EXPECT_EQ(run.combiner.parts[1].path, run.dir.file("b.pdf"));
    EXPECT_TRUE(run.combiner.parts[1].pageNames.empty());
    EXPECT_EQ(run.combiner.parts[2].title, "d");
    EXPECT_EQ(run.combiner.target, run.dir.file("Pump.pdf"));
    EXPECT_TRUE(report.messageText.ends_with(run.lines({ { run.entries[2], 270 } })))
        << report.messageText;
    EXPECT_EQ(report.failedEntries, (std::vector<std::string> { run.entries[2] }));
}

TEST(CombinedPdfTest, WhatKeepsTheFileFromBeingWrittenIsSaid)
{
    struct Row {
        const char* name;
        std::function<void(CombinedRun&)> change;
        int info; // 0: nothing said, nothing written
        bool combined;
    };
    const Row rows[] = {
        { "no combiner", [](CombinedRun& r) { r.environment.pdfCombiner = nullptr; }, 272, false },
        { "would replace a PDF of the run", [](CombinedRun& r) { r.settings.ExpDocCombinedName = "d"; },
            273, false },
        { "cannot be written", [](CombinedRun& r) { r.combiner.failure = "disk full"; }, 271, true },
        { "nothing written", [](CombinedRun& r) { r.entries = { r.dir.file("gone.SLDDRW") }; }, 274, false },
        { "JPG", [](CombinedRun& r) { r.settings.ExpDocSaveFormat = "jpg"; }, 0, false },
        { "not asked", [](CombinedRun& r) { r.settings.ExpDocCombinePdf = 0; }, 0, false },
        { "not a document export", [](CombinedRun& r) { r.action = "DXF"; }, 0, false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CombinedRun run;
        run.entries.erase(run.entries.begin() + 2);
        row.change(run);
        const RunReport report = run.runList(run.action, run.entries);
        EXPECT_EQ(!run.combiner.target.empty(), row.combined);
        if (row.info == 274) { // the line that says it for every document, and no other
            EXPECT_EQ(report.messageText.find(run.info(270)), std::string::npos);
        }
        if (row.info == 0) {
            EXPECT_EQ(report.messageText.find("Pump.pdf"), std::string::npos);
        } else {
            const std::string target = row.info == 273 ? run.dir.file("d.pdf") : run.dir.file("Pump.pdf");
            const std::string tail = row.info == 271 ? target + ": disk full" : target;
            EXPECT_NE(report.messageText.find(run.info(row.info) + " " + tail + "\r\n"),
                std::string::npos)
                << report.messageText;
        }
    }
}

TEST(CombinedPdfTest, ACancelledRunOrAGivenPathDecidesForTheSettings)
{
    CombinedRun cancelled;
    cancelled.settings.MultiJobAction[0] = "Plot";
    cancelled.settings.MultiJobAction[1] = "Export Doc PDF";
    cancelled.view.cancelAtEventLoop = 3; // the first sheet of the second drawing
    const RunReport report
        = cancelled.runList("MULTIJOB", { cancelled.entries[0], cancelled.entries[3] });
    EXPECT_TRUE(report.cancelled);
    EXPECT_TRUE(cancelled.combiner.target.empty());
    EXPECT_NE(report.messageText.find(cancelled.lines({ { "", 275 } })), std::string::npos);

    // A path given (the batch program's --combine-pdf) combines also where the stored option
    // is off, and in a multi-job with a document export step.
    CombinedRun given;
    given.settings.ExpDocCombinePdf = 0;
    given.environment.combinedPdfPath = given.dir.file("out.pdf");
    given.settings.MultiJobAction[0] = "Export Doc PDF";
    given.runList("MULTIJOB", { given.entries[0] });
    EXPECT_EQ(given.combiner.target, given.dir.file("out.pdf"));
    EXPECT_EQ(given.combiner.parts.size(), 1u);
}

} // namespace
} // namespace quorrix::engine
