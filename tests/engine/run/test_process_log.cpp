#include <gtest/gtest.h>

#include "engine/platform/path_text.h"
#include "engine/run/process_log.h"
#include "platform/platform_ports.h"
#include "support/temp_dir.h"

namespace quorrix::engine {
namespace {

TEST(ProcessLogTest, DurationsHaveAtMostFourDecimalsInTheUsersSeparator)
{
    EXPECT_EQ(logDuration(100, 100, '.'), "0");
    EXPECT_EQ(logDuration(100, 1334, ','), "0,1234");
    EXPECT_EQ(logDuration(0, 25000, '.'), "2.5");
    EXPECT_EQ(logDuration(0, 120001, '.'), "12.0001");
    EXPECT_EQ(logTimestamp({ 2026, 3, 5, 7, 8, 9, 0 }), "05.03.2026 07:08:09");
    EXPECT_EQ(processLogPath("f", { 2026, 3, 5, 17, 8, 9, 0 }),
        std::string("f") + kPathSeparator + "processlog_20260305-170809.txt");
}

TEST(ProcessLogTest, LinesHaveElevenOrSevenTabSeparatedFields)
{
    ProcessLogLine missing { "05.03.2026 07:08:09", "", true, false, "a.SLDDRW", " ", "nothing",
        std::nullopt };
    EXPECT_EQ(missing.text(), "05.03.2026 07:08:09\t\tTrue\tFalse\ta.SLDDRW\t \tnothing");
    ProcessLogLine opened = missing;
    opened.type = "OpenDoc2";
    opened.loadTime = "0.5";
    opened.loadErrors = "0";
    opened.opened = ProcessLogLine::Opened { "0.01", "0", "Plot", "1.25" };
    EXPECT_EQ(opened.text(),
        "05.03.2026 07:08:09\tOpenDoc2\tTrue\tFalse\ta.SLDDRW\t0.5\t0\t0.01\t0\tPlot\t1.25");
    EXPECT_EQ(processLogHeader(),
        "Timestamp\tType\tReadonly\tViewOnly\tFile\tLoadtime\tLoaderrors\tActivate\t"
        "ConvertViews\tAction\tActionduration");
}

TEST(ProcessLogTest, LinesAreAppendedAndTheFolderFallsBack)
{
    test::TempDir dir;
    auto ports = platform::createPlatformPorts();
    const std::string path = dir.file("log.txt");
    ASSERT_TRUE(AppendLineToFile(*ports.files, path, "a"));
    ASSERT_TRUE(AppendLineToFile(*ports.files, path, "b"));
    EXPECT_EQ(test::readFileBytes(path), "a\r\nb\r\n");
    EXPECT_FALSE(AppendLineToFile(*ports.files, dir.file("none") + kPathSeparator + "x", "c"));
    EXPECT_EQ(processLogFolder(*ports.files, dir.path(), "data"), dir.path());
    EXPECT_EQ(processLogFolder(*ports.files, dir.file("none"), "data"), "data");
}

} // namespace
} // namespace quorrix::engine
