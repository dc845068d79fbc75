#include <gtest/gtest.h>

#include "engine/platform/key_value_store.h"
#include "engine/swlink/sw_versions.h"
#include "support/memory_key_value_store.h"
#include "support/solidworks_fixture.h"
#include "swsim/sim_application.h"

namespace quorrix::engine {
namespace {

using test::SolidWorksFixture;

TEST(RevisionTest, ComparesMajorThenRoundedMinor)
{
    using Row = std::tuple<const char*, const char*, const char*, bool>;
    // Any 14.x for a minor below zero; a minor of 3.5 rounds to 4, 2.5 to the even 2; the
    // arguments count by their leading number.
    const Row rows[] = { { "14.0.0", "14", "-7", true }, { "14.0.0", "14", "1", false },
        { "14.0.0", "11", "0", true }, { "13.9.0", "14", "-7", false }, { "9.4.0", "9", "4", true },
        { "9.3.0", "9", "4", false }, { "16.0.0", "16", "1", false }, { "17.0.0", "17", "0", true },
        { "30.0.0", "17", "0", true }, { "14.3.5", "14", "4", true },
        { "14.2.5", "14", "3", false }, { "14.4.0", "14abc", "4xyz", true },
        { "30", "30", "0", true }, { "garbage", "9", "4", false } };
    for (const auto& [revision, major, minor, expected] : rows) {
        EXPECT_EQ(revisionAtLeast(revision, major, minor), expected)
            << revision << " vs " << major << "." << minor;
    }
}

TEST(SwConnectionTest, ConnectsToTheChosenVersionAtTheNextConnectAndKeepsTheObjectOnFailure)
{
    SolidWorksFixture sw;
    sw.sim.installation().versions = { "", ".30" };
    ASSERT_TRUE(sw.connection.ConnectSolidWorks());
    const auto standard = sw.connection.swApp();
    sw.settings.UseSolidWorksVersion = SwAppVersionSuffixForName("SOLIDWORKS 2022");
    EXPECT_EQ(sw.connection.swApp(), standard);
    EXPECT_EQ(sw.calls("CreateObject").size(), 1u);

    ASSERT_TRUE(sw.connection.ConnectSolidWorks());
    const auto first = sw.connection.swApp();
    EXPECT_EQ(sw.calls("CreateObject").back(),
        "Connector.CreateObject(\"SldWorks.Application.30\") -> running instance");
    EXPECT_TRUE(first->Visible());
    EXPECT_TRUE(first->UserControl());

    sw.settings.UseSolidWorksVersion = ".31"; // not installed
    EXPECT_FALSE(sw.connection.ConnectSolidWorks());
    EXPECT_EQ(sw.connection.swApp(), first);
    EXPECT_FALSE(sw.connection.IsSwxRevisionAtLeast("9", "4"));

    sw.sim.installation().installed = false;
    sw.settings.UseSolidWorksVersion = "";
    EXPECT_FALSE(sw.connection.ConnectSolidWorks());
    EXPECT_EQ(sw.connection.swApp(), first);
}

TEST(SwConnectionTest, KeepsTheRunningObjectUntilItsSolidWorksEnds)
{
    SolidWorksFixture sw;
    ASSERT_TRUE(sw.connection.ConnectSolidWorks());
    const auto first = sw.connection.swApp();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(sw.connection.ConnectSolidWorks());
        EXPECT_TRUE(sw.connection.IsSwxRevisionAtLeast("9", "4"));
    }
    EXPECT_EQ(sw.connection.swApp(), first);
    EXPECT_EQ(sw.calls("CreateObject").size(), 1u);
    EXPECT_EQ(sw.calls("RevisionNumber").size(), 1u);
    EXPECT_EQ(sw.calls("Visible=").size(), 1u);

