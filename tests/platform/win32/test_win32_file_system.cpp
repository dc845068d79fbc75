#include "platform/win32/win32_file_system.h"

#include <functional>

#include <gtest/gtest.h>
#include <windows.h>

#include "engine/platform/platform_error.h"
#include "platform/win32/win32_text.h"
#include "support/temp_dir.h"

namespace quorrix::platform {
namespace {

class Win32FileSystemTest : public ::testing::Test {
protected:
    test::TempDir dir;
    Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, NamesIgnoreCase)
{
    test::writeFileBytes(dir.file("plain.slddrw"), "x");
    EXPECT_TRUE(files.isPlainFile(dir.file("PLAIN.SLDDRW")));
    EXPECT_EQ(files.readBytes(dir.file("Plain.SLDDRW")), "x");
}

TEST_F(Win32FileSystemTest, FailuresCarryTheSystemsNumberAndText)
{
    const std::string locked = dir.file("locked.qrxcfg");
    test::writeFileBytes(locked, "kept");
    ASSERT_TRUE(SetFileAttributesW(utf16FromUtf8(locked).c_str(), FILE_ATTRIBUTE_READONLY));
    const struct {
        std::function<void()> call;
        DWORD number;
    } rows[] = {
        { [&] { files.readBytes(dir.path()); }, ERROR_ACCESS_DENIED },
        { [&] { files.writeBytesAtomic(locked, "x"); }, ERROR_ACCESS_DENIED },
        { [&] { files.appendBytes(dir.path(), "x"); }, ERROR_ACCESS_DENIED },
        { [&] { files.writeBytesAtomic(dir.file("missing\\settings.qrxcfg"), "x"); },
            ERROR_PATH_NOT_FOUND },
    };
    for (const auto& row : rows) {
        try {
            row.call();
            ADD_FAILURE() << "no error for " << row.number;
        } catch (const engine::PlatformError& e) {
            EXPECT_EQ(e.number(), row.number);
            const std::string text = e.description();
            ASSERT_FALSE(text.empty());
            EXPECT_EQ(text.find_last_not_of(" \t\r\n"), text.size() - 1) << text;
        }
    }
    SetFileAttributesW(utf16FromUtf8(locked).c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
} // namespace quorrix::platform
