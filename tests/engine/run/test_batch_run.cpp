#include <gtest/gtest.h>

#include <algorithm>

#include "engine/platform/path_text.h"
#include "engine/run/process_log.h"
#include "support/run_fixture.h"

namespace quorrix::engine {
namespace {

using test::readFileBytes;
using test::RunFixture;

constexpr const char* kOneSheet = "[Document]\n[Sheet.1]\nName=S1\n";
constexpr const char* kThreeSheets = "[Document]\n[Sheet.1]\nName=S1\n[Sheet.2]\nName=S2\n"
                                     "[Sheet.3]\nName=S3\n";

// The parts between the separators; one at the end closes the last part.
std::vector<std::string> split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    if (start < text.size())
        parts.push_back(text.substr(start));
    return parts;
}

TEST(BatchRunTest, RestartsEveryFiftyEntriesCountingMissingFilesToo)
{
    RunFixture run;
    run.settings.ShutdownEveryXXDrawingValue = 50;
    std::vector<std::string> entries;
    for (int i = 0; i < 120; ++i)
        entries.push_back(run.dir.file("missing" + std::to_string(i) + ".SLDDRW"));
    const RunReport report = run.runList("DXF", entries);
    EXPECT_EQ(run.calls("ExitApp").size(), 2u);
    EXPECT_EQ(run.clock.sleeps, (std::vector<int> { 5000, 5000 }));
    const auto& events = run.view.events;
    const auto restart
        = std::find(events.begin(), events.end(), "lblQRXList=Restart SolidWorks (5 sec. Pause)");
    ASSERT_NE(restart, events.end());
    const auto shown = std::find_if(std::make_reverse_iterator(restart), events.rend(),
        [](const std::string& event) { return event.starts_with("lblQRXList="); });
    ASSERT_NE(shown, events.rend());
    EXPECT_NE(shown->find(" 51 / 120 "), std::string::npos);
    // Each document starts with no sheet count until it is open.
    const auto painted = std::find(shown.base(), restart, "repaint");
    EXPECT_NE(std::find(shown.base(), painted, "lblSheet=??? " + run.info(22)), painted);
    EXPECT_EQ(split(report.messageText, "\r\n").size(), 120u);
    EXPECT_EQ(split(report.messageText, "\r\n").front(), entries[0] + " " + run.info(101));
    EXPECT_EQ(run.counters.ProcessedDrawings, 0);
    EXPECT_EQ(report.failedEntries.size(), 120u);
}

TEST(BatchRunTest, ReverseOrderStillCountsForwardAndLogsEveryEntry)
{
    RunFixture run;
    run.settings.PrintlistReverse = -1;
    run.settings.LoggingActive = 1;
    const std::vector<std::string> entries { run.document("a.SLDDRW", kOneSheet),
        run.document("b.SLDPRT"), run.dir.file("gone.SLDDRW") };
    const RunReport report = run.runList("Plot", entries);
    const auto opened = run.sim.journal().calls("OpenDoc2");
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].args.at(0), "\"" + entries[1] + "\"");
    EXPECT_EQ(opened[1].args.at(0), "\"" + entries[0] + "\"");
    std::vector<std::string> counted;
    std::copy_if(run.view.events.begin(), run.view.events.end(), std::back_inserter(counted),
        [](const std::string& event) { return event.starts_with("lblQRXList="); });
    EXPECT_EQ(counted,
        (std::vector<std::string> { "lblQRXList=" + run.info(21) + " 1 / 3 \n" + entries[2],
            "lblQRXList=" + run.info(21) + " 2 / 3 \n" + entries[1],
            "lblQRXList=" + run.info(21) + " 3 / 3 \n" + entries[0] }));
    EXPECT_EQ(report.messageText,
        entries[2] + " " + run.info(101) + "\r\n" + entries[1] + " " + run.info(103) + "\r\n");
    EXPECT_EQ(run.counters.ProcessedDrawings, 2);
    EXPECT_EQ(run.counters.ProcessedSheets, 1);

    const std::vector<std::string> log = split(readFileBytes(report.logPath), "\r\n");
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(split(log[0], "\t").size(), 11u);
    const auto missing = split(log[1], "\t");
    ASSERT_EQ(missing.size(), 7u);
    EXPECT_EQ(missing[1] + "|" + missing[5] + "|" + missing[6], "| |nothing");
    const auto part = split(log[2], "\t");
    ASSERT_EQ(part.size(), 11u);
    EXPECT_EQ(part[1] + "|" + part[2] + "|" + part[6] + "|" + part[9], "OpenDoc2|False|0|Plot");
    // The end: counters saved, statistics refreshed, window gone, one message box.
    EXPECT_EQ(run.view.events.back(), "message " + report.messageText);
    EXPECT_EQ(run.refreshes, 1);
    UsageCounters saved;
    run.registry.LoadProcessedCounters(saved);
    EXPECT_EQ(saved.ProcessedDrawings, 2);
}

