#include <algorithm>
#include <climits>
#include <cstdint>

#include <gtest/gtest.h>
#include <windows.h>

#include "engine/platform/platform_error.h"
#include "platform/platform_ports.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_text.h"

namespace quorrix::platform {
namespace {

TEST(Win32TextTest, ConvertsBothWaysAndRejectsMalformedNames)
{
    for (const std::string text : { "", "plain", "Größe €", "𝄞 and \xe2\x82\xac" }) {
        EXPECT_EQ(utf8FromUtf16(utf16FromUtf8(text)), text);
    }
    EXPECT_EQ(utf16FromUtf8("Größe €"), L"Größe €");
    EXPECT_EQ(utf16FromUtf8("\xf0\x9d\x84\x9e"), L"\U0001D11E");

    for (const std::string bad : { "\xff", "a\xc3", "\xed\xa0\x80" /* a surrogate */ }) {
        try {
            utf16FromUtf8(bad);
            ADD_FAILURE() << "accepted malformed bytes";
        } catch (const engine::PlatformError& e) {
            EXPECT_EQ(e.number(), ERROR_NO_UNICODE_TRANSLATION);
        }
        EXPECT_FALSE(utf16FromUtf8Lossy(bad).empty());
    }
    // A lone surrogate, possible in a Windows file name, still gives valid UTF-8.
    EXPECT_EQ(utf8FromUtf16(std::wstring(1, wchar_t(0xd800))), "\xef\xbf\xbd");
}

TEST(Win32ClockTest, CounterMovesForwardAndScalesWithoutOverflow)
{
    Win32Clock clock;
    const std::int64_t first = clock.counterTicks();
    clock.sleepMilliseconds(5);
    const std::int64_t second = clock.counterTicks();
    EXPECT_GT(second, first);
    EXPECT_LE(clock.counterTicks() - second, 10'000 * 60); // still on the same scale

    const engine::LocalDateTime now = clock.now();
    EXPECT_GE(now.year, 2024);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12 && now.day >= 1 && now.day <= 31);

    struct Row {
        std::int64_t count;
        std::int64_t frequency;
        std::int64_t ticks;
    };
    const std::vector<Row> rows = {
        { 10'000'000, 10'000'000, 10'000 },
        { 15'000, 10'000'000, 15 },
        { 999, 10'000'000, 0 },
        { 1'500'000'000, 3'000'000'000, 5'000 },
        // A year of uptime at 10 MHz: count * 10000 alone would overflow.
        { 315'360'000'000'000, 10'000'000, 315'360'000'000 },
        { INT64_MAX, 10'000'000, INT64_MAX / 10'000'000 * 10'000 + 4775 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(scaleCounterTicks(row.count, row.frequency), row.ticks) << row.count;
}

TEST(Win32PlatformPortsTest, FindsTheProgramAndUserDataFolders)
{
    const PlatformPorts ports = createPlatformPorts();
    ASSERT_TRUE(ports.store && ports.files && ports.regional && ports.clock && ports.shell);

    EXPECT_FALSE(ports.programFolder.empty());
    EXPECT_NE(ports.programFolder.back(), '\\');
    EXPECT_TRUE(ports.files->folderExists(ports.programFolder));
    EXPECT_TRUE(ports.files->isPlainFile(ports.programFolder + "\\quorrix_platform_tests.exe"));

    const std::string suffix = "\\QUORRIX";
    for (const std::string& folder : { ports.userDataFolder, ports.userConfigFolder }) {
        ASSERT_GT(folder.size(), suffix.size());
        EXPECT_EQ(folder.substr(folder.size() - suffix.size()), suffix);
        EXPECT_TRUE(ports.files->folderExists(folder));
    }
    EXPECT_NE(ports.userDataFolder, ports.userConfigFolder);
}

} // namespace
} // namespace quorrix::platform
