#include <gtest/gtest.h>

#include "engine/run/program_start.h"
#include "support/memory_key_value_store.h"
#include "support/solidworks_fixture.h"

namespace quorrix::engine {
namespace {

struct FixedPrinters : PrinterCatalog {
    std::vector<InstalledPrinter> installedPrinters() override { return printers; }
    std::vector<InstalledPrinter> printers;
};

struct ProgramStart : test::SolidWorksFixture {
    ProgramPorts ports()
    {
        return { store, *SolidWorksFixture::ports.files, regional, clock, messages, catalog, sim,
            SolidWorksFixture::ports.programFolder };
    }
    test::MemoryKeyValueStore store;
    test::FixedRegionalFormat regional;
    test::RecordingMessageBox messages;
    FixedPrinters catalog;
};

TEST(ProgramStartTest, NoPrinterAsksFirstAndCancelEndsBeforeSolidWorks)
{
    ProgramStart fx;
    fx.messages.answers = { MessageAnswer::Cancel };
    Program program(fx.ports());
    EXPECT_FALSE(program.start());
    ASSERT_EQ(fx.messages.shown.size(), 1u);
    EXPECT_EQ(fx.messages.shown[0].text, program.language.GetInfoText(114));
    EXPECT_EQ(fx.messages.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(fx.calls("CreateObject").empty());

    fx.messages.answers = { MessageAnswer::Ok };
    Program goesOn(fx.ports());
    EXPECT_TRUE(goesOn.start());
    EXPECT_TRUE(goesOn.printers.empty());
    EXPECT_TRUE(goesOn.solidWorksReached);
}

TEST(ProgramStartTest, WithoutSolidWorksTheUserChooses)
{
    ProgramStart fx;
    fx.catalog.printers = { { "Office", true, { { "A4", 9 } } } };
    fx.sim.installation().installed = false;
    fx.messages.answers = { MessageAnswer::Ok };
    Program program(fx.ports());
    EXPECT_TRUE(program.start());
    EXPECT_FALSE(program.solidWorksReached);
    ASSERT_EQ(fx.messages.shown.size(), 1u);
    EXPECT_EQ(fx.messages.shown[0].title, kNoSolidWorksTitle);
    EXPECT_EQ(fx.messages.shown[0].icon, MessageIcon::Information);

    fx.messages.answers = { MessageAnswer::Cancel };
    EXPECT_FALSE(Program(fx.ports()).start());
}

TEST(ProgramStartTest, StoredSettingsAndCountersReplaceTheDefaults)
{
    ProgramStart fx;
    fx.catalog.printers = { { "Office", true, {} } };
    Registry registry(fx.store, fx.messages, fx.regional);
    Settings stored = defaultSettings();
    stored.Language = 2;
    stored.UseSolidWorksVersion = ".99"; // no such version is installed
    stored.FilterNameIndex = 3;
    stored.FilterNameFilter[3].Contain0 = "Front";
    ASSERT_TRUE(registry.SaveRegistrySettings(stored));
    ASSERT_TRUE(registry.SaveProcessedCounters({ 12, 34 }));
    fx.messages.answers = { MessageAnswer::Ok };

    Program program(fx.ports());
    EXPECT_TRUE(program.start());
    EXPECT_EQ(program.settings.Language, 2);
    EXPECT_EQ(program.counters.ProcessedSheets, 34);
    EXPECT_EQ(program.settings.ActiveFilter.Contain0, "Front");
    EXPECT_FALSE(program.solidWorksReached); // the stored version decides the ProgID
    EXPECT_NE(program.helpFile.find("QUORRIX_us.chm"), std::string::npos);
}

} // namespace
} // namespace quorrix::engine
