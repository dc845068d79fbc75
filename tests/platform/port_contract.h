#pragma once

// What the engine counts on from the store, the file system and the regional format, the
// same on every platform. A platform's contract test file defines, in quorrix::platform's
// unnamed namespace, what the fixtures below hold (PlatformStore, PlatformFiles and
// PlatformRegional), then includes this.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "engine/platform/path_text.h"
#include "engine/platform/platform_error.h"
#include "engine/settings/registry.h"
#include "engine/settings/settings_schema.h"
#include "support/fakes.h"
#include "support/settings_samples.h"
#include "support/temp_dir.h"

namespace quorrix::platform {
namespace {

using engine::NamedValue;
using engine::StoredValue;
constexpr engine::StoreRoot kUser = engine::StoreRoot::CurrentUser;

std::vector<std::string> sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

class StoreContract : public ::testing::Test {
protected:
    PlatformStore platform;
    engine::KeyValueStore& store = platform.store;
    const std::string& key = platform.key;
};

TEST_F(StoreContract, KeepsEveryTypeAnyLengthAndTextOutsideAscii)
{
    const std::vector<NamedValue> written = {
        { "Text", StoredValue::text("Blatt 1") },
        { "EmptyText", StoredValue::text("") },
        { "Bytes", StoredValue::bytes({ 0, 1, 0xff, 0 }) },
        { "EmptyBytes", StoredValue::bytes({}) },
        { "Dword", StoredValue::dword(0xffffffffu) },
        { "Zero", StoredValue::dword(0) },
        { "Größe €", StoredValue::text("Maß 12,5 € 𝄞") },
        { std::string(400, 'n'), StoredValue::text(std::string(70000, 't')) },
    };
    for (const NamedValue& v : written)
        store.write(kUser, key, v.name, v.value);
    // A type the store cannot write writes nothing, not even the key.
    store.write(kUser, key, "Other", StoredValue::other());
    store.write(kUser, key + "\\Untouched", "X", StoredValue::other());

    const auto reopened = platform.reopen();
    for (const NamedValue& v : written)
        EXPECT_EQ(reopened->read(kUser, key, v.name), v.value) << v.name.substr(0, 8);
    EXPECT_EQ(reopened->read(kUser, key, "Other"), std::nullopt);
    EXPECT_FALSE(reopened->keyExists(kUser, key + "\\Untouched"));
    const std::vector<NamedValue> listed = reopened->listValues(kUser, key);
    EXPECT_TRUE(std::is_permutation(listed.begin(), listed.end(), written.begin(), written.end()));
}

TEST_F(StoreContract, NamesIgnoreCaseAndOuterBackslashes)
{
    store.write(kUser, key + "\\Mixed\\Case", "ValueName", StoredValue::text("first"));
    store.write(kUser, "\\" + key + "\\MIXED\\case\\", "VALUENAME", StoredValue::text("second"));
    const auto reopened = platform.reopen();
    EXPECT_EQ(
        reopened->read(kUser, key + "\\mixed\\CASE", "valuename"), StoredValue::text("second"));
    // The spelling the value was created with stays.
    EXPECT_EQ(reopened->listValues(kUser, key + "\\Mixed\\Case"),
        (std::vector<NamedValue> { { "ValueName", StoredValue::text("second") } }));
    EXPECT_TRUE(reopened->keyExists(kUser, "\\" + key + "\\mixed"));
}

TEST_F(StoreContract, DeletesAKeyWithEverythingBelowIt)
{
    store.write(kUser, key + "\\Form Positions\\frmMain", "Left", StoredValue::text("10"));
    store.write(kUser, key + "\\Form Positions", "Top", StoredValue::text("20"));
    store.write(kUser, key + "\\Other", "Keep", StoredValue::text("1"));
    store.write(kUser, key + "\\Größe €", "Keep", StoredValue::text("2"));
    EXPECT_EQ(sorted(store.listSubKeys(kUser, key)),
        (std::vector<std::string> { "Form Positions", "Größe €", "Other" }));

    store.deleteKey(kUser, key + "\\FORM POSITIONS");
    const auto reopened = platform.reopen();
    EXPECT_FALSE(reopened->keyExists(kUser, key + "\\Form Positions"));
    EXPECT_FALSE(reopened->keyExists(kUser, key + "\\Form Positions\\frmMain"));
    EXPECT_EQ(reopened->read(kUser, key + "\\Other", "Keep"), StoredValue::text("1"));
    EXPECT_EQ(sorted(reopened->listSubKeys(kUser, key)),
        (std::vector<std::string> { "Größe €", "Other" }));

    EXPECT_NO_THROW(store.deleteKey(kUser, key + "\\Form Positions"));
    EXPECT_NO_THROW(store.deleteKey(kUser, key + "\\Missing\\Deeper"));
    // A root is no key to delete: an empty path once took every key of the root along.
    for (const std::string root : { "", "\\", "\\\\" })
        EXPECT_THROW(store.deleteKey(kUser, root), engine::PlatformError) << root;
    EXPECT_EQ(store.read(kUser, key + "\\Other", "Keep"), StoredValue::text("1"));
}

TEST_F(StoreContract, MissingKeysAndValuesAreNoError)
{
    store.write(kUser, key, "Present", StoredValue::text("x"));
    EXPECT_EQ(store.read(kUser, key, "Absent"), std::nullopt);
    EXPECT_EQ(store.read(kUser, key + "\\Absent", "Present"), std::nullopt);
    EXPECT_EQ(store.read(engine::StoreRoot::ClassesRoot, "\\QUORRIX.NoSuchApp.1\\CLSID", ""),
        std::nullopt);
    EXPECT_FALSE(store.keyExists(kUser, key + "\\Absent"));
    EXPECT_TRUE(store.listValues(kUser, key + "\\Absent").empty());
    EXPECT_TRUE(store.listSubKeys(kUser, key + "\\Absent").empty());
}

TEST_F(StoreContract, HoldsTheWholeSettingsRecord)
{
    test::RecordingMessageBox messages;
    for (char separator : { '.', ',' }) {
        test::FixedRegionalFormat regional(separator);
        const engine::Settings original = test::unusualSettings(separator);
        ASSERT_TRUE(
            engine::Registry(store, messages, regional, key).SaveRegistrySettings(original));
        const auto reopened = platform.reopen();
        engine::Settings back = engine::defaultSettings();
        engine::Registry(*reopened, messages, regional, key).LoadRegistrySettings(back);
        EXPECT_EQ(test::differingSettings(original, back), std::vector<std::string> {});
    }
    EXPECT_TRUE(messages.shown.empty());
}

class FileSystemContract : public ::testing::Test {
protected:
    test::TempDir dir;
    PlatformFiles platform;
    engine::FileSystem& files = platform.files;
};

TEST_F(FileSystemContract, PlainFilesLeaveOutFoldersAndHiddenFiles)
{
    for (const char* name : { "plain.slddrw", "Größe €.txt" })
        test::writeFileBytes(dir.file(name), "x");
    const std::vector<std::string> unlisted = platform.writeUnlisted(dir);
    std::filesystem::create_directory(engine::pathFromUtf8(dir.file("Ordner ü")));

    const std::vector<std::string> expected = { "Größe €.txt", "plain.slddrw" };
    EXPECT_EQ(sorted(files.plainFiles(dir.path())), expected);
    EXPECT_EQ(sorted(files.plainFiles(dir.file(""))), expected);
    EXPECT_TRUE(files.plainFiles(dir.file("missing")).empty());

    struct Row {
        std::string path;
        bool plainFile;
        bool folder;
    };
    std::vector<Row> rows = {
        { dir.file("plain.slddrw"), true, false },
        { dir.file("Größe €.txt"), true, false },
        { dir.file("Ordner ü"), false, true },
        { dir.file("missing.txt"), false, false },
        { dir.file("pl*.slddrw"), false, false },
        { "", false, false },
        { dir.file("\xff.txt"), false, false },
    };
    for (const std::string& path : unlisted)
        rows.push_back({ path, false, false });
    for (const Row& row : rows) {
        EXPECT_EQ(files.isPlainFile(row.path), row.plainFile) << row.path;
        EXPECT_EQ(files.folderExists(row.path), row.folder) << row.path;
    }
}

TEST_F(FileSystemContract, AtomicWriteReplacesExactlyTheBytesAndLeavesNothingElse)
{
    const std::string path = dir.file("Größe €.qrxcfg");
    test::writeFileBytes(path, "old content that is longer");
    const std::string bytes = std::string("a\0b\r\nc\xff", 7) + std::string(3 << 20, 'z');
    files.writeBytesAtomic(path, bytes);
    EXPECT_EQ(files.readBytes(path), bytes);
    EXPECT_EQ(test::readFileBytes(path), bytes);
    files.writeBytesAtomic(path, "");
    EXPECT_EQ(files.readBytes(path), "");
    EXPECT_EQ(files.plainFiles(dir.path()), std::vector<std::string> { "Größe €.qrxcfg" });

    EXPECT_EQ(files.readBytes(dir.file("missing.txt")), std::nullopt);
    EXPECT_EQ(files.readBytes(dir.file("missing") + "/deeper.txt"), std::nullopt);
    EXPECT_THROW(files.writeBytesAtomic(dir.file("missing") + "/settings.qrxcfg", "x"),
        engine::PlatformError);
}

TEST_F(FileSystemContract, WritesRefuseAReadOnlyFileOrAFolder)
{
    if (platform.writesReadOnlyFiles)
        GTEST_SKIP() << "this user writes read-only files";
    const std::string path = dir.file("locked.qrxcfg");
    test::writeFileBytes(path, "kept");
    platform.setReadOnly(path, true);
    std::filesystem::create_directory(engine::pathFromUtf8(dir.file("folder")));
    for (const std::string& target : { path, dir.file("folder") }) {
        for (const bool append : { false, true }) {
            try {
                if (append)
                    files.appendBytes(target, "added");
                else
                    files.writeBytesAtomic(target, "replaced");
                ADD_FAILURE() << "changed " << target;
            } catch (const engine::PlatformError& e) {
                EXPECT_FALSE(e.description().empty());
            }
        }
    }
    EXPECT_EQ(test::readFileBytes(path), "kept");
    EXPECT_EQ(files.plainFiles(dir.path()), std::vector<std::string> { "locked.qrxcfg" });
    platform.setReadOnly(path, false);
}

TEST_F(FileSystemContract, AppendCreatesThenExtends)
{
    const std::string path = dir.file("Protokoll ä.log");
    files.appendBytes(path, "first\r\n");
    files.appendBytes(path, "second\r\n");
    EXPECT_EQ(test::readFileBytes(path), "first\r\nsecond\r\n");
    EXPECT_THROW(files.appendBytes(dir.file("missing") + "/x.log", "x"), engine::PlatformError);
}

TEST_F(FileSystemContract, StampChangesWithTheContent)
{
    const std::string path = dir.file("list.qrxlst");
    EXPECT_EQ(files.stamp(path), std::nullopt);
    EXPECT_EQ(files.stamp(dir.path()), std::nullopt);

    test::writeFileBytes(path, "abc");
    // Written long ago, so that only a change of the file can change its time.
    std::filesystem::last_write_time(engine::pathFromUtf8(path),
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 20));
    const auto before = files.stamp(path);
    ASSERT_TRUE(before);
    EXPECT_EQ(before->size, 3u);
    EXPECT_EQ(files.stamp(path), before);

