#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "engine/platform/number_text.h"

using namespace quorrix::engine;

TEST(NumberText, WritesShortestTextInTheUsersFormat)
{
    using Row = std::tuple<double, const char*, const char*>;
    const Row rows[] = { { 0.00025, "0.00025", "0,00025" }, { 0.0005, "0.0005", "0,0005" },
        { 100.0, "100", "100" }, { 0.2794, "0.2794", "0,2794" }, { -1.5, "-1.5", "-1,5" },
        { 1e-05, "0.00001", "0,00001" }, { 0.0, "0", "0" }, { 1.189, "1.189", "1,189" },
        { 2.5e-06, "2.5E-06", "2,5E-06" }, { 1e15, "1E+15", "1E+15" },
        { 123456.75, "123456.75", "123456,75" }, { -0.0, "-0", "-0" },
        { 1e300, "1E+300", "1E+300" }, { 120.0, "120", "120" } };
    for (const auto& [value, point, comma] : rows) {
        EXPECT_EQ(formatDouble(value, '.'), point);
        EXPECT_EQ(formatDouble(value, ','), comma);
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
    using Row = std::tuple<const char*, char, std::optional<double>>;
    const Row rows[] = { { " 0,5 ", ',', 0.5 }, { "0.5", ',', 0.5 }, { "0,5", '.', 0.5 },
        { "1E-05", '.', 1e-05 }, { "2.5D+01", '.', 25.0 }, { "-3", '.', -3.0 }, { "+3", '.', 3.0 },
        { "", '.', std::nullopt }, { "abc", '.', std::nullopt }, { "1,5", ',', 1.5 },
        { "1.000,5", ',', std::nullopt }, { "1,2,3", ',', std::nullopt },
        { "5 mm", '.', std::nullopt }, { "1e", '.', std::nullopt }, { ",5", ',', 0.5 },
        { ".", '.', std::nullopt }, { "-", '.', std::nullopt } };
    for (const auto& [text, sep, expected] : rows)
        EXPECT_EQ(parseDouble(text, sep), expected) << text;
}

TEST(NumberText, WholeNumbersRoundHalfToEvenAndCheckTheirRange)
{
    const std::tuple<const char*, char, std::optional<std::int16_t>> shorts[]
        = { { "300", '.', 300 }, { "-1", '.', -1 }, { "2,5", ',', 2 }, { "3.5", '.', 4 },
              { "32767", '.', 32767 }, { "32768", '.', std::nullopt },
              { "-32769", '.', std::nullopt } };
    for (const auto& [text, separator, value] : shorts)
        EXPECT_EQ(parseInt16(text, separator), value) << text;
    EXPECT_EQ(parseInt32("2147483647", '.'), 2147483647);
    for (const char* text : { "2147483648", "nan", "x1" })
        EXPECT_EQ(parseInt32(text, '.'), std::nullopt) << text;
}

TEST(NumberText, LeadingNumberStopsAtTheFirstForeignCharacter)
{
    for (const auto& [text, value] : { std::pair { "120;T=300;", 120.0 }, { "  -7.5;", -7.5 },
             { "1e3;", 1000.0 }, { "4e;", 4.0 }, { "1,5;", 1.0 }, { ";", 0.0 }, { "", 0.0 } })
        EXPECT_EQ(leadingNumber(text), value) << text;
}
