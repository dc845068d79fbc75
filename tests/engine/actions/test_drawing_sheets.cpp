#include <gtest/gtest.h>

#include "engine/actions/drawing_sheets.h"
#include "engine/platform/path_text.h"
#include "support/action_fixture.h"
#include "swsim/sim_application.h"

namespace quorrix::engine {
namespace {

using test::ActionFixture;
using test::readFileBytes;

// Three sheets: A3 landscape, A4 portrait, A3 landscape.
constexpr const char* kDrawing = "[Document]\nTitle=plate.SLDDRW\n"
                                 "[Sheet.1]\nName=Front\nPaperSize=8\nWidth=0.42\nHeight=0.297\n"
                                 "[Sheet.2]\nName=Detail\nPaperSize=7\nWidth=0.21\nHeight=0.297\n"
                                 "[Sheet.3]\nName=Back\nPaperSize=8\nWidth=0.42\nHeight=0.297\n";

struct SheetRun : ActionFixture {
    explicit SheetRun(const std::string& faults = {})
    {
        path = document("plate.SLDDRW", kDrawing + faults);
        doc = open(path, kSwDocDrawing);
    }
    void run(const std::string& action, bool closeAfter = true)
    {
        ProcessDrawingSheets(
            context, action, *connection.swApp(), *doc, closeAfter, errors, "plate.SLDDRW");
    }
    std::string line(int number) { return "plate.SLDDRW " + info(number) + "\r\n"; }
    std::vector<std::string> members(const std::string& member)
    {
        std::vector<std::string> args;
        for (const auto& entry : sim.journal().calls(member)) {
            std::string text;
            for (const auto& arg : entry.args)
                text += (text.empty() ? "" : ",") + arg;
            args.push_back(text);
        }
        return args;
    }

    std::string path;
    std::shared_ptr<SwDocument> doc;
    std::string errors;
};

TEST(DrawingSheetsTest, PlotPrintsEverySheetWithItsPageSetupRestored)
{
    SheetRun run;
    run.settings.PrinterScaleForSize[12] = 1.5;
    run.run("Plot");
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(run.members("PrintOut2"),
        (std::vector<std::string> { "1,1,1,False,\"\",1.5,False,\"\"",
            "2,2,1,False,\"\",1.5,False,\"\"", "3,3,1,False,\"\",1.5,False,\"\"" }));
    EXPECT_EQ(
        run.members("UsePageSetup="), (std::vector<std::string> { "2", "1", "2", "1", "2", "1" }));
    EXPECT_EQ(run.counters.ProcessedSheets, 3);
    EXPECT_EQ(run.view.ranges[RunBar::Sheet], std::make_pair(0.0f, 6.0f));
    std::string bar;
    for (const auto& event : run.view.events) {
        if (event.starts_with("prgrSheet ") && event.find("range") == std::string::npos)
            bar += event.substr(10);
    }
    EXPECT_EQ(bar, "012345");
    EXPECT_EQ(run.calls("CloseDoc").size(), 1u);

    SheetRun old;
    old.sim.installation().revision = "10.0.0";
    old.run("Plot");
    EXPECT_TRUE(old.members("UsePageSetup=").empty());
    EXPECT_EQ(old.members("PrintOut2").size(), 3u);
}

TEST(DrawingSheetsTest, NamingConventionsDecideTheFileNames)
{
    const std::pair<std::int16_t, std::vector<std::string>> rows[] = {
        { 0, { "plate.SLDDRW.dxf" } }, // every sheet saved under the title
        { 1, { "Front.dxf", "Detail.dxf", "Back.dxf" } },
        { 2, { "plate.dxf" } },
        { 7, { ".dxf" } },
    };
    for (const auto& [convention, files] : rows) {
        SheetRun run;
        run.settings.DXFSaveFullPathName = convention;
        run.run("DXF");
        EXPECT_EQ(run.errors, "");
        std::vector<std::string> saved;
        for (const auto& args : run.members("SaveAs2")) {
            std::string target = args.substr(1, args.find('"', 1) - 1);
            std::string name = target.substr(run.dir.path().size() + 1);
            if (saved.empty() || saved.back() != name)
                saved.push_back(name);
        }
        EXPECT_EQ(saved, files) << convention;
        EXPECT_EQ(run.members("SaveAs2").size(), 3u);
        EXPECT_EQ(run.counters.ProcessedSheets, 3);
    }
}

TEST(DrawingSheetsTest, MissingFolderAndFailedSavesGiveOneLinePerSheet)
{
    SheetRun run;
    run.settings.DXFSaveInDrawingFolder = 0;
    run.settings.DXFSaveFolder = run.dir.file("gone");
    run.run("DWG");
    EXPECT_EQ(run.errors, run.line(113) + run.line(113) + run.line(113));
    EXPECT_FALSE(readFileBytes(run.dir.file("Front.dwg")).empty());

    for (const auto& [action, number] :
        { std::pair { "TIFF", 106 }, { "DXF", 105 }, { "DWG", 107 } }) {
        SheetRun failing("[Faults]\nSaveError=1\n");
        failing.run(action);
        EXPECT_EQ(
            failing.errors, failing.line(number) + failing.line(number) + failing.line(number));
        EXPECT_EQ(failing.counters.ProcessedSheets, 3);
        SheetRun empty("[Faults]\nEmptyOutput=1\n"); // reported as saved, but nothing there
        empty.run(action);
        EXPECT_EQ(empty.errors, empty.line(number) + empty.line(number) + empty.line(number));
    }
}

TEST(DrawingSheetsTest, TiffOptionsAreSetPerSheetAndRestoredPerDrawing)
{
    SheetRun run;
    run.settings.TiffPrintDPI = 50;
    run.settings.TiffSaveEachSheetOwnSize = 1;
    run.run("TIFF");
    EXPECT_EQ(run.errors, "");
    // Each sheet's own paper code and size, then the preferences found at the start.
    std::vector<std::string> paper;
    for (const auto& args : run.members("SetUserPreferenceIntegerValue")) {
        if (args.starts_with("10,") && args != "10,12")
            paper.push_back(args);
    }
    EXPECT_EQ(paper, (std::vector<std::string> { "10,8", "10,7", "10,8", "10,8" }));
    auto& app = *run.connection.swApp();
    EXPECT_EQ(app.GetUserPreferenceIntegerValue(9), 300);
    EXPECT_EQ(app.GetUserPreferenceIntegerValue(8), 2);
    EXPECT_FALSE(readFileBytes(run.dir.file("Detail.tif")).empty());
    const auto sizes = run.members("SetUserPreferenceDoubleValue");
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), "9,0.21"), sizes.end()); // metres

    SheetRun configured;
    configured.settings.TiffSaveEachSheetOwnSize = 0;
    configured.settings.TiffPrintPaperSize = 12;
    configured.settings.TiffPrintPaperWidth = 200; // millimetres from the settings
    configured.run("TIFF");
    const auto doubles = configured.members("SetUserPreferenceDoubleValue");
    EXPECT_NE(std::find(doubles.begin(), doubles.end(), "9,0.2"), doubles.end()); // in metres
}

