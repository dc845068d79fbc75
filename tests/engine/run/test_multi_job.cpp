#include <gtest/gtest.h>

#include <filesystem>

#include "engine/platform/path_text.h"
#include "engine/run/multi_job.h"
#include "engine/run/multi_job_dialog.h"
#include "support/run_fixture.h"

namespace quorrix::engine {
namespace {

// Three sheets, so a filter that drops one shows.
constexpr const char* kDrawing = "[Document]\nTitle=plate.SLDDRW\n"
                                 "[Sheet.1]\nName=Front\n[Sheet.2]\nName=Detail\n"
                                 "[Sheet.3]\nName=Back\n";

struct StepRun : test::RunFixture {
    StepRun() { settings.MultiJobAction.fill("-"); }

    void setSteps(const std::vector<std::string>& steps)
    {
        for (std::size_t n = 0; n < steps.size(); ++n)
            settings.MultiJobAction[n] = steps[n];
    }
    std::shared_ptr<SwDocument> openDocument(const std::string& name, const std::string& text = {})
    {
        const std::int32_t type = name.ends_with("SLDDRW") ? kSwDocDrawing : kSwDocPart;
        return open(document(name, text), type);
    }
    void runSteps(SwDocument& doc, const std::string& fileName = "doc")
    {
        RunJobSteps(environment, *connection.swApp(), doc, messageText, fileName);
    }
    bool written(const std::string& name)
    {
        return std::filesystem::exists(pathFromUtf8(dir.file(name)));
    }
    std::vector<std::string> printedSheets()
    {
        std::vector<std::string> sheets;
        for (const auto& entry : sim.journal().calls("PrintOut2"))
            sheets.push_back(entry.args.at(0));
        return sheets;
    }

