#include <gtest/gtest.h>

#include "engine/actions/printer_rows.h"
#include "engine/settings/settings_schema.h"
#include "support/fakes.h"

namespace quorrix::engine {
namespace {

using test::FixedRegionalFormat;

const std::vector<InstalledPrinter> kPrinters {
    { "Plotter", false, { { "A1", 9001 }, { "A0", 9000 } } },
    { "Office", true, { { "A4", 9 }, { "A3", 8 } } },
    { "Bare", false, {} },
};

TEST(PrinterRowsTest, OpensWithWhatIsInstalledAndStoresNoneAsDashes)
{
    Settings settings = defaultSettings();
    settings.PrinterNameForSize[0] = "Office";
    settings.PrinterSheetForSize[0] = 8;
    settings.PrinterNameForSize[1] = "Office";
    settings.PrinterSheetForSize[1] = 70; // not offered
    settings.PrinterNameForSize[2] = "Gone";
    settings.PrinterSheetForSize[2] = 8;
    settings.PrinterNameForSize[3] = "Bare";
    settings.PrinterScaleForSize[3] = 0;
    settings.PrinterScaleForSize[4] = 2.5;
    settings.PrinterLines[4].UsePrinterLines = kTrue;
    settings.DrawingColor = 9;
    const FixedRegionalFormat comma(',');
    PrinterSettingsWorkingCopy copy(settings, kPrinters, comma);

    EXPECT_EQ(copy.rows[0].printer, 1);
    EXPECT_EQ(copy.rows[0].paper, 1);
    EXPECT_EQ(copy.rows[1].paper, -1);
    EXPECT_EQ(copy.rows[2].printer, -1);
    EXPECT_TRUE(copy.rows[3].scaleToFit);
    EXPECT_EQ(copy.rows[3].scale, "0");
    EXPECT_EQ(copy.rows[4].scale, "2,5");
    EXPECT_EQ(copy.drawingColor, 0);

    copy.choosePrinter(0, 0);
    EXPECT_EQ(copy.rows[0].paper, -1);
    copy.rows[0].paper = 1;
    copy.drawingColor = 3;
    copy.useOnlyDefault = true;
    copy.rows[4].lines.UsePrinterLines = kFalse;
    ASSERT_EQ(copy.store(settings), std::nullopt);
    EXPECT_EQ(settings.PrinterNameForSize[0], "Plotter");
    EXPECT_EQ(settings.PrinterSheetForSize[0], 9000);
    EXPECT_EQ(settings.PrinterSheetForSize[1], -1);
    EXPECT_EQ(settings.PrinterNameForSize[2], "---");
    EXPECT_EQ(settings.PrinterSheetForSize[2], -1);
    EXPECT_EQ(settings.PrinterNameForSize[3], "Bare");
    EXPECT_EQ(settings.PrinterSheetForSize[3], -1);
    EXPECT_DOUBLE_EQ(settings.PrinterScaleForSize[4], 2.5);
    EXPECT_EQ(settings.PrinterLines[4].UsePrinterLines, kFalse);
    EXPECT_EQ(settings.DrawingColor, 3);
    EXPECT_EQ(settings.PrinterUseOnlyDefault, kTrue);
}

TEST(PrinterRowsTest, ScaleFitStepsAndTextsThatAreNoScale)
{
    Settings settings = defaultSettings();
    const FixedRegionalFormat comma(',');
    PrinterSettingsWorkingCopy copy(settings, kPrinters, comma);
    copy.setScaleToFit(5, true);
    EXPECT_EQ(copy.rows[5].scale, "0");
    copy.setScaleToFit(5, false);
    EXPECT_EQ(copy.rows[5].scale, "1");
    copy.stepScale(5, 1);
    EXPECT_EQ(copy.rows[5].scale, "1,1");
    copy.stepScale(5, 1);
    EXPECT_EQ(copy.rows[5].scale, "1,2");
    copy.stepScale(5, -3);
    EXPECT_EQ(copy.rows[5].scale, "0,9");

    const Settings before = settings;
    for (const char* text : { "abc", "", "-0,5", "1,2,3" }) {
        copy.rows[7].scale = text;
        copy.stepScale(7, 1);
        if (std::string(text) != "-0,5") {
            EXPECT_EQ(copy.rows[7].scale, text);
        }
        copy.rows[7].scale = text;
        EXPECT_EQ(copy.store(settings), 7) << text;
        EXPECT_EQ(settings.PrinterNameForSize, before.PrinterNameForSize) << text;
        EXPECT_EQ(settings.PrinterScaleForSize, before.PrinterScaleForSize) << text;
    }
}

} // namespace
} // namespace quorrix::engine
