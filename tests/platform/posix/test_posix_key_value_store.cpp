#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/platform/platform_error.h"
#include "platform/posix/posix_key_value_store.h"
#include "platform/posix/store_file.h"
#include "support/temp_dir.h"

namespace quorrix::platform {
namespace {

using engine::NamedValue;
using engine::StoredValue;
constexpr engine::StoreRoot kUser = engine::StoreRoot::CurrentUser;
const std::string kKey = "SOFTWARE\\Velmora\\QUORRIX";

TEST(StoreFile, EveryValueSurvivesTheFile)
{
    StoreContent content;
    content.keys.push_back({ "SOFTWARE\\We[ir]d;Key",
        {
            { "Language", StoredValue::text("1") },
            { "", StoredValue::text("default value") },
            { "=odd;name[", StoredValue::text(" a%b=c\r\nd\t") },
            { "[x", StoredValue::text(std::string("nul\0cut", 7)) },
            { "Counter", StoredValue::dword(0xFFFFFFFFu) },
            { "Blob", StoredValue::bytes({ 0, 1, 0xFE, 0xFF }) },
            { "Empty", StoredValue::bytes({}) },
            { "Other", StoredValue::other() },
            { "Gr\xC3\xB6\xC3\x9F"
              "e",
                StoredValue::text("\xE2\x82\xAC") },
        },
        {} });
    const StoreContent back = parseStoreFile(serializeStoreFile(content, "title"));
    ASSERT_EQ(back.keys.size(), 1u);
    EXPECT_EQ(back.keys[0].path, content.keys[0].path);
    EXPECT_EQ(back.keys[0].values, content.keys[0].values);
}

TEST(StoreFile, LinesThatDoNotParseAreKeptInTheirKey)
{
    const StoreContent content = parseStoreFile("; title\nstray=sz:outside\n[A]\ngood=sz:1\n"
                                                "typo line\nbad=dword:xyz\n[B]\r\nk=hex:0\r\n");
    ASSERT_EQ(content.keys.size(), 2u);
    EXPECT_EQ(
        content.keys[0].values, (std::vector<NamedValue> { { "good", StoredValue::text("1") } }));
    EXPECT_EQ(
        content.keys[0].foreignLines, (std::vector<std::string> { "typo line", "bad=dword:xyz" }));
    EXPECT_EQ(content.keys[1].foreignLines, (std::vector<std::string> { "k=hex:0" }));
    EXPECT_NE(serializeStoreFile(content, "t").find("typo line\n"), std::string::npos);
}

TEST(PosixKeyValueStore, RootsAreSeparateAndValuesKeepTheirFirstPlace)
{
    test::TempDir dir;
    PosixKeyValueStore store(dir.path());
    store.write(kUser, kKey, "TiffPrintDPI", StoredValue::text("300"));
    store.write(kUser, kKey, "Blob", StoredValue::bytes({ 1, 2 }));
    store.write(engine::StoreRoot::LocalMachine, kKey, "Count", StoredValue::dword(7));
    store.write(kUser, kKey, "tiffprintdpi", StoredValue::text("600"));
    PosixKeyValueStore reopened(dir.path());
    EXPECT_EQ(reopened.listValues(kUser, kKey),
        (std::vector<NamedValue> { { "TiffPrintDPI", StoredValue::text("600") },
            { "Blob", StoredValue::bytes({ 1, 2 }) } }));
    EXPECT_EQ(reopened.read(engine::StoreRoot::LocalMachine, kKey, "Count"), StoredValue::dword(7));
    EXPECT_EQ(reopened.read(engine::StoreRoot::ClassesRoot, kKey, "Count"), std::nullopt);
    reopened.deleteKey(kUser, "software\\VELMORA");
    EXPECT_EQ(reopened.read(engine::StoreRoot::LocalMachine, kKey, "Count"), StoredValue::dword(7));
}

TEST(PosixKeyValueStore, ABatchWritesOnceAndAnotherWriterIsSeen)
{
    test::TempDir dir;
    PosixKeyValueStore store(dir.path());
    PosixKeyValueStore other(dir.path());
    {
        engine::StoreBatch batch(store);
        for (int i = 0; i < 100; ++i)
            store.write(kUser, kKey, "V" + std::to_string(i), StoredValue::text("x"));
        EXPECT_EQ(other.read(kUser, kKey, "V0"), std::nullopt); // not yet written
        batch.finish();
    }
    EXPECT_EQ(other.read(kUser, kKey, "V99"), StoredValue::text("x"));
    other.write(kUser, kKey, "V0", StoredValue::text("changed"));
    EXPECT_EQ(store.read(kUser, kKey, "V0"), StoredValue::text("changed"));
    struct stat st { };
    ASSERT_EQ(::stat(store.fileOf(kUser).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u); // settings are the user's own
}

TEST(PosixKeyValueStore, AStoreThatCannotBeWrittenSaysSoAndKeepsItsFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes anywhere";
    test::TempDir dir;
    PosixKeyValueStore store(dir.path());
    store.write(kUser, kKey, "A", StoredValue::text("1"));
    ::chmod(dir.path().c_str(), 0500);
    EXPECT_THROW(store.write(kUser, kKey, "B", StoredValue::text("2")), engine::PlatformError);
    ::chmod(dir.path().c_str(), 0700);
    PosixKeyValueStore fresh(dir.path());
    EXPECT_EQ(fresh.read(kUser, kKey, "A"), StoredValue::text("1"));
    EXPECT_EQ(fresh.read(kUser, kKey, "B"), std::nullopt);
}

} // namespace
} // namespace quorrix::platform
