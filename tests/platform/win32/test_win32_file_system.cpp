#include "platform/win32/win32_file_system.h"

#include <algorithm>

#include <gtest/gtest.h>
#include <windows.h>

#include "engine/platform/platform_error.h"
#include "platform/win32/win32_text.h"
#include "support/temp_dir.h"

namespace quorrix::platform {
namespace {

void addAttributes(const std::string& path, DWORD attributes)
{
    const std::wstring wide = utf16FromUtf8(path);
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), GetFileAttributesW(wide.c_str()) | attributes));
}

std::vector<std::string> sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// Sets a file's last write time to a day in 2001, as if it had been written long ago.
void makeOld(const std::string& path)
{
    HANDLE file = CreateFileW(
        utf16FromUtf8(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SYSTEMTIME old { 2001, 5, 0, 4, 12, 0, 0, 0 };
    FILETIME time {};
    SystemTimeToFileTime(&old, &time);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
}

class Win32FileSystemTest : public ::testing::Test {
protected:
    test::TempDir dir;
    Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, PlainFilesLeaveOutFoldersHiddenAndSystemFiles)
{
    for (const char* name : { "plain.slddrw", "Größe €.txt", "hidden.txt", "system.txt" })
        test::writeFileBytes(dir.file(name), "x");
    addAttributes(dir.file("hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
    addAttributes(dir.file("system.txt"), FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(CreateDirectoryW(utf16FromUtf8(dir.file("Ordner ü")).c_str(), nullptr));
    if (!(GetFileAttributesW(utf16FromUtf8(dir.file("hidden.txt")).c_str())
            & FILE_ATTRIBUTE_HIDDEN))
        GTEST_SKIP() << "this file system keeps no DOS attributes";

    const std::vector<std::string> expected = { "Größe €.txt", "plain.slddrw" };
    EXPECT_EQ(sorted(files.plainFiles(dir.path())), expected);
    EXPECT_EQ(sorted(files.plainFiles(dir.path() + "\\")), expected);
    EXPECT_TRUE(files.plainFiles(dir.file("missing")).empty());

    struct Row {
        std::string path;
        bool plainFile;
        bool folder;
    };
    const std::vector<Row> rows = {
        { dir.file("plain.slddrw"), true, false },
        { dir.file("PLAIN.SLDDRW"), true, false },
        { dir.file("Größe €.txt"), true, false },
        { dir.file("hidden.txt"), false, false },
        { dir.file("system.txt"), false, false },
        { dir.file("Ordner ü"), false, true },
        { dir.file("missing.txt"), false, false },
        { dir.file("pl*.slddrw"), false, false },
        { "", false, false },
        { dir.file("\xff.txt"), false, false },
    };
    for (const Row& row : rows) {
        EXPECT_EQ(files.isPlainFile(row.path), row.plainFile) << row.path;
        EXPECT_EQ(files.folderExists(row.path), row.folder) << row.path;
    }
}

TEST_F(Win32FileSystemTest, ReadsBackExactlyTheBytesWritten)
{
    const std::string bytes = std::string("a\0b\r\nc\xff", 7) + std::string(3 << 20, 'z');
    const std::string path = dir.file("Größe €.qrxcfg");
    files.writeBytesAtomic(path, bytes);
    EXPECT_EQ(files.readBytes(path), bytes);
    EXPECT_EQ(test::readFileBytes(path), bytes);

    files.writeBytesAtomic(path, "");
    EXPECT_EQ(files.readBytes(path), "");
    EXPECT_EQ(files.readBytes(dir.file("missing.txt")), std::nullopt);
    EXPECT_EQ(files.readBytes(dir.file("missing\\deeper.txt")), std::nullopt);
}

TEST_F(Win32FileSystemTest, AtomicWriteReplacesTheFileAndLeavesNothingElse)
{
    const std::string path = dir.file("settings.qrxcfg");
    test::writeFileBytes(path, "old content that is longer");
    files.writeBytesAtomic(path, "new");
    EXPECT_EQ(test::readFileBytes(path), "new");
    EXPECT_EQ(files.plainFiles(dir.path()), std::vector<std::string> { "settings.qrxcfg" });

    try {
        files.writeBytesAtomic(dir.file("missing\\settings.qrxcfg"), "x");
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const engine::PlatformError& e) {
        EXPECT_EQ(e.number(), ERROR_PATH_NOT_FOUND);
    }
}

TEST_F(Win32FileSystemTest, WritesRefuseAReadOnlyFileOrAFolder)
{
    const std::string path = dir.file("locked.qrxcfg");
    test::writeFileBytes(path, "kept");
    addAttributes(path, FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(CreateDirectoryW(utf16FromUtf8(dir.file("folder")).c_str(), nullptr));

    for (const std::string& target : { path, dir.file("folder") }) {
        for (const bool append : { false, true }) {
            try {
                if (append)
                    files.appendBytes(target, "added");
                else
                    files.writeBytesAtomic(target, "replaced");
                ADD_FAILURE() << "changed " << target;
            } catch (const engine::PlatformError& e) {
                EXPECT_EQ(e.number(), ERROR_ACCESS_DENIED);
                EXPECT_FALSE(e.description().empty());
            }
        }
    }
    EXPECT_EQ(test::readFileBytes(path), "kept");
    EXPECT_EQ(files.plainFiles(dir.path()), std::vector<std::string> { "locked.qrxcfg" });
    SetFileAttributesW(utf16FromUtf8(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Win32FileSystemTest, FailuresCarryTheSystemsNumberAndText)
{
    try {
        files.readBytes(dir.path());
        ADD_FAILURE() << "read a folder";
    } catch (const engine::PlatformError& e) {
        EXPECT_EQ(e.number(), ERROR_ACCESS_DENIED);
        const std::string text = e.description();
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.find_last_not_of(" \t\r\n"), text.size() - 1) << text;
    }
}

TEST_F(Win32FileSystemTest, AppendCreatesThenExtends)
{
    const std::string path = dir.file("Protokoll ä.log");
    files.appendBytes(path, "first\r\n");
    files.appendBytes(path, "second\r\n");
    EXPECT_EQ(test::readFileBytes(path), "first\r\nsecond\r\n");
    EXPECT_THROW(files.appendBytes(dir.file("missing\\x.log"), "x"), engine::PlatformError);
}

TEST_F(Win32FileSystemTest, StampChangesWithTheContent)
{
    const std::string path = dir.file("list.qrxlst");
    EXPECT_EQ(files.stamp(path), std::nullopt);
    EXPECT_EQ(files.stamp(dir.path()), std::nullopt);

    test::writeFileBytes(path, "abc");
    makeOld(path);
    const auto before = files.stamp(path);
    ASSERT_TRUE(before);
    EXPECT_EQ(before->size, 3u);
    EXPECT_EQ(files.stamp(path), before);

    files.writeBytesAtomic(path, "xyz"); // same size: only the time tells
    const auto sameSize = files.stamp(path);
    ASSERT_TRUE(sameSize);
    EXPECT_NE(sameSize, before);

    files.appendBytes(path, "more");
    const auto longer = files.stamp(path);
    ASSERT_TRUE(longer);
    EXPECT_EQ(longer->size, 7u);
}

TEST_F(Win32FileSystemTest, WritableFolderIsProvedByWritingAndLeavesNoTrace)
{
    EXPECT_TRUE(files.isWritableFolder(dir.path()));
    EXPECT_TRUE(files.isWritableFolder(dir.path() + "\\"));
    EXPECT_FALSE(files.isWritableFolder(dir.file("missing")));
    test::writeFileBytes(dir.file("a file"), "x");
    EXPECT_FALSE(files.isWritableFolder(dir.file("a file")));
    EXPECT_EQ(files.plainFiles(dir.path()), std::vector<std::string> { "a file" });
    WIN32_FIND_DATAW entry {};
    HANDLE search
        = FindFirstFileW(utf16FromUtf8(dir.file("*quorrix*")).c_str(), &entry); // hidden too
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

} // namespace
} // namespace quorrix::platform