    files.writeBytesAtomic(path, "xyz"); // same size: only the time tells
    EXPECT_NE(files.stamp(path), before);
    files.appendBytes(path, "more");
    ASSERT_TRUE(files.stamp(path));
    EXPECT_EQ(files.stamp(path)->size, 7u);
}

TEST_F(FileSystemContract, WritableFolderIsProvedByWritingAndLeavesNoTrace)
{
    EXPECT_TRUE(files.isWritableFolder(dir.path()));
    EXPECT_TRUE(files.isWritableFolder(dir.file("")));
    EXPECT_FALSE(files.isWritableFolder(dir.file("missing")));
    test::writeFileBytes(dir.file("a file"), "x");
    EXPECT_FALSE(files.isWritableFolder(dir.file("a file")));
    const auto entries = std::filesystem::directory_iterator(engine::pathFromUtf8(dir.path()));
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1); // hidden files too
}

TEST(RegionalContract, ComparesWithoutRegardToCaseAndSortKeysAgree)
{
    PlatformRegional platform;
    const engine::RegionalFormat& regional = platform.regional;
    const struct {
        const char* a;
        const char* b;
        int sign;
    } rows[] = {
        { "Blatt1", "BLATT1", 0 },
        { "Ärger", "ärger", 0 },
        { "ABC.slddrw", "abc.SLDDRW", 0 },
        { "Zeichnung 10", "zEICHNUNG 10", 0 },
        { "apple", "Banana", -1 },
        { "banana", "Apple", 1 },
        { "b2", "B10", 1 },
        { "Zeile", "zeile 2", -1 },
        { "", "", 0 },
        { "", "a", -1 },
        { "\xff", "\xff", 0 },
    };
    const auto sign = [](int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " " + row.b);
        EXPECT_EQ(sign(regional.compareText(row.a, row.b)), row.sign);
        EXPECT_EQ(sign(regional.sortKey(row.a).compare(regional.sortKey(row.b))), row.sign);
    }
    const char separator = regional.decimalSeparator();
    EXPECT_TRUE(separator > ' ' && separator < 0x7f) << int(separator);
}

} // namespace
} // namespace quorrix::platform
