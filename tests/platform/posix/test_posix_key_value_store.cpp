#include <gtest/gtest.h>

#include <sys/stat.h>

#include "engine/platform/platform_error.h"
#include "engine/settings/registry.h"
#include "engine/settings/settings_schema.h"
#include "platform/posix/posix_key_value_store.h"
#include "platform/posix/store_file.h"
#include "support/fakes.h"
#include "support/settings_samples.h"
#include "support/temp_dir.h"

using namespace quorrix;
using engine::NamedValue;
using engine::StoredValue;
using engine::StoreRoot;

namespace {

const std::string kKey = "SOFTWARE\\Velmora\\QUORRIX";

} // namespace

TEST(StoreFile, EveryValueSurvivesTheFile)
{
    platform::StoreContent content;
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
    const platform::StoreContent back
        = platform::parseStoreFile(platform::serializeStoreFile(content, "title"));
    ASSERT_EQ(back.keys.size(), 1u);
    EXPECT_EQ(back.keys[0].path, content.keys[0].path);
    EXPECT_EQ(back.keys[0].values, content.keys[0].values);
}

TEST(StoreFile, LinesThatDoNotParseAreKeptInTheirKey)
{
    const std::string text = "; title\n"
                             "stray=sz:outside\n"
                             "[A]\n"
                             "good=sz:1\n"
                             "typo line\n"
                             "bad=dword:xyz\n"
                             "[B]\r\n"
                             "k=hex:0\r\n";
    const platform::StoreContent content = platform::parseStoreFile(text);
    ASSERT_EQ(content.keys.size(), 2u);
    EXPECT_EQ(
        content.keys[0].values, (std::vector<NamedValue> { { "good", StoredValue::text("1") } }));
    EXPECT_EQ(
        content.keys[0].foreignLines, (std::vector<std::string> { "typo line", "bad=dword:xyz" }));
    EXPECT_EQ(content.keys[1].foreignLines, (std::vector<std::string> { "k=hex:0" }));
    const std::string again = platform::serializeStoreFile(content, "t");
    EXPECT_NE(again.find("typo line\n"), std::string::npos);
}

TEST(PosixKeyValueStore, KeepsTypedValuesAcrossInstances)
{
    test::TempDir dir;
    {
        platform::PosixKeyValueStore store(dir.path() + "/QUORRIX");
        store.write(StoreRoot::CurrentUser, kKey, "TiffPrintDPI", StoredValue::text("300"));
        store.write(StoreRoot::CurrentUser, kKey, "Blob", StoredValue::bytes({ 1, 2 }));
        store.write(StoreRoot::CurrentUser, kKey + "\\Form Positions", "frmMain",
            StoredValue::text("L=1;"));
        store.write(StoreRoot::LocalMachine, kKey, "Count", StoredValue::dword(7));
        store.write(StoreRoot::CurrentUser, kKey, "tiffprintdpi", StoredValue::text("600"));
        store.write(StoreRoot::CurrentUser, kKey, "Ignored", StoredValue::other());
    }
    platform::PosixKeyValueStore store(dir.path() + "/QUORRIX");
    EXPECT_EQ(store.read(StoreRoot::CurrentUser, "software\\velmora\\quorrix\\", "TIFFPRINTDPI"),
        StoredValue::text("600"));
    EXPECT_EQ(store.read(StoreRoot::LocalMachine, kKey, "Count"), StoredValue::dword(7));
    EXPECT_EQ(store.read(StoreRoot::ClassesRoot, kKey, "Count"), std::nullopt);
    EXPECT_EQ(store.read(StoreRoot::CurrentUser, kKey, "Ignored"), std::nullopt);
    const auto values = store.listValues(StoreRoot::CurrentUser, kKey);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].name, "TiffPrintDPI"); // first written keeps its place and spelling
    EXPECT_EQ(store.listSubKeys(StoreRoot::CurrentUser, "SOFTWARE\\Velmora"),
        std::vector<std::string> { "QUORRIX" });
    EXPECT_TRUE(store.keyExists(StoreRoot::CurrentUser, "SOFTWARE"));
    store.deleteKey(StoreRoot::CurrentUser, "software\\VELMORA");
    EXPECT_FALSE(store.keyExists(StoreRoot::CurrentUser, kKey + "\\Form Positions"));
    EXPECT_EQ(store.listValues(StoreRoot::CurrentUser, kKey), std::vector<NamedValue> {});
    EXPECT_EQ(store.read(StoreRoot::LocalMachine, kKey, "Count"), StoredValue::dword(7));
}

TEST(PosixKeyValueStore, ABatchWritesOnceAndAnotherWriterIsSeen)
{
    test::TempDir dir;
    platform::PosixKeyValueStore store(dir.path());
    platform::PosixKeyValueStore other(dir.path());
    {
        engine::StoreBatch batch(store);
        for (int i = 0; i < 100; ++i)
            store.write(
                StoreRoot::CurrentUser, kKey, "V" + std::to_string(i), StoredValue::text("x"));
        EXPECT_EQ(other.read(StoreRoot::CurrentUser, kKey, "V0"), std::nullopt); // not yet written
        batch.finish();
    }
    EXPECT_EQ(other.read(StoreRoot::CurrentUser, kKey, "V99"), StoredValue::text("x"));
    other.write(StoreRoot::CurrentUser, kKey, "V0", StoredValue::text("changed"));
    EXPECT_EQ(store.read(StoreRoot::CurrentUser, kKey, "V0"), StoredValue::text("changed"));
    struct stat st { };
    ASSERT_EQ(::stat(store.fileOf(StoreRoot::CurrentUser).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u); // settings are the user's own
}

TEST(PosixKeyValueStore, AStoreThatCannotBeWrittenSaysSoAndKeepsItsFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes anywhere";
    test::TempDir dir;
    platform::PosixKeyValueStore store(dir.path());
    store.write(StoreRoot::CurrentUser, kKey, "A", StoredValue::text("1"));
    ::chmod(dir.path().c_str(), 0500);
    EXPECT_THROW(store.write(StoreRoot::CurrentUser, kKey, "B", StoredValue::text("2")),
        engine::PlatformError);
    ::chmod(dir.path().c_str(), 0700);
    platform::PosixKeyValueStore fresh(dir.path());
    EXPECT_EQ(fresh.read(StoreRoot::CurrentUser, kKey, "A"), StoredValue::text("1"));
    EXPECT_EQ(fresh.read(StoreRoot::CurrentUser, kKey, "B"), std::nullopt);
}

TEST(PosixKeyValueStore, HoldsTheWholeSettingsRecord)
{
    test::TempDir dir;
    platform::PosixKeyValueStore store(dir.path());
    test::RecordingMessageBox messages;
    for (char separator : { '.', ',' }) {
        test::FixedRegionalFormat regional(separator);
        engine::Registry registry(store, messages, regional);
        const engine::Settings original = test::unusualSettings(separator);
        ASSERT_TRUE(registry.SaveRegistrySettings(original));
        platform::PosixKeyValueStore reopened(dir.path());
        engine::Registry again(reopened, messages, regional);
        engine::Settings back = engine::defaultSettings();
        again.LoadRegistrySettings(back);
        EXPECT_EQ(test::differingSettings(original, back), std::vector<std::string> {});
    }
    EXPECT_TRUE(messages.shown.empty());
}