TEST(BatchRunTest, CancelInTheThirdDrawingSkipsTheRestWithOneLine)
{
    RunFixture run;
    run.settings.ShutdownEveryXXDrawingValue = 1;
    run.settings.LoggingActive = 1;
    std::vector<std::string> entries { run.document("1.SLDDRW", kOneSheet),
        run.document("2.SLDDRW", kOneSheet), run.document("3.SLDDRW", kThreeSheets),
        run.document("4.SLDDRW", kOneSheet), run.document("5.SLDDRW", kOneSheet) };
    run.view.cancelAtEventLoop = 4; // the second sheet of the third drawing
    const RunReport report = run.runList("Plot", entries);
    EXPECT_EQ(report.messageText, run.info(102) + " " + entries[3] + "\r\n");
    EXPECT_TRUE(report.cancelled);
    // The third drawing was cut short; the last two were never opened.
    EXPECT_EQ(report.failedEntries, (std::vector<std::string>(entries.begin() + 2, entries.end())));
    EXPECT_EQ(run.counters.ProcessedSheets, 3);
    EXPECT_EQ(run.calls("OpenDoc2").size(), 3u);
    EXPECT_EQ(run.calls("CloseDoc").size(), 3u);
    EXPECT_EQ(run.calls("ExitApp").size(), 2u); // before entries 2 and 3 only
    EXPECT_EQ(split(readFileBytes(report.logPath), "\r\n").size(), 4u);
    EXPECT_EQ(run.cancelFlag, 0);
}