    std::string messageText;
};

TEST(MultiJobTest, VocabulariesKeepTheirStoredOrder)
{
    const auto& steps = jobStepVocabulary();
    ASSERT_EQ(steps.size(), 47u);
    EXPECT_EQ(steps[0], "-");
    EXPECT_EQ(steps[5], "Export 3D X_T");
    EXPECT_EQ(steps[15], "Run Macro 1");
    EXPECT_EQ(steps[24], "Run Macro 0");
    EXPECT_EQ(steps[25], "Use Pre/Postfix None");
    EXPECT_EQ(steps[35], "Use Pre/Postfix 9");
    EXPECT_EQ(steps[36], "Use Filter None");
    EXPECT_EQ(steps[46], "Use Filter 9");

    const auto& preJobs = preJobVocabulary();
    ASSERT_EQ(preJobs.size(), 13u);
    EXPECT_EQ(preJobs[2], "LoadQRXList");
    EXPECT_EQ(preJobs[3], "Run Macro 0");
    EXPECT_EQ(preJobs[12], "Run Macro 9");

    EXPECT_EQ(macroSlotOfJobText("Run Macro 0"), 0);
    EXPECT_EQ(macroSlotOfJobText("Run Macro 9"), 9);
    for (const char* other : { "Run Macro 10", "Run Macro ", "run macro 1", "Run Macro x" })
        EXPECT_EQ(macroSlotOfJobText(other), std::nullopt) << other;
}

TEST(MultiJobTest, EachStepReachesItsProcedureAndLeavesTheDocumentOpen)
{
    struct Row {
        const char* step;
        const char* document;
        const char* output; // file written beside the document; empty: none
    };
    const Row rows[] = {
        { "Plot", "plate.SLDDRW", "" },
        { "TIFF", "plate.SLDDRW", "Detail.tif" },
        // Per sheet even when the settings ask for the whole drawing in one file.
        { "DXF", "plate.SLDDRW", "Back.dxf" },
        { "DWG", "plate.SLDDRW", "Front.dwg" },
        { "Export 3D X_T", "shaft.SLDPRT", "shaft.x_t" },
        { "Export 3D X_B", "shaft.SLDPRT", "shaft.x_b" },
        { "Export 3D IGES", "shaft.SLDPRT", "shaft.igs" },
        { "Export 3D STEP", "shaft.SLDPRT", "shaft.step" },
        { "Export 3D SAT", "shaft.SLDPRT", "shaft.sat" },
        { "Export 3D STL", "shaft.SLDPRT", "shaft.stl" },
        { "Export 3D WRL", "shaft.SLDPRT", "shaft.wrl" },
        { "Export Doc PDF", "plate.SLDDRW", "plate.pdf" },
        { "Export Doc JPG", "plate.SLDDRW", "plate.jpg" },
        { "Export eDrawings", "plate.SLDDRW", "plate.edrw" },
        { "Run Macro 0", "plate.SLDDRW", "" },
        { "Run Macro 7", "plate.SLDDRW", "" },
        { "use filter 3", "plate.SLDDRW", "" }, // texts compare case-sensitively
        { "Something else", "plate.SLDDRW", "" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.step);
        StepRun run;
        run.settings.DXFSWXMultiDXF = 1;
        run.settings.ExpDocSaveFormat = "jpg"; // the step names its own format
        run.settings.ThreeDSaveFormat = "stl";
        for (int n = 0; n < kMacroSlots; ++n) {
            const auto slot = static_cast<std::size_t>(n);
            run.settings.RunMacroFilePathName[slot]
                = run.document("macro" + std::to_string(n) + ".swp", "x");
            run.settings.RunMacroModuleName[slot] = "Module1";
            run.settings.RunMacroProcedureName[slot] = "main";
        }
        const std::string name = row.document;
        const auto doc = run.openDocument(name, name.ends_with("SLDDRW") ? kDrawing : "");
        run.setSteps({ row.step });
        run.runSteps(*doc);

        EXPECT_EQ(run.messageText, "");
        EXPECT_TRUE(run.calls("CloseDoc").empty());
        if (*row.output) {
            EXPECT_TRUE(run.written(row.output));
        }
        const std::string step = row.step;
        EXPECT_EQ(run.printedSheets().size(), step == "Plot" ? 3u : 0u);
        const auto macros = run.calls("RunMacro");
        if (step.starts_with("Run Macro ")) {
            ASSERT_EQ(macros.size(), 1u);
            EXPECT_NE(macros[0].find("macro" + step.substr(10) + ".swp"), std::string::npos);
        } else {
            EXPECT_TRUE(macros.empty());
        }
        if (!*row.output && step != "Plot" && !step.starts_with("Run Macro ")) {
            EXPECT_TRUE(run.calls("SaveAs2").empty());
        }
    }
}

TEST(MultiJobTest, FilterStepsHoldForTheFollowingStepsOfOneDocument)
{
    struct Row {
        const char* name;
        std::int16_t filterActive;
        std::vector<std::string> steps;
        std::vector<std::string> printed;
        std::vector<std::string> tiffs;
    };
    const std::vector<std::string> all { "1", "2", "3" };
    const std::vector<std::string> allTiffs { "Front.tif", "Detail.tif", "Back.tif" };
    const Row rows[] = {
        { "filter for the plot only", 0, { "Use Filter 3", "Plot", "Use Filter None", "TIFF" },
            { "1", "3" }, allTiffs },
        { "switched off although on", 1, { "Use Filter None", "Plot", "TIFF" }, all, allTiffs },
        { "selected set when on", 1, { "Plot" }, { "3" }, {} },
        { "set 3 for both", 0, { "Use Filter 3", "Plot", "TIFF" }, { "1", "3" },
            { "Front.tif", "Back.tif" } },
        { "last filter step wins", 0, { "Use Filter 3", "Use Filter 5", "Plot" }, { "3" }, {} },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StepRun run;
        run.settings.FilterNameFilter[3].NotContain0 = "Detail";
        run.settings.FilterNameFilter[5].Contain0 = "Back";
        run.settings.FilterNameIndex = 5;
        run.settings.FilterActive = row.filterActive;
        run.settings.selectActiveFilter();
        const Settings before = run.settings;
        const auto doc = run.openDocument("plate.SLDDRW", kDrawing);
        run.setSteps(row.steps);
        run.runSteps(*doc);

        EXPECT_EQ(run.printedSheets(), row.printed);
        for (const std::string& tif : allTiffs) {
            const bool expected
                = std::find(row.tiffs.begin(), row.tiffs.end(), tif) != row.tiffs.end();
            EXPECT_EQ(run.written(tif), expected) << tif;
        }
        EXPECT_EQ(run.settings.FilterActive, before.FilterActive);
        EXPECT_EQ(run.settings.FilterNameIndex, 5);
        EXPECT_EQ(run.settings.ActiveFilter, before.ActiveFilter);
        EXPECT_EQ(run.settings.FilterNameFilter, before.FilterNameFilter);
    }
}

TEST(MultiJobTest, PrePostfixStepsHoldForTheFollowingStepsOfOneDocument)
{
    struct Row {
        std::int16_t useit;
        std::vector<std::string> steps;
        std::vector<std::string> files;
    };
    const Row rows[] = {
        { 1,
            { "Export 3D STEP", "Use Pre/Postfix 2", "Export 3D IGES", "Use Pre/Postfix None",
                "Export 3D STL" },
            { "P6_shaft.step", "P2_shaft.igs", "shaft.stl" } },
        { 0, { "Export 3D STEP", "Use Pre/Postfix 0", "Export 3D IGES" },
            { "shaft.step", "P0_shaft.igs" } },
        { 0, { "Use Pre/Postfix 2", "Use Pre/Postfix None", "Export 3D SAT" }, { "shaft.sat" } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.files.front());
        StepRun run;
        for (int n = 0; n < kPrePostSets; ++n)
            run.settings.PrePostPrefix[static_cast<std::size_t>(n)] = "P" + std::to_string(n) + "_";
        run.settings.PrePostIndex = 6;
        run.settings.PrePostUseit = row.useit;
        const auto doc = run.openDocument("shaft.SLDPRT");
        run.setSteps(row.steps);
        run.runSteps(*doc);

        std::vector<std::string> saved;
        for (const auto& entry : run.sim.journal().calls("SaveAs2"))
            saved.push_back(entry.args.at(0));
        ASSERT_EQ(saved.size(), row.files.size());
        for (std::size_t n = 0; n < saved.size(); ++n)
            EXPECT_EQ(saved[n], "\"" + run.dir.file(row.files[n]) + "\"");
        EXPECT_EQ(run.settings.PrePostIndex, 6);
        EXPECT_EQ(run.settings.PrePostUseit, row.useit);
    }
}

TEST(MultiJobTest, TenEmptyStepsDoNothing)
{
    StepRun run;
    const auto doc = run.openDocument("plate.SLDDRW", kDrawing);
    const std::size_t callsBefore = run.sim.journal().entries().size();
    const Settings before = run.settings;
    run.runSteps(*doc);
    EXPECT_EQ(run.sim.journal().entries().size(), callsBefore);
    EXPECT_EQ(run.messageText, "");
    EXPECT_TRUE(run.view.events.empty());
}

TEST(MultiJobTest, CancelSkipsTheStepsStillToCome)
{
    StepRun run;
    run.view.cancelAtEventLoop = 2; // after the first sheet of the plot
    const auto doc = run.openDocument("plate.SLDDRW", kDrawing);
    run.setSteps({ "Use Filter 3", "Plot", "TIFF", "Export Doc PDF" });
    run.runSteps(*doc);
    EXPECT_EQ(run.printedSheets().size(), 1u);
    EXPECT_TRUE(run.calls("SaveAs2").empty());
    EXPECT_EQ(run.settings.FilterActive, 0);
}

TEST(MultiJobTest, SettingsComeBackWhenAStepRaises)
{
    StepRun run;
    run.settings.FilterNameFilter[4].Contain0 = "Front";
    run.settings.PrePostIndex = 1;
    const Settings before = run.settings;
    const auto doc = run.openDocument("shaft.SLDPRT", "[Document]\n[Faults]\nRaise=SaveAs2\n");
    run.setSteps({ "Use Filter 4", "Use Pre/Postfix 8", "Export 3D STEP" });
    EXPECT_THROW(run.runSteps(*doc), AutomationError);
    EXPECT_EQ(run.settings.FilterActive, before.FilterActive);
    EXPECT_EQ(run.settings.ActiveFilter, before.ActiveFilter);
    EXPECT_EQ(run.settings.PrePostIndex, 1);
    EXPECT_EQ(run.settings.PrePostUseit, before.PrePostUseit);
}

TEST(MultiJobDialogTest, PreJobRowsShowAndEmptyTheirFileBox)
{
    Settings settings;
    settings.MultiJobPreType = { "LoadSettings", "Run Macro 4", "LoadQRXList" };
    settings.MultiJobPreTypeParam = { "C:\\a.qrxcfg", "", "C:\\b.qrx" };
    settings.MultiJobAction.fill("-");
    settings.MultiJobAction[2] = "Plot";
    const Settings before = settings;

    MultiJobWorkingCopy dialog(settings);
    // Loading keeps the stored paths although their combos show a file pre-job.
    EXPECT_EQ(dialog.preJob(0), (PreJobRow { "LoadSettings", "C:\\a.qrxcfg" }));
    EXPECT_EQ(dialog.preJob(2), (PreJobRow { "LoadQRXList", "C:\\b.qrx" }));
    EXPECT_TRUE(dialog.parameterVisible(0));
    EXPECT_FALSE(dialog.parameterVisible(1));
    EXPECT_EQ(dialog.step(2), "Plot");

    struct Choice {
        const char* type;
        bool visible;
        const char* parameter;
    };
    const Choice choices[] = {
        { "-", false, "C:\\a.qrxcfg" }, // hidden, not emptied
        { "LoadQRXList", true, "" },
        { "Run Macro 0", false, "" },
        { "LoadSettings", true, "" },
    };
    for (const Choice& choice : choices) {
        SCOPED_TRACE(choice.type);
        dialog.choosePreJob(0, choice.type);
        EXPECT_EQ(dialog.parameterVisible(0), choice.visible);
        EXPECT_EQ(dialog.preJob(0).parameter, choice.parameter);
    }
    dialog.choosePreJob(2, "LoadQRXList"); // choosing it again empties the box as well
    EXPECT_EQ(dialog.preJob(2).parameter, "");
    dialog.setParameter(2, "D:\\c.qrx");
    dialog.setStep(9, "TIFF");

    EXPECT_EQ(settings.MultiJobPreType, before.MultiJobPreType); // Cancel
    EXPECT_EQ(settings.MultiJobPreTypeParam, before.MultiJobPreTypeParam);
    dialog.store(settings);
    EXPECT_EQ(settings.MultiJobPreType[0], "LoadSettings");
    EXPECT_EQ(settings.MultiJobPreTypeParam[0], "");
    EXPECT_EQ(settings.MultiJobPreTypeParam[2], "D:\\c.qrx");
    EXPECT_EQ(settings.MultiJobAction[9], "TIFF");
    EXPECT_EQ(settings.MultiJobAction[2], "Plot");

    EXPECT_EQ(preJobBrowseTexts("LoadSettings")->title, 19);
    EXPECT_EQ(preJobBrowseTexts("LoadQRXList")->filter, 12);
    EXPECT_FALSE(preJobBrowseTexts("Run Macro 1"));
}

} // namespace
} // namespace quorrix::engine