    // Ended from outside the connection, as the run ends it when it is done.
    first->ExitApp();
    ASSERT_TRUE(sw.connection.ConnectSolidWorks());
    EXPECT_NE(sw.connection.swApp(), first);
    EXPECT_EQ(sw.calls("CreateObject").back(),
        "Connector.CreateObject(\"SldWorks.Application\") -> new instance");
    EXPECT_TRUE(sw.connection.IsSwxRevisionAtLeast("9", "4"));
    EXPECT_EQ(sw.calls("RevisionNumber").size(), 2u);
}

TEST(SwConnectionTest, RestartEndsWaitsKeepsThePreferencesAndReplacesACrashedInstance)
{
    SolidWorksFixture sw;
    ASSERT_TRUE(sw.connection.ConnectSolidWorks());
    const auto before = sw.connection.swApp();
    ASSERT_TRUE(before->SetUserPreferenceIntegerValue(9, 600));
    sw.sim.installation().activePrinter = "Plotter";

    ASSERT_TRUE(sw.connection.RestartSolidWorks());
    EXPECT_EQ(sw.calls("ExitApp").size(), 1u);
    EXPECT_EQ(sw.clock.sleeps, std::vector<int> { 5000 });
    const auto after = sw.connection.swApp();
    EXPECT_NE(after, before);
    EXPECT_EQ(after->GetUserPreferenceIntegerValue(9), 600);
    EXPECT_EQ(after->ActivePrinter(), "Plotter");
    EXPECT_THROW(before->RevisionNumber(), AutomationError);

    // A crashed instance is replaced as well.
    SolidWorksFixture crashed;
    crashed.sim.installation().crashAfterOpens = 0;
    EXPECT_THROW(crashed.open(crashed.document("a.SLDPRT"), kSwDocPart), AutomationError);
    EXPECT_THROW(crashed.connection.swApp()->ActiveDoc(), AutomationError);
    ASSERT_TRUE(crashed.connection.RestartSolidWorks());
    EXPECT_EQ(crashed.connection.swApp()->ActiveDoc(), nullptr);
}

TEST(SwVersionsTest, EveryNameFindsItsSuffixAndBack)
{
    for (const auto& row : SwAppVersionTable()) {
        EXPECT_EQ(SwAppVersionSuffixForName(row.name), row.suffix) << row.name;
        EXPECT_EQ(row.name.find("2002"), std::string::npos);
    }
    EXPECT_EQ(SwAppVersionName(".30"), "SOLIDWORKS 2022");
    EXPECT_EQ(SwAppVersionLabel(".99"), "SWX version: standard");
    EXPECT_EQ(SwAppVersionSuffixForName("SOLIDWORKS 95"), ""); // without its no-break space
}

TEST(SwVersionsTest, DialogListsInstalledVersionsAndSelectsTheCurrentOne)
{
    SolidWorksFixture sw;
    SwAppVersionChoice only = InstalledSwAppVersions(sw.sim, ".30");
    EXPECT_EQ(only.names, std::vector<std::string> { "standard" });
    EXPECT_EQ(only.selected, 0);

    sw.sim.installation().versions = { ".31", "", ".30" };
    const SwAppVersionChoice three = InstalledSwAppVersions(sw.sim, ".31");
    EXPECT_EQ(three.names,
        (std::vector<std::string> { "standard", "SOLIDWORKS 2022", "SOLIDWORKS 2023" }));
    EXPECT_EQ(three.selected, 2);

    sw.sim.installation().installed = false;
    EXPECT_EQ(InstalledSwAppVersions(sw.sim, "").selected, -1);
}

TEST(SwVersionsTest, ClassesRootRegistrationNeedsTheClsidDefaultValue)
{
    test::MemoryKeyValueStore store;
    store.write(StoreRoot::ClassesRoot, "SldWorks.Application.30\\CLSID", "",
        StoredValue::text("{00000000-0000-0000-0000-000000000000}"));
    store.write(
        StoreRoot::ClassesRoot, "SldWorks.Application.31\\CLSID", "Other", StoredValue::text("x"));
    EXPECT_TRUE(classesRootRegisters(store, "SldWorks.Application.30"));
    EXPECT_FALSE(classesRootRegisters(store, "SldWorks.Application.31"));
    EXPECT_FALSE(classesRootRegisters(store, "SldWorks.Application"));
}

} // namespace
} // namespace quorrix::engine
