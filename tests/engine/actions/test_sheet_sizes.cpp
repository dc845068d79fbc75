#include <gtest/gtest.h>

#include "engine/actions/sheet_sizes.h"
#include "engine/settings/settings_schema.h"
#include "support/fakes.h"

namespace quorrix::engine {
namespace {

using test::FixedRegionalFormat;

// Lengths round to a tenth of a millimetre, then compare exactly. The custom table counts
// only when switched on; then the lower of two equal rows wins.
TEST(SheetSizesTest, SheetClassComesFromTheStandardOrTheCustomTable)
{
    Settings settings = defaultSettings();
    const auto& table = standardSheetSizes();
    for (int k = 0; k < kSheetSizeRows; ++k) {
        const SheetSize& size = table[static_cast<std::size_t>(k)];
        EXPECT_EQ(sheetSizeClass(settings, size.width, size.height), k) << size.caption;
    }
    EXPECT_DOUBLE_EQ(roundSheetLength(0.00025), 0.0002);
    EXPECT_DOUBLE_EQ(roundSheetLength(0.00035), 0.0004);
    settings.PrinterSheetSizeWidth[3] = 0.5;
    settings.PrinterSheetSizeHeight[3] = 0.3;
    settings.PrinterSheetSizeWidth[5] = 0.5;
    settings.PrinterSheetSizeHeight[5] = 0.3;
    settings.PrinterSheetSizeWidth[8] = 0.43;

    using Row = std::tuple<bool, double, double, int>;
    const Row rows[] = {
        { false, 0.297, 0.21, 6 }, { false, 0.29701, 0.21, 6 }, { false, 0.29704999, 0.21, 6 },
        { false, 0.2971, 0.21, 12 },
        { false, 0.29705, 0.21, 6 }, // a half rounds to the even tenth, down here
        { false, 0.42005, 0.297, 8 }, { false, 0.29715, 0.21, 12 }, // and up to 0.2972 here
        { false, 0.21, 0.297, 7 }, // A4 portrait is not A4 landscape
        { false, 0.2159, 0.2794, 1 }, { false, 1.18896, 0.84104, 11 }, { false, 0.0, 0.0, 12 },
        { false, 0.5, 0.3, 12 }, { true, 0.5, 0.3, 3 }, { true, 0.50004, 0.29996, 3 },
        { true, 0.3, 0.5, 12 }, { false, 0.42, 0.297, 8 },
        { true, 0.42, 0.297, 12 }, // the standard A3 no longer exists
        { true, 0.43, 0.297, 8 },
        { true, 0.297, 0.21, 6 }, // untouched custom rows still hold the standard sizes
    };
    for (const auto& [useCustom, width, height, sheetClass] : rows) {
        settings.PrinterSheetSizeUseCustom = useCustom ? kTrue : kFalse;
        EXPECT_EQ(sheetSizeClass(settings, width, height), sheetClass)
            << useCustom << " " << width << " x " << height;
    }
}

TEST(SheetSizesTest, DialogGetResetAndOkWorkOnTheUsersNumberFormat)
{
    const FixedRegionalFormat comma(',');
    Settings settings = defaultSettings();
    settings.PrinterSheetSizeWidth[0] = 0.3;
    settings.PrinterSheetSizeUseCustom = kTrue;

    SheetSizesWorkingCopy copy(settings, comma);
    EXPECT_EQ(copy.widths[0], "0,3");
    EXPECT_EQ(copy.heights[0], "0,2159");
    EXPECT_EQ(copy.widths[11], "1,189");
    EXPECT_TRUE(copy.useCustom);

    copy.widths[0] = "9";
    copy.useCustom = false;
    copy.getSheetSizes(settings);
    EXPECT_EQ(copy.widths[0], "0,3");
    EXPECT_FALSE(copy.useCustom); // "Get" refills the sizes only

    copy.resetAllSheetSizes();
    EXPECT_EQ(copy.widths[0], "0,2794");
    EXPECT_DOUBLE_EQ(settings.PrinterSheetSizeWidth[0], 0.3); // nothing stored before "Ok"

    copy.widths[2] = " 0,5 ";
    copy.heights[2] = "0.25"; // typed with the other separator
    EXPECT_EQ(copy.store(settings), std::nullopt);
    EXPECT_DOUBLE_EQ(settings.PrinterSheetSizeWidth[0], 0.2794);
    EXPECT_DOUBLE_EQ(settings.PrinterSheetSizeWidth[2], 0.5);
    EXPECT_DOUBLE_EQ(settings.PrinterSheetSizeHeight[2], 0.25);
    EXPECT_EQ(settings.PrinterSheetSizeUseCustom, kFalse);
    EXPECT_FALSE(usingCustomSheetSizes(settings));

    copy.useCustom = true;
    EXPECT_EQ(copy.store(settings), std::nullopt);
    EXPECT_EQ(settings.PrinterSheetSizeUseCustom, kTrue);
    EXPECT_TRUE(usingCustomSheetSizes(settings));
}

TEST(SheetSizesTest, OkWithATextThatIsNoNumberStoresNothing)
{
    using Row = std::tuple<int, bool, const char*>;
    const Row rows[] = { { 4, true, "abc" }, { 0, false, "" }, { 11, false, "0,4,2" },
        { 7, true, "nan" }, { 3, false, "inf" } };
    const FixedRegionalFormat point('.');
    for (const auto& [index, height, text] : rows) {
        const Settings before = defaultSettings();
        Settings settings = before;
        SheetSizesWorkingCopy copy(settings, point);
        copy.useCustom = true;
        copy.widths[1] = "0.1";
        auto& texts = height ? copy.heights : copy.widths;
        texts[static_cast<std::size_t>(index)] = text;

        EXPECT_EQ(copy.store(settings), (SheetSizeField { index, height })) << text;
        EXPECT_EQ(settings.PrinterSheetSizeWidth, before.PrinterSheetSizeWidth) << text;
        EXPECT_EQ(settings.PrinterSheetSizeUseCustom, kFalse) << text;
    }
}

} // namespace
} // namespace quorrix::engine
