#include <gtest/gtest.h>

#include "engine/actions/tiff_dialog.h"
#include "engine/settings/settings_schema.h"
#include "support/fakes.h"

namespace quorrix::engine {
namespace {

using test::FixedRegionalFormat;

TEST(TiffDialogTest, PaperEntriesShowMetresAndStoreMillimetres)
{
    Settings settings = defaultSettings();
    settings.TiffPrintPaperSize = 12;
    settings.TiffPrintPaperWidth = 279.4;
    settings.TiffPrintPaperHeight = 100;
    settings.TiffPrintDPI = 250; // offered by no entry
    const FixedRegionalFormat comma(',');
    TiffOptionsWorkingCopy copy(settings, comma);
    EXPECT_EQ(copy.paperWidth, "0,2794");
    EXPECT_TRUE(copy.paperSizeEditable());
    EXPECT_EQ(copy.dpiEntry, -1);

    copy.choosePaper(8);
    EXPECT_EQ(copy.paperWidth, "0,42");
    EXPECT_EQ(copy.paperHeight, "0,297");
    EXPECT_FALSE(copy.paperSizeEditable());
    copy.capture = 0;
    EXPECT_FALSE(copy.scaleEditable());
    ASSERT_TRUE(copy.store(settings));
    EXPECT_EQ(settings.TiffPrintPaperSize, 8);
    EXPECT_DOUBLE_EQ(settings.TiffPrintPaperWidth, 420);
    EXPECT_DOUBLE_EQ(settings.TiffPrintPaperHeight, 297);
    EXPECT_EQ(settings.TiffPrintDPI, 250); // kept, since no entry was chosen
    EXPECT_EQ(settings.TiffScreenOrPrintCapture, 0);

    copy.choosePaper(12); // the stored user size again, now A3's
    EXPECT_EQ(copy.paperWidth, "0,2794");
    copy.paperHeight = "tall";
    EXPECT_FALSE(copy.options());
    EXPECT_FALSE(copy.store(settings));
    EXPECT_EQ(settings.TiffPrintPaperSize, 8);

    // "Get" shows what SolidWorks holds, lengths as read.
    const TiffOptions read { 1, 1, 1, 600, 12, 50, 0, 0.5, 0.25 }; // declaration order
    copy.show(read);
    EXPECT_EQ(copy.dpiEntry, 5);
    const auto handed = copy.options();
    ASSERT_TRUE(handed);
    EXPECT_DOUBLE_EQ(handed->paperWidth, 0.5);
    EXPECT_EQ(handed->scaleFactor, 50);
    EXPECT_EQ(handed->imageType, 1);
}

TEST(TiffDialogTest, ScaleAndColourRulesRefuseAndSetBack)
{
    const FixedRegionalFormat point('.');
    TiffOptionsWorkingCopy copy(defaultSettings(), point);
    using Row = std::tuple<const char*, bool, int>;
    const Row rows[] = { { "12.7", true, 12 }, { "0", false, 12 }, { "1001", false, 12 },
        { "1000", true, 1000 }, { "abc", false, 1000 }, { "1", true, 1 } };
    for (const auto& [typed, accepted, scale] : rows) {
        copy.scaleToFit = true;
        EXPECT_EQ(copy.typeScale(typed), accepted) << typed;
        EXPECT_EQ(copy.scale, scale) << typed;
        EXPECT_FALSE(copy.scaleToFit);
    }

    copy.compression = kTiffCompressionGroup4;
    EXPECT_FALSE(copy.chooseImageType(kTiffImageRgb));
    EXPECT_EQ(copy.imageType, 0);
    EXPECT_TRUE(copy.chooseCompression(0));
    EXPECT_TRUE(copy.chooseImageType(kTiffImageRgb));
    EXPECT_FALSE(copy.chooseCompression(kTiffCompressionGroup4));
    EXPECT_EQ(copy.compression, 1);
}

} // namespace
} // namespace quorrix::engine
