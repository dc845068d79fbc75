#include <gtest/gtest.h>

#include "engine/platform/path_text.h"
#include "engine/run/batch_run.h"
#include "engine/run/macro_dialog.h"
#include "engine/run/macro_runs.h"
#include "support/run_fixture.h"

namespace quorrix::engine {
namespace {

struct MacroRun : test::RunFixture {
    // Slot n runs file macro<n>.swp, which exists unless missing is set.
    void setSlot(
        int n, const std::string& module, const std::string& procedure, bool missing = false)
    {
        const std::string name = "macro" + std::to_string(n) + ".swp";
        const auto slot = static_cast<std::size_t>(n);
        settings.RunMacroFilePathName[slot] = missing ? dir.file(name) : document(name, "x");
        settings.RunMacroModuleName[slot] = module;
        settings.RunMacroProcedureName[slot] = procedure;
    }
    std::string line(const std::string& file, int number, const std::string& macro)
    {
        return file + " " + info(number) + " " + macro + "\r\n";
    }
};

TEST(MacroRunsTest, MacroLinesAndClosingBySlotState)
{
    enum class File { Empty, Missing, Present };
    struct Row {
        const char* name;
        File file;
        const char* module;
        const char* procedure;
        bool closeAfter;
        int info; // 0: no line
        bool called;
    };
    const Row rows[] = {
        { "runs", File::Present, "Module1", "main", true, 0, true },
        { "left open", File::Present, "Module1", "main", false, 0, true },
        // The stand-in refuses a macro without module or procedure, as SolidWorks does.
        { "refused", File::Present, "", "main", true, 124, true },
        { "missing file", File::Missing, "Module1", "main", true, 123, false },
        { "empty path", File::Empty, "Module1", "main", false, 123, false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MacroRun run;
        run.setSlot(4, row.module, row.procedure, row.file == File::Missing);
        if (row.file == File::Empty)
            run.settings.RunMacroFilePathName[4].clear();
        const std::string macro = run.settings.RunMacroFilePathName[4];
        const auto doc = run.open(run.document("plate.SLDDRW"), kSwDocDrawing);
        std::int32_t slot = 4;
        std::string text = "before\r\n";
        RunMacroOnDocument(run.context, "RUNMACRO", slot, *run.connection.swApp(), doc.get(),
            row.closeAfter, text, "C:\\plate.SLDDRW");

        EXPECT_EQ(
            text, "before\r\n" + (row.info ? run.line("C:\\plate.SLDDRW", row.info, macro) : ""));
        const auto calls = run.calls("RunMacro");
        ASSERT_EQ(calls.size(), row.called ? 1u : 0u);
        if (row.called) {
            EXPECT_NE(calls[0].find(macro), std::string::npos);
        }
        EXPECT_EQ(run.calls("CloseDoc").size(), row.closeAfter ? 1u : 0u);
        EXPECT_EQ(run.view.label(RunLabel::Sheet), run.info(25));
        EXPECT_EQ(run.view.ranges[RunBar::Sheet], (std::pair<float, float> { 0, 1 }));
    }
}

TEST(MacroRunsTest, EmptySlotReportsEveryDocumentWithoutCallingSolidWorks)
{
    MacroRun run;
    run.connection.ConnectSolidWorks();
    std::string text;
    for (const auto& [name, type] : { std::pair { "a.SLDDRW", kSwDocDrawing },
             { "b.SLDPRT", kSwDocPart }, { "c.SLDASM", kSwDocAssembly } }) {
        const auto doc = run.open(run.document(name), type);
        std::int32_t slot = 0;
        RunMacroOnDocument(
            run.context, "RUNMACRO", slot, *run.connection.swApp(), doc.get(), true, text, name);
    }
    EXPECT_EQ(text,
        run.line("a.SLDDRW", 123, "") + run.line("b.SLDPRT", 123, "")
            + run.line("c.SLDASM", 123, ""));
    EXPECT_TRUE(run.calls("RunMacro").empty());
    EXPECT_EQ(run.calls("CloseDoc").size(), 3u);
}

TEST(MacroRunsTest, SlotOutsideTheTenNamesNoMacro)
{
    MacroRun run;
    for (int n = 0; n < kMacroSlots; ++n)
        run.setSlot(n, "Module1", "main");
    const auto doc = run.open(run.document("a.SLDPRT"), kSwDocPart);
    for (std::int32_t slot : { -1, 10 }) {
        std::string text;
        RunMacroOnDocument(
            run.context, "RUNMACRO", slot, *run.connection.swApp(), doc.get(), false, text, "a");
        EXPECT_EQ(text, run.line("a", 123, ""));
    }
    EXPECT_TRUE(run.calls("RunMacro").empty());
}

TEST(MacroRunsTest, AutomationErrorOfTheMacroIsReportedAndTheRunGoesOn)
{
    MacroRun run;
    run.setSlot(2, "Module1", "main");
    run.sim.installation().raise = { "RunMacro" };
    const auto doc = run.open(run.document("a.SLDPRT"), kSwDocPart);
    std::int32_t slot = 2;
    std::string text;
    RunMacroOnDocument(
        run.context, "RUNMACRO", slot, *run.connection.swApp(), doc.get(), true, text, "a");
    EXPECT_EQ(text, run.line("a", 124, run.settings.RunMacroFilePathName[2]));
    EXPECT_EQ(run.calls("CloseDoc").size(), 1u);
}

TEST(MacroRunsTest, RunOnceShowsItsOwnProgressAndEndMessage)
{
    MacroRun run;
    run.setSlot(7, "", "main"); // refused, so the end message has a line
    run.open(run.document("plate.SLDDRW"), kSwDocDrawing);
    run.cancelFlag = -1; // left over from an earlier run
    run.counters.ProcessedDrawings = 12;
    RunMacroOnce(run.environment, 7);

    const std::vector<std::string> expected { "prgrQRXList range 0..1", "prgrQRXList 0",
        "prgrSheet range 0..1", "prgrSheet 0", "lblProgress=RUNMACRO: 7",
        "lblSheet=??? " + run.info(22), "show", "lblQRXList=" + run.info(21) + " 1 / 1",
        "prgrQRXList 1", "repaint", "prgrSheet range 0..1", "lblSheet=" + run.info(25), "unload",
        "message "
            + run.line("Run macro from Multijob", 124, run.settings.RunMacroFilePathName[7]) };
    EXPECT_EQ(run.view.events, expected);
    ASSERT_EQ(run.view.shown.size(), 1u);
    EXPECT_EQ(run.view.shown[0].title, run.info(4));
    EXPECT_EQ(run.view.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(run.cancelFlag, 0);
    EXPECT_EQ(run.refreshes, 1);
    UsageCounters saved;
    run.registry.LoadProcessedCounters(saved);
    EXPECT_EQ(saved.ProcessedDrawings, 12);
    EXPECT_TRUE(run.calls("CloseDoc").empty()); // the active document stays open

    // A macro that runs leaves nothing to say.
    MacroRun quiet;
    quiet.setSlot(0, "Module1", "main");
    quiet.connection.ConnectSolidWorks(); // no document open
    RunMacroOnce(quiet.environment, 0);
    EXPECT_TRUE(quiet.view.shown.empty());
    EXPECT_EQ(quiet.calls("RunMacro").size(), 1u);
}

TEST(MacroRunsTest, RunOnceWithoutSolidWorksOnlyTellsTheUser)
{
    MacroRun run;
    run.setSlot(0, "Module1", "main");
    run.sim.installation().installed = false;
    RunMacroOnce(run.environment, 0);
    ASSERT_EQ(run.view.shown.size(), 1u);
    EXPECT_EQ(run.view.shown[0].text, kNoSwxInstanceText);
    EXPECT_EQ(run.view.events.size(), 1u); // no progress window
    EXPECT_EQ(run.refreshes, 0);
}

TEST(MacroRunsTest, ActionWithIndexZeroUsesTheSlotOfRunMacroZero)
{
    MacroRun action;
    action.setSlot(0, "Module1", "main");
    action.setSlot(1, "Module1", "other");
    action.settings.RunMacroIndex = 0;
    const std::string plate = action.document("plate.SLDDRW");
    action.runList("RUNMACRO", { plate });

    MacroRun step;
    step.setSlot(0, "Module1", "main");
    step.setSlot(1, "Module1", "other");
    step.settings.MultiJobAction.fill("-");
    step.settings.MultiJobAction[0] = "Run Macro 0";
    step.runList("MULTIJOB", { step.document("plate.SLDDRW") });

    for (MacroRun* run : { &action, &step }) {
        const auto calls = run->sim.journal().calls("RunMacro");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].args,
            (std::vector<std::string> {
                "\"" + run->settings.RunMacroFilePathName[0] + "\"", "\"Module1\"", "\"main\"" }));
    }
    EXPECT_TRUE(action.view.shown.empty());
    EXPECT_TRUE(step.view.shown.empty());
}

TEST(MacroDialogTest, SwitchingSlotsKeepsEachSlotsTextsUntilOkOrCancel)
{
    Settings settings;
    for (std::size_t n = 0; n < kMacroSlots; ++n) {
        settings.RunMacroFilePathName[n] = "m" + std::to_string(n) + ".swp";
        settings.RunMacroModuleName[n] = "Module" + std::to_string(n);
        settings.RunMacroProcedureName[n] = "main";
    }
    settings.RunMacroIndex = 3;
    const Settings before = settings;

    MacroSlotsWorkingCopy dialog(settings);
    EXPECT_EQ(dialog.current(), 3);
    EXPECT_EQ(dialog.slot(), (MacroSlot { "m3.swp", "Module3", "main" }));
    dialog.setSlot({ "new3.swp", "M", "p" });
    dialog.select(8);
    EXPECT_EQ(dialog.slot(), (MacroSlot { "m8.swp", "Module8", "main" }));
    dialog.setSlot({ "new8.swp", "M8", "p8" });
    dialog.select(3);
    EXPECT_EQ(dialog.slot(), (MacroSlot { "new3.swp", "M", "p" }));
    dialog.select(10); // no such option button
    EXPECT_EQ(dialog.current(), 3);

    // Cancel: the working copy is dropped.
    EXPECT_EQ(settings.RunMacroFilePathName, before.RunMacroFilePathName);
    EXPECT_EQ(settings.RunMacroModuleName, before.RunMacroModuleName);
    EXPECT_EQ(settings.RunMacroIndex, 3);

    dialog.select(8);
    dialog.store(settings);
    EXPECT_EQ(settings.RunMacroIndex, 8);
    EXPECT_EQ(settings.RunMacroFilePathName[3], "new3.swp");
    EXPECT_EQ(settings.RunMacroProcedureName[8], "p8");
    EXPECT_EQ(settings.RunMacroModuleName[5], "Module5");

    settings.RunMacroIndex = 42;
    EXPECT_EQ(MacroSlotsWorkingCopy(settings).current(), 0);
}

} // namespace
} // namespace quorrix::engine
