#include <gtest/gtest.h>

#include "engine/actions/sheet_filter.h"

namespace quorrix::engine {
namespace {

TEST(SheetFilterTest, NameNeedsOneContainPartAndNoNotContainPart)
{
    using Row = std::tuple<FilterSet, const char*, bool>;
    const Row rows[] = { { { "A", "", "", "" }, "Blatt A", false },
        { { "A", "", "", "" }, "Blatt a", true }, { { "", "", "X", "" }, "Sheet1", false },
        { { "", "", "X", "" }, "SheetX", true }, { { "", "", "", "X" }, "SheetX", true },
        { { "1", "2", "", "" }, "Sheet12", false }, { { "1", "2", "", "" }, "Sheet2", false },
        { { "1", "2", "", "" }, "Sheet3", true }, { { "", "2", "", "" }, "Sheet3", true },
        { { "Sheet", "", "1", "" }, "Sheet1", true }, { { "", "", "", "" }, "", false } };
    for (const auto& [filter, name, filtered] : rows)
        EXPECT_EQ(IsSheetFiltered(filter, name), filtered) << name;
}

TEST(SheetFilterTest, ActiveFilterIsACopyTakenOnOk)
{
    Settings settings;
    settings.FilterNameIndex = 4;
    settings.FilterNameFilter[4].Contain0 = "Front";
    SelectFilterSet(settings, 4);
    EXPECT_FALSE(IsSheetFiltered(settings, "Front"));
    EXPECT_TRUE(IsSheetFiltered(settings, "Back"));
    SelectFilterSet(settings, 10); // out of range: unchanged
    EXPECT_EQ(settings.ActiveFilter.Contain0, "Front");

    FilterWorkingCopy copy(settings);
    EXPECT_EQ(copy.current(), 4);
    copy.setFields({ "Back", "", "", "" });
    copy.select(6);
    EXPECT_EQ(copy.fields().Contain0, "");
    copy.setFields({ "", "", "Draft", "" });
    EXPECT_TRUE(IsSheetFiltered(settings, "Back")); // not taken before OK
    copy.setActive(true);
    copy.store(settings);
    EXPECT_EQ(settings.FilterNameFilter[4].Contain0, "Back");
    EXPECT_EQ(settings.FilterNameIndex, 6);
    EXPECT_EQ(settings.FilterActive, 1);
    EXPECT_TRUE(IsSheetFiltered(settings, "Draft 2"));
    EXPECT_FALSE(IsSheetFiltered(settings, "Back"));
}

} // namespace
} // namespace quorrix::engine
