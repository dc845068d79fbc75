#include <gtest/gtest.h>

#include "engine/platform/path_text.h"
#include "engine/run/macro_dialog.h"
#include "engine/run/macro_runs.h"
#include "support/run_fixture.h"

namespace quorrix::engine {
namespace {

struct MacroRun : test::RunFixture {
    // Slot n runs macro<n>.swp, which exists unless missing is set.
    std::string setSlot(int n, const std::string& module, bool missing = false)
    {
        const std::string name = "macro" + std::to_string(n) + ".swp";
        const auto slot = static_cast<std::size_t>(n);
        settings.RunMacroFilePathName[slot] = missing ? dir.file(name) : document(name, "x");
        settings.RunMacroModuleName[slot] = module;
        settings.RunMacroProcedureName[slot] = "main";
        return settings.RunMacroFilePathName[slot];
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
        const char* module; // the stand-in refuses a macro without one, as SolidWorks does
        std::int32_t slot;
        bool raises;
        bool closeAfter;
        int info; // 0: no line
    };
    const Row rows[] = {
        { "runs", File::Present, "Module1", 4, false, true, 0 },
        { "left open", File::Present, "Module1", 4, false, false, 0 },
        { "refused", File::Present, "", 4, false, true, 124 },
        { "automation error", File::Present, "Module1", 4, true, true, 124 },
        { "missing file", File::Missing, "Module1", 4, false, true, 123 },
        // No path to name: the slot is named instead.
        { "empty path", File::Empty, "Module1", 4, false, false, 234 },
        { "no such slot", File::Present, "Module1", 10, false, false, 234 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MacroRun run;
        std::string macro = run.setSlot(4, row.module, row.file == File::Missing);
        if (row.file == File::Empty)
            run.settings.RunMacroFilePathName[4].clear();
        if (row.info == 234)
            macro = std::to_string(row.slot);
        if (row.raises)
            run.sim.installation().raise = { "RunMacro" };
        const auto doc = run.open(run.document("plate.SLDDRW"), kSwDocDrawing);
        std::int32_t slot = row.slot;
        std::string text = "before\r\n";
        RunMacroOnDocument(run.context, "RUNMACRO", slot, *run.connection.swApp(), doc.get(),
            row.closeAfter, text, "C:\\plate.SLDDRW");

        EXPECT_EQ(
            text, "before\r\n" + (row.info ? run.line("C:\\plate.SLDDRW", row.info, macro) : ""));
        EXPECT_EQ(run.calls("RunMacro").size(), row.info == 123 || row.info == 234 ? 0u : 1u);
        EXPECT_EQ(run.calls("CloseDoc").size(), row.closeAfter ? 1u : 0u);
        EXPECT_EQ(run.view.label(RunLabel::Sheet), run.info(25));
    }
}

TEST(MacroRunsTest, ActionUsesRunMacroIndexAndSlotZeroIsRunMacroZero)
{
    // An empty slot is reported once, before any document is opened.
    MacroRun empty;
    empty.settings.RunMacroIndex = 6;
    const RunReport report
        = empty.runList("RUNMACRO", { empty.document("a.SLDDRW"), empty.document("b.SLDPRT") });
    EXPECT_FALSE(report.started);
    ASSERT_EQ(empty.view.shown.size(), 1u);
    EXPECT_EQ(empty.view.shown[0].text, empty.info(234) + " 6");
    EXPECT_EQ(empty.view.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(empty.sim.journal().entries().empty());

    // RUNMACRO takes slot RunMacroIndex (0 here); the step "Run Macro 0" slot 0.
    for (const char* action : { "RUNMACRO", "MULTIJOB" }) {
        SCOPED_TRACE(action);
        MacroRun run;
        run.setSlot(0, "Module0");
        run.setSlot(1, "Module1");
        run.settings.MultiJobAction.fill("-");
        run.settings.MultiJobAction[0] = "Run Macro 0";
        run.runList(action, { run.document("plate.SLDDRW") });
        const auto calls = run.sim.journal().calls("RunMacro");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].args.at(1), "\"Module0\"");
        EXPECT_TRUE(run.view.shown.empty());
    }
}

TEST(MacroRunsTest, RunOnceShowsItsOwnProgressAndEndMessage)
{
    MacroRun run;
    const std::string macro = run.setSlot(7, ""); // refused, so the end message has a line
    run.open(run.document("plate.SLDDRW"), kSwDocDrawing);
    run.cancelFlag = -1; // left over from an earlier run
    RunMacroOnce(run.environment, 7);

    const std::vector<std::string> expected { "prgrQRXList range 0..1", "prgrQRXList 0",
        "prgrSheet range 0..1", "prgrSheet 0", "lblProgress=RUNMACRO: 7",
        "lblSheet=??? " + run.info(22), "show", "lblQRXList=" + run.info(21) + " 1 / 1",
        "prgrQRXList 1", "repaint", "prgrSheet range 0..1", "lblSheet=" + run.info(25), "unload",
        "message " + run.line("Run macro from Multijob", 124, macro) };
    EXPECT_EQ(run.view.events, expected);
    ASSERT_EQ(run.view.shown.size(), 1u);
    EXPECT_EQ(run.view.shown[0].title, run.info(4));
    EXPECT_EQ(run.view.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(run.cancelFlag, 0);
    EXPECT_EQ(run.refreshes, 1);
    EXPECT_TRUE(run.calls("CloseDoc").empty()); // the active document stays open

    MacroRun absent;
    absent.sim.installation().installed = false;
    RunMacroOnce(absent.environment, 0);
    EXPECT_EQ(absent.view.events,
        std::vector<std::string> { "message " + std::string(kNoSwxInstanceText) });
}

TEST(MacroDialogTest, SwitchingSlotsKeepsEachSlotsTextsUntilOk)
{
    Settings settings;
    for (std::size_t n = 0; n < kMacroSlots; ++n)
        settings.RunMacroFilePathName[n] = "m" + std::to_string(n) + ".swp";
    settings.RunMacroIndex = 3;
    const Settings before = settings;

    MacroSlotsWorkingCopy dialog(settings);
    EXPECT_EQ(dialog.slot(), (MacroSlot { "m3.swp", "", "" }));
    dialog.setSlot({ "new3.swp", "M", "p" });
    dialog.select(8);
    EXPECT_EQ(dialog.slot().path, "m8.swp");
    dialog.setSlot({ "new8.swp", "M8", "p8" });
    dialog.select(3);
    EXPECT_EQ(dialog.slot(), (MacroSlot { "new3.swp", "M", "p" }));
    dialog.select(10); // no such option button
    EXPECT_EQ(dialog.current(), 3);
    // Cancel drops the working copy.
    EXPECT_EQ(settings.RunMacroFilePathName, before.RunMacroFilePathName);

    dialog.select(8);
    dialog.store(settings);
    EXPECT_EQ(settings.RunMacroIndex, 8);
    EXPECT_EQ(settings.RunMacroFilePathName[3], "new3.swp");
    EXPECT_EQ(settings.RunMacroProcedureName[8], "p8");
    EXPECT_EQ(settings.RunMacroFilePathName[5], "m5.swp");

    settings.RunMacroIndex = 42;
    EXPECT_EQ(MacroSlotsWorkingCopy(settings).current(), 0);
}

} // namespace
} // namespace quorrix::engine
