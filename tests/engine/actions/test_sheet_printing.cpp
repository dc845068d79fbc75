#include <gtest/gtest.h>

#include <set>

#include "engine/actions/sheet_printing.h"
#include "engine/platform/number_text.h"
#include "support/action_fixture.h"

namespace quorrix::engine {
namespace {

using test::ActionFixture;

const std::set<std::string> kPageSetupWrites
    = { "ActivePrinter=", "Printer=", "PrinterPaperSize=", "PrintSetup=", "Orientation=" };

// A call as "Object.Member(args)", without the document's title and the result.
std::string callText(const swsim::JournalEntry& entry)
{
    std::string line = entry.object + "." + entry.member + "(";
    for (std::size_t i = 0; i < entry.args.size(); ++i)
        line += (i ? ", " : "") + entry.args[i];
    return line + ")";
}

// The page-setup writes in order.
std::vector<std::string> pageSetupWrites(ActionFixture& fx)
{
    std::vector<std::string> lines;
    for (const auto& entry : fx.sim.journal().entries())
        if (kPageSetupWrites.contains(entry.member))
            lines.push_back(callText(entry));
    return lines;
}

std::string drawing(const char* width, const char* height)
{
    return std::string("[Document]\n[Sheet.1]\nName=S1\nWidth=") + width + "\nHeight=" + height
        + "\n";
}

// Opens a one-sheet drawing of the given size and sets its page up; gives the scale.
double setUp(ActionFixture& fx, const char* width, const char* height)
{
    const auto document = fx.open(fx.document("a.SLDDRW", drawing(width, height)), 3);
    EXPECT_TRUE(document);
    document->ActivateSheet("S1");
    const auto sheet = document->GetCurrentSheet();
    fx.sim.journal().clear();
    return SetupSheetPrinting(fx.context, *fx.connection.swApp(), *document, *sheet);
}

TEST(SheetPrintingTest, RowFollowsUseOnlyDefaultThenClassThenOther)
{
    struct Row {
        bool onlyDefault;
        const char* a3Printer;
        const char* otherPrinter;
        std::vector<std::string> writes;
        double scale;
    };
    // The A3 row asks for paper 8 at scale 0.5, the "other" row leaves the paper at scale 2.
    const Row rows[] = {
        { false, "P8", "P12",
            { "SldWorks.ActivePrinter=(\"P8\")", "Document.Printer=(\"P8\")",
                "PageSetup.PrinterPaperSize=(8)", "PageSetup.Orientation=(2)" },
            0.5 },
        { false, "", "P12",
            { "SldWorks.ActivePrinter=(\"P12\")", "Document.Printer=(\"P12\")",
                "PageSetup.Orientation=(2)" },
            2 },
        { false, "---", "P12",
            { "SldWorks.ActivePrinter=(\"P12\")", "Document.Printer=(\"P12\")",
                "PageSetup.Orientation=(2)" },
            2 },
        { false, "", "", { "PageSetup.PrinterPaperSize=(8)", "PageSetup.Orientation=(2)" }, 0.5 },
        { false, "---", "---", { "PageSetup.PrinterPaperSize=(8)", "PageSetup.Orientation=(2)" },
            0.5 },
        { true, "P8", "P12",
            { "SldWorks.ActivePrinter=(\"P12\")", "Document.Printer=(\"P12\")",
                "PageSetup.Orientation=(2)" },
            2 },
        { true, "P8", "", { "PageSetup.Orientation=(2)" }, 2 },
        { true, "P8", "---", { "PageSetup.Orientation=(2)" }, 2 },
    };
    for (const Row& row : rows) {
        ActionFixture fx;
        fx.settings.PrinterUseOnlyDefault = row.onlyDefault ? kTrue : kFalse;
        fx.settings.PrinterNameForSize[8] = row.a3Printer;
        fx.settings.PrinterSheetForSize[8] = 8;
        fx.settings.PrinterScaleForSize[8] = 0.5;
        fx.settings.PrinterNameForSize[12] = row.otherPrinter;
        fx.settings.PrinterSheetForSize[12] = -1;
        fx.settings.PrinterScaleForSize[12] = 2;
        const std::string label = std::string(row.onlyDefault ? "only default, " : "")
            + row.a3Printer + "/" + row.otherPrinter;

        EXPECT_DOUBLE_EQ(setUp(fx, "0.42", "0.297"), row.scale) << label;
        EXPECT_EQ(pageSetupWrites(fx), row.writes) << label;
    }
}

TEST(SheetPrintingTest, SheetSizeChoosesTheRowAndTheOrientation)
{
    struct Row {
        const char* width;
        const char* height;
        const char* printer;
        const char* orientation;
    };
    const Row rows[] = {
        { "0.29701", "0.21", "P6", "2" },
        { "0.2971", "0.21", "P12", "2" },
        { "0.21", "0.297", "P7", "1" },
        { "0.5", "0.5", "P12", "1" },
        { "0.5", "0.50001", "P12", "1" },
        { "1.189", "0.841", "P11", "2" },
    };
    for (const Row& row : rows) {
        ActionFixture fx;
        fx.settings.PrinterUseOnlyDefault = kFalse;
        for (std::size_t k = 0; k <= 12; ++k) {
            fx.settings.PrinterNameForSize[k] = "P" + std::to_string(k);
            fx.settings.PrinterScaleForSize[k] = static_cast<double>(k);
        }
        const std::string label = std::string(row.width) + " x " + row.height;

        const double scale = setUp(fx, row.width, row.height);
        EXPECT_EQ(scale, std::stod(std::string(row.printer).substr(1))) << label;
        EXPECT_EQ(pageSetupWrites(fx),
            (std::vector<std::string> {
                std::string("SldWorks.ActivePrinter=(\"") + row.printer + "\")",
                std::string("Document.Printer=(\"") + row.printer + "\")",
                std::string("PageSetup.Orientation=(") + row.orientation + ")" }))
            << label;
    }
}

TEST(SheetPrintingTest, RevisionDecidesPrinterPaperAndOrientationMembers)
{
    struct Row {
        const char* revision;
        std::vector<std::string> writes;
    };
    const std::string active = "SldWorks.ActivePrinter=(\"Plotter\")";
    const std::string printer = "Document.Printer=(\"Plotter\")";
    const Row rows[] = {
        { "9.0.0", { active, "Document.PrintSetup=(0, 9)", "Document.PrintSetup=(1, 1)" } },
        { "9.9.0", { active, "Document.PrintSetup=(0, 9)", "Document.PrintSetup=(1, 1)" } },
        { "10.0.0",
            { active, printer, "Document.PrintSetup=(0, 9)", "Document.PrintSetup=(1, 1)" } },
        { "10.9.0",
            { active, printer, "Document.PrintSetup=(0, 9)", "Document.PrintSetup=(1, 1)" } },
        { "11.0.0",
            { active, printer, "PageSetup.PrinterPaperSize=(9)", "PageSetup.Orientation=(1)" } },
        { "30.0.0",
            { active, printer, "PageSetup.PrinterPaperSize=(9)", "PageSetup.Orientation=(1)" } },
    };
    for (const Row& row : rows) {
        ActionFixture fx;
        fx.sim.installation().revision = row.revision;
        fx.settings.PrinterNameForSize[12] = "Plotter";
        fx.settings.PrinterSheetForSize[12] = 9;
        setUp(fx, "0.3", "0.4");
        EXPECT_EQ(pageSetupWrites(fx), row.writes) << row.revision;
    }
}

TEST(SheetPrintingTest, LineWeightsComeFromTheChosenRowOrTheDefaults)
{
    struct Row {
        const char* revision;
        bool onlyDefault;
        bool a3Printer; // else the A3 row falls back to "other"
        bool a3Use;
        bool otherUse;
        const char* refused;
        double thin; // written first, 0 when nothing is written
        bool message;
    };
    // Thin widths: A3 row 0.0003, "other" row 0.0004, SolidWorks' defaults 0.00018.
    const Row rows[] = {
        { "16.0.0", false, true, true, true, "", 0.0003, false },
        { "16.0.0", false, true, false, true, "", 0.00018, false },
        { "16.0.0", false, false, true, true, "", 0.0004, false },
        { "16.0.0", true, true, true, true, "", 0.0004, false },
        { "16.0.0", true, true, true, false, "", 0.00018, false },
        { "16.0.0", false, true, true, true, "Double.49", 0.0003, true },
        { "16.0.0", false, true, false, true, "Double.49", 0.00018, false },
        { "9.4.0", false, true, true, true, "", 0.0003, false },
        { "9.3.0", false, true, true, true, "", 0, false },
    };
    for (const Row& row : rows) {
        ActionFixture fx;
        fx.sim.installation().revision = row.revision;
        if (*row.refused)
            fx.sim.installation().refusedPreferences = { row.refused };
        fx.defaultLines.Weights[0] = 0.00018;
        fx.settings.PrinterUseOnlyDefault = row.onlyDefault ? kTrue : kFalse;
        fx.settings.PrinterNameForSize[8] = row.a3Printer ? "P8" : "";
        fx.settings.PrinterNameForSize[12] = "P12";
        fx.settings.PrinterLines[8].UsePrinterLines = row.a3Use ? 1 : 0;
        fx.settings.PrinterLines[8].Weights[0] = 0.0003;
        fx.settings.PrinterLines[12].UsePrinterLines = row.otherUse ? 1 : 0;
        fx.settings.PrinterLines[12].Weights[0] = 0.0004;
        const std::string label = std::string(row.revision) + (row.onlyDefault ? " only" : "")
            + (row.a3Printer ? " P8" : "") + (row.a3Use ? " use8" : "")
            + (row.otherUse ? " use12" : "") + " " + row.refused;

        setUp(fx, "0.42", "0.297");
        const auto writes = fx.calls("SetUserPreferenceDoubleValue");
        if (row.thin == 0) {
            EXPECT_TRUE(writes.empty()) << label;
        } else {
            ASSERT_EQ(writes.size(), 8u) << label;
            EXPECT_EQ(fx.sim.journal().calls("SetUserPreferenceDoubleValue").front().args.at(1),
                formatDouble(row.thin, '.'))
                << label;
        }
        if (!row.message) {
            EXPECT_TRUE(fx.view.shown.empty()) << label;
            continue;
        }
        ASSERT_EQ(fx.view.shown.size(), 1u) << label;
        EXPECT_EQ(fx.view.shown[0].text,
            fx.info(72) + "\r\nSwx_SetPrinterLines: failed to set NormalLineWeight\r\n");
        EXPECT_EQ(fx.view.shown[0].title, fx.info(4));
        EXPECT_EQ(fx.view.shown[0].icon, MessageIcon::Critical);
        // Printing goes on: the orientation is still set.
        EXPECT_EQ(pageSetupWrites(fx).back(), "PageSetup.Orientation=(2)") << label;
    }
}

TEST(SheetPrintingTest, HeaderFooterAndDrawingColorNeedTheirRevisions)
{
    struct Row {
        const char* revision;
        bool cleared;
        bool colored;
    };
    const Row rows[] = {
        { "9.9.0", false, false },
        { "10.0.0", true, false },
        { "15.9.0", true, false },
        { "16.0.0", true, true },
    };
    for (const Row& row : rows) {
        ActionFixture fx;
        fx.sim.installation().revision = row.revision;
        fx.settings.DrawingColor = 3;
        const auto document = fx.open(fx.document("a.SLDDRW", drawing("0.42", "0.297")), 3);
        ASSERT_TRUE(document);
        ClearHeaderFooter(fx.context, *fx.connection.swApp(), *document);
        ApplyDrawingColor(fx.context, *fx.connection.swApp(), *document);

        std::vector<std::string> calls;
        for (const auto& entry : fx.sim.journal().entries())
            if (entry.object == "PageSetup")
                calls.push_back(callText(entry));
        std::vector<std::string> expected;
        if (row.cleared)
            expected = { "PageSetup.SetHeader(\"\", \"\", \"\")",
                "PageSetup.SetFooter(\"\", \"\", \"\")" };
        if (row.colored)
            expected.push_back("PageSetup.DrawingColor=(3)");
        EXPECT_EQ(calls, expected) << row.revision;
    }
}

} // namespace
} // namespace quorrix::engine
