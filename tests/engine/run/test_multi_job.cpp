#include <gtest/gtest.h>

#include <filesystem>

#include "engine/platform/path_text.h"
#include "engine/printlist/print_list.h"
#include "engine/run/multi_job.h"
#include "engine/run/multi_job_dialog.h"
#include "engine/settings/settings_file.h"
#include "support/run_fixture.h"

namespace quorrix::engine {
namespace {

// Three sheets, so a filter that drops one shows.
constexpr const char* kDrawing = "[Document]\nTitle=plate.SLDDRW\n"
                                 "[Sheet.1]\nName=Front\n[Sheet.2]\nName=Detail\n"
                                 "[Sheet.3]\nName=Back\n";

struct StepRun : test::RunFixture {
    StepRun()
    {
        settings.MultiJobAction.fill("-");
        settings.MultiJobPreType.fill("-");
    }

    void setSteps(const std::vector<std::string>& steps)
    {
        std::copy(steps.begin(), steps.end(), settings.MultiJobAction.begin());
    }
    std::shared_ptr<SwDocument> openDocument(const std::string& name)
    {
        if (name.ends_with("SLDDRW"))
            return open(document(name, kDrawing), kSwDocDrawing);
        return open(document(name), kSwDocPart);
    }
    void runSteps(SwDocument& doc)
    {
        RunJobSteps(environment, *connection.swApp(), doc, messageText, "doc");
    }
    bool written(const std::string& name)
    {
        return std::filesystem::exists(pathFromUtf8(dir.file(name)));
    }
    // The first argument of each call, in order.
    std::vector<std::string> firstArgs(const std::string& member)
    {
        std::vector<std::string> args;
        for (const auto& entry : sim.journal().calls(member)) {
            if (!entry.args.empty()) // skips the document's own OpenDoc2 entry
                args.push_back(entry.args[0]);
        }
        return args;
    }
    std::size_t firstCall(const std::string& member)
    {
        const auto& entries = sim.journal().entries();
        const auto found = std::find_if(entries.begin(), entries.end(),
            [&](const swsim::JournalEntry& entry) { return entry.member == member; });
        return static_cast<std::size_t>(found - entries.begin());
    }