TEST(BatchRunTest, EmptyListAndMissingSolidWorksEndEarly)
{
    RunFixture run;
    run.settings.LoggingActive = 1;
    RunReport report = run.runList("Plot", {});
    EXPECT_FALSE(report.started);
    ASSERT_EQ(run.view.shown.size(), 1u);
    EXPECT_EQ(run.view.shown[0].text, run.info(100));
    EXPECT_EQ(run.view.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(readFileBytes(report.logPath), processLogHeader() + "\r\n");

    run.sim.installation().installed = false;
    report = run.runList("TIFF", { run.document("a.SLDDRW") });
    EXPECT_TRUE(report.noSolidWorks);
    EXPECT_EQ(run.view.shown.back().text, kNoSwxInstanceText);
    EXPECT_EQ(report.failedEntries.size(), 1u);
}

TEST(BatchRunTest, DocumentTypeComesFromTheEndOfThePath)
{
    for (const auto& [path, type] : { std::pair { "a.SldDrw", 3 }, { "A.sldprt", 1 },
             { "x.SLDASM", 2 }, { "x.txt", 0 }, { "drw", 0 } })
        EXPECT_EQ(GetDocTypeFromPath(path), type) << path;

    RunFixture run;
    const std::string text = run.document("notes.txt", "x");
    const RunReport report = run.runList("Plot", { text });
    EXPECT_EQ(run.sim.journal().calls("OpenDoc2").at(0).args.at(1), "0");
    EXPECT_EQ(report.messageText, text + " " + run.info(122) + "\r\n");
}

TEST(BatchRunTest, AutomationErrorBecomesALineAndSolidWorksIsStartedAnewOrTheRunEnds)
{
    for (const bool reconnects : { true, false }) {
        SCOPED_TRACE(reconnects);
        RunFixture run;
        const std::vector<std::string> entries {
            run.document("bad.SLDDRW", std::string(kOneSheet) + "[Faults]\nRaise=PrintOut2\n"),
            run.document("good.SLDDRW", kOneSheet)
        };
        if (!reconnects)
            run.view.onEventLoop = [&](int) { run.sim.installation().installed = false; };
        const RunReport report = run.runList("Plot", entries);
        const auto message = split(report.messageText, "\r\n");
        ASSERT_EQ(message.size(), 1u);
        EXPECT_TRUE(message[0].starts_with(entries[0] + " " + run.info(140) + " "));
        EXPECT_NE(message[0].find("(-2147417851)"), std::string::npos);
        EXPECT_EQ(run.counters.ProcessedDrawings, reconnects ? 2 : 1);
        EXPECT_EQ(run.refreshes, 1);
        if (reconnects) {
            EXPECT_EQ(run.calls("ExitApp").size(), 1u);
            EXPECT_EQ(run.calls("PrintOut2").size(), 2u);
            EXPECT_EQ(report.failedEntries, std::vector<std::string> { entries[0] });
            continue;
        }
        // The end steps still run: the window goes and the message is shown.
        EXPECT_TRUE(report.noSolidWorks);
        EXPECT_EQ(report.failedEntries, entries); // the second one was never reached
        EXPECT_EQ(run.calls("OpenDoc2").size(), 1u);
        ASSERT_EQ(run.view.shown.size(), 2u);
        EXPECT_EQ(run.view.shown[0].text, kNoSwxInstanceText);
        EXPECT_EQ(run.view.shown[1].text, report.messageText);
        EXPECT_NE(std::find(run.view.events.begin(), run.view.events.end(), "unload"),
            run.view.events.end());
    }
}

TEST(BatchRunTest, UnwritableLogIsReportedOnceAndTheRunGoesOn)
{
    RunFixture run;
    run.settings.LoggingActive = 1;
    run.environment.programFolder = run.dir.file("no-such-folder");
    run.environment.userDataFolder = run.dir.file("no-such-folder");
    const RunReport report = run.runList(
        "Plot", { run.document("a.SLDDRW", kOneSheet), run.document("b.SLDDRW", kOneSheet) });
    EXPECT_EQ(report.messageText, run.info(141) + " " + report.logPath + "\r\n");
    EXPECT_EQ(run.calls("PrintOut2").size(), 2u);
}

TEST(BatchRunTest, DxfInOneFileNeedsTheSwitchAndRevision14)
{
    for (const auto& [revision, saves] : { std::pair { "14.0.0", 1u }, { "13.9.0", 3u } }) {
        RunFixture run;
        run.sim.installation().revision = revision;
        run.settings.DXFSWXMultiDXF = 1;
        run.runList("DXF", { run.document("a.SLDDRW", kThreeSheets) });
        EXPECT_EQ(run.calls("SaveAs2").size(), saves) << revision;
    }
}

TEST(BatchRunTest, ActiveDocumentRunUsesTheTitleAndLeavesTheDocumentOpen)
{
    RunFixture run;
    run.environment.flags.WorkWithActiveDrawing = 1;
    RunReport report = run.runList("Plot", {});
    EXPECT_EQ(report.messageText, " " + run.info(235) + "\r\n");

    run.open(run.document("act.SLDPRT"), kSwDocPart);
    report = run.runList("Plot", {});
    EXPECT_EQ(report.messageText, "act.SLDPRT " + run.info(103) + "\r\n");
    EXPECT_TRUE(run.calls("CloseDoc").empty());
    EXPECT_EQ(run.counters.ProcessedDrawings, 1);
}

TEST(BatchRunTest, PlotIsBracketedByTheLineWeightsAndShutdownEndsSolidWorks)
{
    RunFixture run;
    run.settings.ShutdownWhenDone = -1;
    run.sim.installation().revision = "16.0.0";
    run.runList("Plot", { run.document("a.SLDDRW", kOneSheet) });
    const auto& entries = run.sim.journal().entries();
    const auto first = [&](const char* member) {
        return std::find_if(entries.begin(), entries.end(),
            [&](const swsim::JournalEntry& e) { return e.member == member; });
    };
    EXPECT_LT(first("GetUserPreferenceDoubleValue"), first("OpenDoc2"));
    EXPECT_NE(first("ExitApp"), entries.end());
    EXPECT_EQ(run.sim.application(), nullptr);
}

TEST(BatchRunTest, ConvertViewsSwitchesFacettedViewsByRevision)
{
    constexpr const char* kViews = "[Document]\n[Sheet.1]\nName=A\n"
                                   "View.1=mode=2;facetted=1;edges=1;useparent=0\n"
                                   "View.2=mode=3;facetted=0\n[Sheet.2]\nName=B\n";
    for (const auto& [revision, member] : { std::pair { "12.0.0", "SetDisplayMode3" },
             { "11.0.0", "SetDisplayMode2" }, { "10.9.0", "" } }) {
        RunFixture run;
        run.sim.installation().revision = revision;
        run.settings.AutoConvertViews = 1;
        auto document = run.open(run.document("v.SLDDRW", kViews), kSwDocDrawing);
        ASSERT_TRUE(document->ActivateSheet("B"));
        ConvertViews(run.environment, *document);
        SCOPED_TRACE(revision);
        const auto three = run.sim.journal().calls("SetDisplayMode3");
        const std::string expected = member;
        EXPECT_EQ(three.size() + run.calls("SetDisplayMode2").size(), expected.empty() ? 0u : 1u);
        if (!three.empty()) {
            EXPECT_EQ(three[0].args, (std::vector<std::string> { "False", "2", "False", "True" }));
        }
        if (!expected.empty()) {
            EXPECT_EQ(run.calls(expected).size(), 1u);
            EXPECT_EQ(run.sim.journal().calls("ActivateSheet").back().args[0], "\"B\"");
        }
    }
}

} // namespace
} // namespace quorrix::engine
