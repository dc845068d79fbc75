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

TEST(ProgramStartTest, NoPrinterOrNoSolidWorksAsksAndCancelEndsTheStart)
{
    for (const bool noPrinter : { true, false }) {
        for (const MessageAnswer answer : { MessageAnswer::Cancel, MessageAnswer::Ok }) {
            SCOPED_TRACE(std::string(noPrinter ? "no printer, " : "no SolidWorks, ")
                + (answer == MessageAnswer::Ok ? "Ok" : "Cancel"));
            ProgramStart fx;
            if (!noPrinter) {
                fx.catalog.printers = { { "Office", true, { { "A4", 9 } } } };
                fx.sim.installation().installed = false;
            }
            fx.messages.answers = { answer };
            Program program(fx.ports());
            EXPECT_EQ(program.start(), answer == MessageAnswer::Ok);
            ASSERT_EQ(fx.messages.shown.size(), 1u);
            if (noPrinter) {
                EXPECT_EQ(fx.messages.shown[0].text, program.language.GetInfoText(114));
                EXPECT_EQ(fx.messages.shown[0].buttons, MessageButtons::OkCancel);
                // Asked before SolidWorks is reached, which it is only when the user goes on.
                EXPECT_EQ(fx.calls("CreateObject").empty(), answer == MessageAnswer::Cancel);
                EXPECT_EQ(program.solidWorksReached, answer == MessageAnswer::Ok);
                EXPECT_TRUE(program.printers.empty());
            } else {
                EXPECT_EQ(fx.messages.shown[0].title, kNoSolidWorksTitle);
                EXPECT_EQ(fx.messages.shown[0].icon, MessageIcon::Information);
                EXPECT_FALSE(program.solidWorksReached);
            }
        }
    }
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