    std::string messageText;
    PrintList printList;
};

TEST(MultiJobTest, EachStepReachesItsProcedureAndLeavesTheDocumentOpen)
{
    // The step and the file written beside the document, or the macro module called. DXF
    // goes per sheet even when the settings ask for the whole drawing in one file; step
    // texts compare case-sensitively.
    const std::pair<const char*, const char*> rows[]
        = { { "TIFF", "Detail.tif" }, { "DXF", "Back.dxf" }, { "DWG", "Front.dwg" },
              { "Export 3D X_T", "shaft.x_t" }, { "Export 3D X_B", "shaft.x_b" },
              { "Export 3D IGES", "shaft.igs" }, { "Export 3D STEP", "shaft.step" },
              { "Export 3D SAT", "shaft.sat" }, { "Export 3D STL", "shaft.stl" },
              { "Export 3D WRL", "shaft.wrl" }, { "Export Doc PDF", "plate.pdf" },
              { "Export Doc JPG", "plate.jpg" }, { "Export eDrawings", "plate.edrw" },
              { "Run Macro 0", "\"Module0\"" }, { "Run Macro 7", "\"Module7\"" }, { "Plot", "" },
              { "use filter 3", "" }, { "Something else", "" } };
    for (const auto& [step, output] : rows) {
        SCOPED_TRACE(step);
        StepRun run;
        run.settings.DXFSWXMultiDXF = 1;
        run.settings.ExpDocSaveFormat = "jpg"; // the step names its own format
        for (std::size_t n = 0; n < kMacroSlots; ++n) {
            run.settings.RunMacroFilePathName[n] = run.document("m.swp", "x");
            run.settings.RunMacroModuleName[n] = "Module" + std::to_string(n);
            run.settings.RunMacroProcedureName[n] = "main";
        }
        const std::string text = step;
        run.setSteps({ text });
        run.runSteps(
            *run.openDocument(text.starts_with("Export 3D") ? "shaft.SLDPRT" : "plate.SLDDRW"));

        EXPECT_EQ(run.messageText, "");
        EXPECT_TRUE(run.calls("CloseDoc").empty());
        EXPECT_EQ(run.firstArgs("PrintOut2").size(), text == "Plot" ? 3u : 0u);
        const auto macros = run.sim.journal().calls("RunMacro");
        if (text.starts_with("Run Macro")) {
            ASSERT_EQ(macros.size(), 1u);
            EXPECT_EQ(macros[0].args.at(1), output);
        } else if (*output) {
            EXPECT_TRUE(run.written(output));
        } else {
            EXPECT_TRUE(run.calls("SaveAs2").empty());
        }
    }
    EXPECT_EQ(macroSlotOfJobText("Run Macro 9"), 9);
    for (const char* other : { "Run Macro 10", "Run Macro ", "run macro 1", "Run Macro x" })
        EXPECT_EQ(macroSlotOfJobText(other), std::nullopt) << other;
}

TEST(MultiJobTest, UseStepsHoldForTheFollowingStepsOfOneDocumentOnly)
{
    struct Row {
        std::int16_t filterActive;
        std::vector<std::string> steps;
        std::vector<std::string> printed; // sheet numbers
        std::vector<std::string> tiffs;
    };
    const std::vector<std::string> allTiffs { "Front.tif", "Detail.tif", "Back.tif" };
    const Row rows[] = {
        { 0, { "Use Filter 3", "Plot", "Use Filter None", "TIFF" }, { "1", "3" }, allTiffs },
        { 1, { "Use Filter None", "Plot" }, { "1", "2", "3" }, {} },
        { 1, { "Plot" }, { "3" }, {} }, // the selected set 5
        { 0, { "Use Filter 3", "Use Filter 5", "Plot", "TIFF" }, { "3" }, { "Back.tif" } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.steps.front());
        StepRun run;
        run.settings.FilterNameFilter[3].NotContain0 = "Detail";
        run.settings.FilterNameFilter[5].Contain0 = "Back";
        run.settings.FilterNameIndex = 5;
        run.settings.FilterActive = row.filterActive;
        run.settings.selectActiveFilter();
        const Settings before = run.settings;
        const auto doc = run.openDocument("plate.SLDDRW");
        run.setSteps(row.steps);
        run.runSteps(*doc);

        EXPECT_EQ(run.firstArgs("PrintOut2"), row.printed);
        for (const std::string& tif : allTiffs) {
            EXPECT_EQ(run.written(tif),
                std::find(row.tiffs.begin(), row.tiffs.end(), tif) != row.tiffs.end())
                << tif;
        }
        EXPECT_EQ(run.settings.FilterActive, before.FilterActive);
        EXPECT_EQ(run.settings.FilterNameIndex, 5);
        EXPECT_EQ(run.settings.ActiveFilter, before.ActiveFilter);
    }

    for (const std::int16_t useit : { std::int16_t { 0 }, std::int16_t { 1 } }) {
        SCOPED_TRACE(useit);
        StepRun run;
        for (std::size_t n = 0; n < kPrePostSets; ++n)
            run.settings.PrePostPrefix[n] = "P" + std::to_string(n) + "_";
        run.settings.PrePostIndex = 6;
        run.settings.PrePostUseit = useit;
        const auto doc = run.openDocument("shaft.SLDPRT");
        run.setSteps({ "Export 3D STEP", "Use Pre/Postfix 2", "Export 3D IGES",
            "Use Pre/Postfix None", "Export 3D STL" });
        run.runSteps(*doc);

        const std::string first = useit ? "P6_shaft.step" : "shaft.step";
        EXPECT_EQ(run.firstArgs("SaveAs2"),
            (std::vector<std::string> { "\"" + run.dir.file(first) + "\"",
                "\"" + run.dir.file("P2_shaft.igs") + "\"",
                "\"" + run.dir.file("shaft.stl") + "\"" }));
        EXPECT_EQ(run.settings.PrePostIndex, 6);
        EXPECT_EQ(run.settings.PrePostUseit, useit);
    }
}

TEST(MultiJobTest, CancelAndAutomationErrorsEndTheStepsWithSettingsRestored)
{
    StepRun cancelled;
    cancelled.view.cancelAtEventLoop = 2; // after the first sheet of the plot
    const auto plate = cancelled.openDocument("plate.SLDDRW");
    cancelled.setSteps({ "Use Filter 3", "Plot", "TIFF", "Export Doc PDF" });
    cancelled.runSteps(*plate);
    EXPECT_EQ(cancelled.firstArgs("PrintOut2").size(), 1u);
    EXPECT_TRUE(cancelled.calls("SaveAs2").empty()); // nothing behind the user's back
    EXPECT_EQ(cancelled.settings.FilterActive, 0);

    StepRun raising;
    raising.settings.FilterNameFilter[4].Contain0 = "Front";
    const Settings before = raising.settings;
    raising.sim.installation().raise = { "SaveAs2" };
    const auto shaft = raising.openDocument("shaft.SLDPRT");
    raising.setSteps({ "Use Filter 4", "Use Pre/Postfix 8", "Export 3D STEP" });
    EXPECT_THROW(raising.runSteps(*shaft), AutomationError);
    EXPECT_EQ(raising.settings.FilterActive, before.FilterActive);
    EXPECT_EQ(raising.settings.ActiveFilter, before.ActiveFilter);
    EXPECT_EQ(raising.settings.PrePostIndex, before.PrePostIndex);
    EXPECT_EQ(raising.settings.PrePostUseit, before.PrePostUseit);
}

TEST(MultiJobRunTest, LoadedSettingsHoldForThePassAndThePreviousComeBack)
{
    StepRun run;
    run.settings.TiffPrintDPI = 150;
    run.settings.MultiJobAction[0] = "TIFF";
    run.settings.MultiJobPreType[1] = "LoadSettings";
    run.settings.MultiJobPreTypeParam[1] = run.document(
        "job.qrxcfg", "[TIFF]\r\nTiffPrintDPI=600\r\n[MultiJob]\r\nMultiJobAction0=Plot\r\n");
    run.printList.insertPaths({ run.document("plate.SLDDRW") });
    const Settings before = run.settings;
    const RunReport report = RunMultiJob(run.environment, run.printList);

    EXPECT_EQ(report.messageText, "");
    EXPECT_TRUE(run.written("Sheet1.tif"));
    EXPECT_TRUE(run.calls("PrintOut2").empty()); // the file's steps are not taken
    std::vector<std::string> dpi;
    for (const auto& entry : run.sim.journal().calls("SetUserPreferenceIntegerValue")) {
        if (entry.args.at(0) == "9")
            dpi.push_back(entry.args.at(1));
    }
    EXPECT_EQ(dpi.front(), "600");
    EXPECT_EQ(run.settings.TiffPrintDPI, 150);
    EXPECT_EQ(run.settings.MultiJobAction, before.MultiJobAction);
    // Each run keeps the settings in a copy of its own, gone once they are back.
    EXPECT_NE(multiJobTempSettingsPath(run.environment), multiJobTempSettingsPath(run.environment));
    for (const auto& file : std::filesystem::directory_iterator(run.shell.temporaryFolder()))
        EXPECT_EQ(file.path().filename().string().find(kTempSettingsFileStem), std::string::npos);
}

TEST(MultiJobRunTest, ListFilePreJobInsertsBeforeTheCurrentRowOrReportsAMissingFile)
{
    using Row = std::tuple<int, bool, std::vector<std::string>, int>;
    const Row rows[] = {
        { 1, false, { "a", "x", "y", "b", "c" }, 3 },
        { PrintList::kNoRow, false, { "a", "b", "c", "x", "y" }, PrintList::kNoRow },
        { 1, true, { "a", "b", "c" }, 1 },
    };
    for (const auto& [current, missing, opened, currentAfter] : rows) {
        SCOPED_TRACE(current);
        StepRun run;
        std::vector<std::string> expected;
        for (const char* name : { "a", "b", "c" })
            run.printList.insertPaths({ run.document(std::string(name) + ".SLDDRW") });
        run.printList.setCurrentRow(current);
        for (const std::string& name : opened)
            expected.push_back("\"" + run.dir.file(name + ".SLDDRW") + "\"");
        const std::string list
            = "\"" + run.document("x.SLDDRW") + "\"\r\n\"" + run.document("y.SLDDRW") + "\"\r\n";
        run.settings.MultiJobPreType = { "LoadQRXList", "Run Macro 3", "Nonsense" };
        run.settings.MultiJobPreTypeParam[0]
            = missing ? run.dir.file("gone.qrx") : run.document("l.qrx", list);
        run.settings.RunMacroFilePathName[3] = run.document("m.swp", "x");
        run.settings.RunMacroModuleName[3] = "Module1";
        run.settings.RunMacroProcedureName[3] = "main";
        RunMultiJob(run.environment, run.printList);

        // Ten empty steps only open and close each document.
        EXPECT_EQ(run.firstArgs("OpenDoc2"), expected);
        EXPECT_EQ(run.calls("CloseDoc").size(), expected.size());
        EXPECT_TRUE(run.calls("SaveAs2").empty());
        EXPECT_EQ(run.printList.currentRow(), currentAfter);
        EXPECT_LT(run.firstCall("RunMacro"), run.firstCall("OpenDoc2")); // once, before
        ASSERT_EQ(run.view.shown.size(), missing ? 1u : 0u);
        if (missing) {
            EXPECT_EQ(run.view.shown[0].text, run.info(101));
            EXPECT_EQ(run.view.shown[0].title, run.info(86));
            EXPECT_EQ(run.view.shown[0].icon, MessageIcon::Exclamation);
        }
    }
}

TEST(MultiJobRunTest, LineWeightsAreReadBeforeAndWrittenAfterThePass)
{
    StepRun run;
    run.sim.installation().revision = "16.0.0"; // widths are system options
    run.settings.ShutdownWhenDone = -1;
    run.defaultLines.Weights.fill(0.004);
    run.printList.insertPaths({ run.document("a.SLDDRW"), run.document("b.SLDDRW") });
    RunMultiJob(run.environment, run.printList);

    EXPECT_DOUBLE_EQ(run.defaultLines.Weights[0], 0.00018); // the stand-in's own
    const auto& entries = run.sim.journal().entries();
    const std::size_t lastClose = entries.rend() - 1
        - std::find_if(
            entries.rbegin(), entries.rend(), [](const auto& e) { return e.member == "CloseDoc"; });
    EXPECT_LT(run.firstCall("GetUserPreferenceDoubleValue"), run.firstCall("OpenDoc2"));
    EXPECT_GT(run.firstCall("SetUserPreferenceDoubleValue"), lastClose);
    EXPECT_LT(run.firstCall("SetUserPreferenceDoubleValue"), run.firstCall("ExitApp"));
    EXPECT_LT(run.firstCall("ExitApp"), entries.size());
}

TEST(MultiJobRunTest, NothingRunsWhenTheSettingsCannotBeKept)
{
    StepRun run;
    run.shell.tempFolder = run.dir.file("gone") + kPathSeparator;
    run.settings.MultiJobPreType[0] = "LoadSettings";
    run.settings.MultiJobPreTypeParam[0]
        = run.document("job.qrxcfg", "[TIFF]\r\nTiffPrintDPI=600\r\n");
    run.printList.insertPaths({ run.document("a.SLDDRW") });
    const RunReport report = RunMultiJob(run.environment, run.printList);

    EXPECT_FALSE(report.started);
    EXPECT_TRUE(run.firstArgs("OpenDoc2").empty());
    EXPECT_NE(run.settings.TiffPrintDPI, 600);
    EXPECT_FALSE(run.view.shown.empty()); // the failed save told the user
}

TEST(MultiJobDialogTest, PreJobRowsShowAndEmptyTheirFileBox)
{
    Settings settings;
    settings.MultiJobPreType = { "LoadSettings", "Run Macro 4", "LoadQRXList" };
    settings.MultiJobPreTypeParam = { "C:\\a.qrxcfg", "", "C:\\b.qrx" };
    settings.MultiJobAction[2] = "Plot";
    const Settings before = settings;

    MultiJobWorkingCopy dialog(settings);
    // Loading keeps the stored paths although their combos show a file pre-job.
    EXPECT_EQ(dialog.preJob(2), (PreJobRow { "LoadQRXList", "C:\\b.qrx" }));
    EXPECT_FALSE(dialog.parameterVisible(1));
    const std::tuple<const char*, bool, const char*> choices[] = {
        { "-", false, "C:\\a.qrxcfg" }, // hidden, not emptied
        { "LoadQRXList", true, "" },
        { "Run Macro 0", false, "" },
        { "LoadSettings", true, "" },
    };
    for (const auto& [type, visible, parameter] : choices) {
        dialog.choosePreJob(0, type);
        EXPECT_EQ(dialog.parameterVisible(0), visible) << type;
        EXPECT_EQ(dialog.preJob(0).parameter, parameter) << type;
    }
    dialog.choosePreJob(2, "LoadQRXList"); // choosing it again empties the box as well
    EXPECT_EQ(dialog.preJob(2).parameter, "");
    dialog.setParameter(2, "D:\\c.qrx");
    dialog.setStep(9, "TIFF");
    EXPECT_EQ(settings.MultiJobPreTypeParam, before.MultiJobPreTypeParam); // Cancel

    dialog.store(settings);
    EXPECT_EQ(settings.MultiJobPreTypeParam, (std::array<std::string, 3> { "", "", "D:\\c.qrx" }));
    EXPECT_EQ(settings.MultiJobAction[9], "TIFF");
    EXPECT_EQ(settings.MultiJobAction[2], "Plot");
}

} // namespace
} // namespace quorrix::engine
