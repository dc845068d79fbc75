#include "swsim/output/output_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorrix::swsim::output {
namespace {

TEST(OutputSupport, Utf8ToWindows1252)
{
    const std::pair<std::string, std::string> rows[] = {
        { "Sheet1", "Sheet1" }, { "\xC3\xA4\xC3\x9F\xC2\xA0\xC3\xBF", "\xE4\xDF\xA0\xFF" },
        { "\xE2\x82\xAC\xE2\x80\x9E\xC5\xB8", "\x80\x84\x9F" }, // the code page's 0x80-0x9F
        { "\xC2\x81\xE6\xBC\xA2\xF0\x9F\x98\x80", "???" }, // C1 control, CJK, beyond 16 bits
        { "\xC0\xAF|\xED\xA0\x80|\xE2\x82|\x80", "??|???|??|?" }, // overlong, surrogate, cut
    };
    for (const auto& [utf8, expected] : rows) {
        std::string converted;
        for (char32_t cp : decodeUtf8(utf8))
            converted += toWindows1252(cp);
        EXPECT_EQ(converted, expected) << utf8;
    }
}

TEST(OutputSupport, NumbersAndSheets)
{
    EXPECT_EQ(formatNumber(1190.5511811), "1190.55");
    EXPECT_EQ(formatNumber(28.0), "28");
    EXPECT_EQ(formatNumber(0.5), "0.5");
    EXPECT_EQ(formatNumber(-0.001), "0");
    EXPECT_EQ(formatNumber(841.0, 3), "841");

    const SheetSize small = usableSheetSize({ "", "", 0.03, 1.0 });
    EXPECT_DOUBLE_EQ(borderInset(small), 0.0075);
    EXPECT_DOUBLE_EQ(borderInset(usableSheetSize({ "", "", INFINITY, 0.297 })), 0.01);
    EXPECT_DOUBLE_EQ(usableSheetSize({ "", "", INFINITY, 0.297 }).width, 0.42);
}

} // namespace
} // namespace quorrix::swsim::output
