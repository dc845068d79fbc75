#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "engine/platform/number_text.h"

using namespace quorrix::engine;

TEST(NumberText, WritesShortestTextInTheUsersFormat)
{
    struct Row {
        double value;
        const char* point;
        const char* comma;
    };
    const Row rows[] = {
        { 0.00025, "0.00025", "0,00025" },
        { 0.0005, "0.0005", "0,0005" },
        { 100.0, "100", "100" },
        { 0.2794, "0.2794", "0,2794" },
        { -1.5, "-1.5", "-1,5" },
        { 1e-05, "0.00001", "0,00001" },
        { 0.0, "0", "0" },
        { 1.189, "1.189", "1,189" },
        { 2.5e-06, "2.5E-06", "2,5E-06" },
        { 1e15, "1E+15", "1E+15" },
        { 123456.75, "123456.75", "123456,75" },
        { -0.0, "-0", "-0" },
        { 1e300, "1E+300", "1E+300" },
        { 120.0, "120", "120" },
    };
    for (const Row& r : rows) {
        EXPECT_EQ(formatDouble(r.value, '.'), r.point);
        EXPECT_EQ(formatDouble(r.value, ','), r.comma);
    }
}

TEST(NumberText, EveryDoubleSurvivesTheRoundTripWithBothSeparators)
{
    std::mt19937_64 random(7);
    std::vector<double> values = { 0.00025, 0.1 + 0.2, 1.0 / 3.0, -0.0, 4.9e-324,
        1.7976931348623157e308, std::numeric_limits<double>::infinity(), 123456789.125 };
    for (int i = 0; i < 2000; ++i) {
        std::uint64_t bits = random();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (std::isfinite(d))
            values.push_back(d);
    }
    for (char sep : { '.', ',' }) {
        for (double v : values) {
            const auto back = parseDouble(formatDouble(v, sep), sep);
            ASSERT_TRUE(back.has_value()) << formatDouble(v, sep);
            EXPECT_EQ(std::memcmp(&*back, &v, sizeof v), 0) << formatDouble(v, sep);
        }
    }
}

TEST(NumberText, ReadsWhatUsersAndOtherComputersWrite)
{
    struct Row {
        const char* text;
        char sep;
        std::optional<double> expected;
    };
    const Row rows[] = {
        { " 0,5 ", ',', 0.5 },
        { "0.5", ',', 0.5 },
        { "0,5", '.', 0.5 },
        { "1E-05", '.', 1e-05 },
        { "2.5D+01", '.', 25.0 },
        { "-3", '.', -3.0 },
        { "+3", '.', 3.0 },
        { "", '.', std::nullopt },
        { "abc", '.', std::nullopt },
        { "1,5", ',', 1.5 },
        { "1.000,5", ',', std::nullopt },
        { "1,2,3", ',', std::nullopt },
        { "5 mm", '.', std::nullopt },
        { "1e", '.', std::nullopt },
        { ",5", ',', 0.5 },
        { ".", '.', std::nullopt },
        { "-", '.', std::nullopt },
    };
    for (const Row& r : rows)
        EXPECT_EQ(parseDouble(r.text, r.sep), r.expected) << r.text;
}

TEST(NumberText, WholeNumbersRoundHalfToEvenAndCheckTheirRange)
{
    EXPECT_EQ(parseInt16("300", '.'), 300);
    EXPECT_EQ(parseInt16("-1", '.'), -1);
    EXPECT_EQ(parseInt16("2,5", ','), 2);
    EXPECT_EQ(parseInt16("3.5", '.'), 4);
    EXPECT_EQ(parseInt16("32767", '.'), 32767);
    EXPECT_EQ(parseInt16("32768", '.'), std::nullopt);
    EXPECT_EQ(parseInt16("-32769", '.'), std::nullopt);
    EXPECT_EQ(parseInt32("2147483647", '.'), 2147483647);
    EXPECT_EQ(parseInt32("2147483648", '.'), std::nullopt);
    EXPECT_EQ(parseInt32("nan", '.'), std::nullopt);
    EXPECT_EQ(parseInt32("x1", '.'), std::nullopt);
}

TEST(NumberText, LeadingNumberStopsAtTheFirstForeignCharacter)
{
    EXPECT_EQ(leadingNumber("120;T=300;"), 120);
    EXPECT_EQ(leadingNumber("  -7.5;"), -7.5);
    EXPECT_EQ(leadingNumber("1e3;"), 1000);
    EXPECT_EQ(leadingNumber("4e;"), 4);
    EXPECT_EQ(leadingNumber("1,5;"), 1);
    EXPECT_EQ(leadingNumber(";"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
}
