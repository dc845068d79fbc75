#include <gtest/gtest.h>

#include <windows.h>

#include "engine/swlink/solidworks.h"
#include "support/memory_key_value_store.h"
#include "swcom/com_connector.h"

namespace quorrix::test {
namespace {

TEST(ComConnectorTest, FailsAsAnAutomationErrorWhereSolidWorksIsMissing)
{
    MemoryKeyValueStore store;
    swcom::ComConnector connector(store);
    for (const std::string progId :
        { "SldWorks.Application", "SldWorks.Application.31", "Kein Programm ü", "\xff" }) {
        try {
            connector.createApplication(progId);
            ADD_FAILURE() << "created " << progId;
        } catch (const engine::AutomationError& e) {
            EXPECT_TRUE(FAILED(e.number())) << progId;
            EXPECT_FALSE(e.description().empty()) << progId;
        }
        EXPECT_FALSE(connector.isRegistered(progId));
    }

    store.write(engine::StoreRoot::ClassesRoot, "SldWorks.Application.31\\CLSID", "",
        engine::StoredValue::text("{00000000-0000-0000-0000-000000000000}"));
    EXPECT_TRUE(connector.isRegistered("SldWorks.Application.31"));
    EXPECT_FALSE(connector.isRegistered("SldWorks.Application.30"));
}

// Wine registers its scripting runtime: a real automation object, though not SolidWorks.
TEST(ComConnectorTest, CreatedObjectsWorkAfterTheConnectorIsGone)
{
    MemoryKeyValueStore store;
    std::shared_ptr<engine::SwApplication> application;
    {
        swcom::ComConnector connector(store);
        application = connector.createApplication("Scripting.Dictionary");
    }
    ASSERT_NE(application, nullptr);
    try {
        application->RevisionNumber();
        ADD_FAILURE() << "a dictionary has no revision number";
    } catch (const engine::AutomationError& e) {
        EXPECT_EQ(e.number(), DISP_E_UNKNOWNNAME);
        EXPECT_NE(e.description().find("(RevisionNumber)"), std::string::npos);
    }
}

TEST(ComConnectorTest, KeepsOnlyItsLastApplicationUntilItIsAskedToExit)
{
    MemoryKeyValueStore store;
    swcom::ComConnector connector(store);
    const auto first = connector.createApplication("Scripting.Dictionary");
    const auto last = connector.createApplication("Scripting.Dictionary");
    EXPECT_FALSE(connector.stillRunning(*first));
    EXPECT_TRUE(connector.stillRunning(*last));
    EXPECT_THROW(last->ExitApp(), engine::AutomationError); // a dictionary has no ExitApp
    EXPECT_FALSE(connector.stillRunning(*last));
}

} // namespace
} // namespace quorrix::test
