#include <gtest/gtest.h>

#include "engine/settings/registry.h"
#include "engine/settings/settings_schema.h"
#include "support/fakes.h"
#include "support/memory_key_value_store.h"

using namespace quorrix;
using namespace quorrix::engine;

namespace {

struct RegistryTest : ::testing::Test {
    test::MemoryKeyValueStore store;
    test::RecordingMessageBox messages;
    test::FixedRegionalFormat regional { '.' };
    Registry registry { store, messages, regional };

    void put(const std::string& name, const StoredValue& value)
    {
        store.write(StoreRoot::CurrentUser, kProgramKey, name, value);
    }
    Settings loaded()
    {
        Settings s = defaultSettings();
        registry.LoadRegistrySettings(s);
        return s;
    }
};

} // namespace

// The whole record's round trip through a real store is in the ports' contract.
TEST_F(RegistryTest, SavesEveryValueAsText)
{
    Settings s = defaultSettings();
    s.TiffPrintPaperHeight = 297.5;
    s.PrinterUseOnlyDefault = 1; // any true flag is written as -1
    regional.setSeparator(',');
    registry.SaveRegistrySettings(s);
    const auto values = store.listValues(StoreRoot::CurrentUser, kProgramKey);
    ASSERT_EQ(values.size(), settingsSchema().size());
    for (const NamedValue& value : values)
        EXPECT_TRUE(value.value.isText()) << value.name;
    EXPECT_EQ(*store.read(StoreRoot::CurrentUser, kProgramKey, "TiffPrintPaperHeight"),
        StoredValue::text("297,5"));
    EXPECT_EQ(*store.read(StoreRoot::CurrentUser, kProgramKey, "PrinterUseOnlyDefault"),
        StoredValue::text("-1"));
    EXPECT_EQ(
        *store.read(StoreRoot::CurrentUser, kProgramKey, "RunMacroIndex"), StoredValue::text("0"));
}

TEST_F(RegistryTest, WhatCannotBeUsedKeepsTheDefault)
{
    put("TiffPrintDPI", StoredValue::dword(600)); // another writer's number still counts
    put("TiffImageType", StoredValue::bytes({ 1, 0 })); // bytes hold no setting
    put("TiffCompressionScheme", StoredValue::other()); // unknown type counts as missing
    put("TiffPrintPaperSize", StoredValue::text("A4")); // does not convert
    put("Language", StoredValue::text("7")); // outside the language table
    put("TiffSaveFolder", StoredValue::text(std::string("C:\\out\0junk", 11)));
    const Settings s = loaded();
    EXPECT_EQ(s.TiffPrintDPI, 600);
    EXPECT_EQ(s.TiffImageType, 0);
    EXPECT_EQ(s.TiffCompressionScheme, 2);
    EXPECT_EQ(s.TiffPrintPaperSize, 8);
    EXPECT_EQ(s.Language, 1);
    EXPECT_EQ(s.TiffSaveFolder, "C:\\out");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RegistryTest, LegacyFilterTextsGoToTheFirstSetUnlessItIsStored)
{
    put("FilterContain0", StoredValue::text("Blatt"));
    Settings s = loaded();
    EXPECT_EQ(s.FilterNameFilter[0].Contain0, "Blatt");
    EXPECT_EQ(s.ActiveFilter.Contain0, "Blatt");

    put("FilterNameFilterContain00", StoredValue::text("Sheet"));
    put("FilterNameFilterNotContain13", StoredValue::text("Entwurf"));
    put("FilterNameIndex", StoredValue::text("3"));
    s = loaded();
    EXPECT_EQ(s.FilterNameFilter[0].Contain0, "Sheet");
    EXPECT_EQ(s.ActiveFilter, (FilterSet { "", "", "", "Entwurf" }));
}

TEST_F(RegistryTest, AFailingStoreIsReportedOnceAndTheRestStillLoads)
{
    put("TiffPrintDPI", StoredValue::text("600"));
    store.failOn("Language");
    store.failOn("AlwaysOnTop");
    const Settings s = loaded();
    EXPECT_EQ(s.TiffPrintDPI, 600);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "RegistryGetKeyValue");
    EXPECT_EQ(messages.shown[0].text, "Error: 5. Access is denied.");

    messages.shown.clear();
    EXPECT_FALSE(registry.SaveRegistrySettings(s));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "RegistrySetKeyValue");
}

TEST_F(RegistryTest, SingleValuesKeepTheirTypes)
{
    const std::string key = "SOFTWARE\\Other";
    const StoreRoot machine = StoreRoot::LocalMachine;
    EXPECT_TRUE(
        registry.RegistrySetKeyValue(machine, key, "S", std::int32_t { 5 }, RegistryType::String));
    EXPECT_TRUE(
        registry.RegistrySetKeyValue(machine, key, "D", std::string("300"), RegistryType::Dword));
    EXPECT_TRUE(registry.RegistrySetKeyValue(
        machine, key, "B", std::vector<std::uint8_t> { 1, 2 }, RegistryType::Binary));
    EXPECT_EQ(registry.RegistryGetKeyValue(machine, key, "S"), RegistryValue(std::string("5")));
    EXPECT_EQ(registry.RegistryGetKeyValue(machine, key, "D"), RegistryValue(std::int32_t { 300 }));
    EXPECT_EQ(registry.RegistryGetKeyValue(machine, key, "B"),
        RegistryValue(std::vector<std::uint8_t> { 1, 2 }));
    EXPECT_EQ(registry.RegistryGetKeyValue(machine, key, "Missing"), RegistryValue {});
    EXPECT_EQ(registry.RegistryGetKeyValue(machine, "SOFTWARE\\Nothing", "S"), RegistryValue {});

    EXPECT_FALSE(
        registry.RegistrySetKeyValue(machine, key, "D", std::string("many"), RegistryType::Dword));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error: 13. Type mismatch");
    EXPECT_FALSE(registry.RegistrySetKeyValue(
        machine, key, "X", std::string("x"), static_cast<RegistryType>(7)));
    EXPECT_EQ(store.read(machine, key, "X"), std::nullopt);
}

TEST_F(RegistryTest, UsageCountersHaveTheirOwnValues)
{
    UsageCounters counters { 99, 99 };
    registry.LoadProcessedCounters(counters);
    EXPECT_EQ(counters.ProcessedDrawings, 0);
    EXPECT_EQ(counters.ProcessedSheets, 0);
    EXPECT_TRUE(registry.SaveProcessedCounters({ 1234, 2147483647 }));
    registry.LoadProcessedCounters(counters);
    EXPECT_EQ(counters.ProcessedDrawings, 1234);
    EXPECT_EQ(counters.ProcessedSheets, 2147483647);
    EXPECT_EQ(*store.read(StoreRoot::CurrentUser, kProgramKey, "ProcessedSheets"),
        StoredValue::text("2147483647"));
}