TEST(DrawingSheetsTest, RefusedTiffOptionOrCancelStopsTheLoopButClosesAndRestores)
{
    SheetRun run;
    run.sim.installation().refusedPreferences = { "Integer.9" };
    run.run("TIFF");
    ASSERT_EQ(run.view.shown.size(), 1u);
    EXPECT_EQ(run.view.shown[0].title, "QUORRIX - Fehlerinfo");
    EXPECT_NE(run.view.shown[0].text.find("TiffPrintDPI"), std::string::npos);
    EXPECT_TRUE(run.members("SaveAs2").empty());
    EXPECT_EQ(run.members("ActivateSheet").size(), 1u);
    EXPECT_EQ(run.calls("CloseDoc").size(), 1u);
    EXPECT_EQ(run.connection.swApp()->GetUserPreferenceIntegerValue(10), 8); // restored

    SheetRun cancelled;
    cancelled.view.cancelAtEventLoop = 2;
    cancelled.run("TIFF");
    EXPECT_EQ(cancelled.members("SaveAs2").size(), 1u);
    EXPECT_EQ(cancelled.counters.ProcessedSheets, 1);
    EXPECT_EQ(cancelled.calls("CloseDoc").size(), 1u);
    EXPECT_GE(cancelled.calls("SetUserPreferenceIntegerValue").size(), 9u);
}

TEST(DrawingSheetsTest, FilteredSheetsAreActivatedShownRedAndNotCounted)
{
    SheetRun run("[Faults]\nActivateSheet=Back\n");
    run.settings.FilterActive = 1;
    run.settings.ActiveFilter.NotContain0 = "Detail";
    run.run("Plot");
    EXPECT_EQ(run.members("ActivateSheet"),
        (std::vector<std::string> { "\"Front\"", "\"Detail\"", "\"Back\"" }));
    EXPECT_EQ(run.members("PrintOut2").size(), 1u);
    EXPECT_EQ(run.errors, run.line(104));
    EXPECT_EQ(run.counters.ProcessedSheets, 1);
    EXPECT_EQ(run.clock.sleeps, std::vector<int> { 500 });
    const auto& events = run.view.events;
    const auto red = std::find(events.begin(), events.end(), "lblSheet=Detail filtered");
    ASSERT_NE(red, events.end());
    EXPECT_EQ(*(red + 1), "highlight");
    EXPECT_EQ(*(red + 3), "lblSheet=" + run.info(22) + " 3");
    EXPECT_EQ(*(red + 4), "unhighlight");
}

TEST(DrawingSheetsTest, OtherDocumentsGetOnlyTheNotADrawingLine)
{
    ActionFixture fx;
    auto part = fx.open(fx.document("p.SLDPRT"), kSwDocPart);
    std::string errors;
    ProcessDrawingSheets(fx.context, "Plot", *fx.connection.swApp(), *part, true, errors, "p");
    EXPECT_EQ(errors, "p " + fx.info(103) + "\r\n");
    EXPECT_TRUE(fx.calls("CloseDoc").empty());
    EXPECT_TRUE(fx.calls("GetUserPreferenceIntegerValue").empty());
}

TEST(DrawingSheetsTest, OneFileSaveUsesTheFileNameAndThePrefix)
{
    SheetRun run;
    run.settings.PrePostUseit = 1;
    run.settings.PrePostPrefix[0] = ":y_";
    run.settings.DXFSaveInDrawingFolder = 0;
    run.settings.DXFSaveFolder = run.dir.file("gone");
    SaveDrawingAsOneFile(
        run.context, "DWG", *run.connection.swApp(), *run.doc, false, run.errors, "plate.SLDDRW");
    EXPECT_EQ(run.errors, run.line(112));
    EXPECT_FALSE(readFileBytes(run.dir.file("2026_plate.dwg")).empty());
    EXPECT_EQ(run.view.label(RunLabel::Sheet), run.info(23) + " dwg");
    EXPECT_TRUE(run.calls("CloseDoc").empty());
    EXPECT_EQ(run.counters.ProcessedSheets, 0);
}

} // namespace
} // namespace quorrix::engine
