#include <gtest/gtest.h>

#include <set>

#include "engine/actions/sheet_printing.h"
#include "engine/platform/number_text.h"
#include "support/action_fixture.h"

namespace quorrix::engine {
namespace {

using test::ActionFixture;

// The calls to the members as "Object.Member(args)", without the document's title and the
// result, joined by "; ".
std::string callTexts(
    ActionFixture& fx, const std::set<std::string>& members, bool byObject = false)
{
    std::string text;
    for (const auto& entry : fx.sim.journal().entries()) {
        if (!members.contains(byObject ? entry.object : entry.member))
            continue;
        text += (text.empty() ? "" : "; ") + entry.object + "." + entry.member + "(";
        for (std::size_t i = 0; i < entry.args.size(); ++i)
            text += (i ? ", " : "") + entry.args[i];
        text += ")";
    }
    return text;
}

std::string pageSetupWrites(ActionFixture& fx)
{
    return callTexts(
        fx, { "ActivePrinter=", "Printer=", "PrinterPaperSize=", "PrintSetup=", "Orientation=" });
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
    using Row = std::tuple<bool, const char*, const char*, std::string, double>;
    // The A3 row asks for paper 8 at scale 0.5, the "other" row leaves the paper at scale 2.
    const std::string p8 = R"(SldWorks.ActivePrinter=("P8"); Document.Printer=("P8"); )";
    const std::string p12 = R"(SldWorks.ActivePrinter=("P12"); Document.Printer=("P12"); )";
    const std::string paper = "PageSetup.PrinterPaperSize=(8); ";
    const std::string landscape = "PageSetup.Orientation=(2)";
    const Row rows[] = {
        { false, "P8", "P12", p8 + paper + landscape, 0.5 },
        { false, "", "P12", p12 + landscape, 2 },
        { false, "---", "P12", p12 + landscape, 2 },
        { false, "", "", paper + landscape, 0.5 },
        { false, "---", "---", paper + landscape, 0.5 },
        { true, "P8", "P12", p12 + landscape, 2 },
        { true, "P8", "", landscape, 2 },
        { true, "P8", "---", landscape, 2 },
    };
    for (const auto& [onlyDefault, a3Printer, otherPrinter, writes, scale] : rows) {
        SCOPED_TRACE(
            std::string(onlyDefault ? "only default, " : "") + a3Printer + "/" + otherPrinter);
        ActionFixture fx;
        fx.settings.PrinterUseOnlyDefault = onlyDefault ? kTrue : kFalse;
        fx.settings.PrinterNameForSize[8] = a3Printer;
        fx.settings.PrinterSheetForSize[8] = 8;
        fx.settings.PrinterScaleForSize[8] = 0.5;
        fx.settings.PrinterNameForSize[12] = otherPrinter;
        fx.settings.PrinterSheetForSize[12] = -1;
        fx.settings.PrinterScaleForSize[12] = 2;
        EXPECT_DOUBLE_EQ(setUp(fx, "0.42", "0.297"), scale);
        EXPECT_EQ(pageSetupWrites(fx), writes);
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
    const Row rows[] = { { "0.29701", "0.21", "P6", "2" }, { "0.2971", "0.21", "P12", "2" },
        { "0.21", "0.297", "P7", "1" }, { "0.5", "0.5", "P12", "1" },
        { "0.5", "0.50001", "P12", "1" }, { "1.189", "0.841", "P11", "2" } };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.width) + " x " + row.height);
        ActionFixture fx;
        fx.settings.PrinterUseOnlyDefault = kFalse;
        for (std::size_t k = 0; k <= 12; ++k) {
            fx.settings.PrinterNameForSize[k] = "P" + std::to_string(k);
            fx.settings.PrinterScaleForSize[k] = static_cast<double>(k);
        }
        const std::string printer = row.printer;
        EXPECT_EQ(setUp(fx, row.width, row.height), std::stod(printer.substr(1)));
        EXPECT_EQ(pageSetupWrites(fx),
            "SldWorks.ActivePrinter=(\"" + printer + "\"); Document.Printer=(\"" + printer
                + "\"); PageSetup.Orientation=(" + row.orientation + ")");
    }
}

TEST(SheetPrintingTest, RevisionDecidesPageSetupMembersHeaderFooterAndDrawingColor)
{
    const std::string printers
        = R"(SldWorks.ActivePrinter=("Plotter"); Document.Printer=("Plotter"); )";
    const std::string printSetup = "Document.PrintSetup=(0, 9); Document.PrintSetup=(1, 1)";
    const std::string pageSetup = "PageSetup.PrinterPaperSize=(9); PageSetup.Orientation=(1)";
    const std::string cleared
        = R"(PageSetup.SetHeader("", "", ""); PageSetup.SetFooter("", "", ""))";
    const std::tuple<const char*, std::string, std::string> rows[] = {
        { "9.9.0", R"(SldWorks.ActivePrinter=("Plotter"); )" + printSetup, "" },
        { "10.0.0", printers + printSetup, cleared },
        { "10.9.0", printers + printSetup, cleared },
        { "11.0.0", printers + pageSetup, cleared },
        { "15.9.0", printers + pageSetup, cleared },
        { "16.0.0", printers + pageSetup, cleared + "; PageSetup.DrawingColor=(3)" },
    };
    for (const auto& [revision, writes, headerFooterColor] : rows) {
        SCOPED_TRACE(revision);
        ActionFixture fx;
        fx.sim.installation().revision = revision;
        fx.settings.PrinterNameForSize[12] = "Plotter";
        fx.settings.PrinterSheetForSize[12] = 9;
        fx.settings.DrawingColor = 3;
        setUp(fx, "0.3", "0.4");
        EXPECT_EQ(pageSetupWrites(fx), writes);

        fx.sim.journal().clear();
        const auto document = fx.connection.swApp()->ActiveDoc();
        ASSERT_TRUE(document);
        ClearHeaderFooter(fx.context, *fx.connection.swApp(), *document);
        ApplyDrawingColor(fx.context, *fx.connection.swApp(), *document);
        EXPECT_EQ(callTexts(fx, { "PageSetup" }, true), headerFooterColor);
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
        { "9.3.0", false, true, true, true, "", 0, false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(&row - rows);
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

        setUp(fx, "0.42", "0.297");
        const auto writes = fx.sim.journal().calls("SetUserPreferenceDoubleValue");
        ASSERT_EQ(writes.size(), row.thin == 0 ? 0u : 8u);
        if (row.thin != 0) {
            EXPECT_EQ(writes.front().args.at(1), formatDouble(row.thin, '.'));
        }
        ASSERT_EQ(fx.view.shown.size(), row.message ? 1u : 0u);
        if (row.message) {
            EXPECT_EQ(fx.view.shown[0].text,
                fx.info(72) + "\r\nSwx_SetPrinterLines: failed to set NormalLineWeight\r\n");
            EXPECT_EQ(fx.view.shown[0].title, fx.info(4));
            EXPECT_EQ(fx.view.shown[0].icon, MessageIcon::Critical);
            // Printing goes on: the orientation is still set.
            EXPECT_TRUE(pageSetupWrites(fx).ends_with("PageSetup.Orientation=(2)"));
        }
    }
}

} // namespace
} // namespace quorrix::engine
