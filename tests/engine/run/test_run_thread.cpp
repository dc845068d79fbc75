#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "engine/run/run_thread.h"
#include "support/solidworks_fixture.h"

namespace quorrix::engine {
namespace {

// The stand-in as a connector whose threads need something of their own, as COM's do.
struct ApartmentConnector : Connector {
    explicit ApartmentConnector(Connector& wrapped)
        : inner(wrapped)
    {
    }
    std::shared_ptr<SwApplication> createApplication(const std::string& progId) override
    {
        return inner.createApplication(progId);
    }
    bool isRegistered(const std::string& progId) override { return inner.isRegistered(progId); }
    std::shared_ptr<void> prepareThread() override
    {
        auto apartment = std::make_shared<int>(0);
        lastApartment = apartment;
        preparedOn = std::this_thread::get_id();
        return apartment;
    }

    Connector& inner;
    std::weak_ptr<int> lastApartment;
    std::thread::id preparedOn;
};

TEST(RunThreadTest, RunsInAnApartmentOfItsOwnAndLetsGoOfWhatItConnected)
{
    test::SolidWorksFixture solidWorks;
    ApartmentConnector connector(solidWorks.sim);
    SwConnection connection(connector, solidWorks.clock, solidWorks.settings);
    std::thread::id ranOn;
    bool apartmentHeld = false;
    std::thread::id finishedOn;
    std::weak_ptr<SwApplication> connected;
    RunThread thread(
        connection,
        [&] {
            ranOn = std::this_thread::get_id();
            apartmentHeld = !connector.lastApartment.expired();
            RunReport report;
            report.started = connection.IsSwxRevisionAtLeast("1", "0");
            connected = connection.swApp();
            return report;
        },
        [&] { finishedOn = std::this_thread::get_id(); });
    EXPECT_TRUE(thread.wait().started);
    EXPECT_TRUE(thread.done());
    EXPECT_NE(ranOn, std::this_thread::get_id());
    EXPECT_EQ(connector.preparedOn, ranOn);
    EXPECT_EQ(finishedOn, ranOn);
    EXPECT_TRUE(apartmentHeld);
    EXPECT_TRUE(connector.lastApartment.expired());
    // It belonged to the ended apartment: nothing of the connection keeps it.
    EXPECT_EQ(connection.swApp(), nullptr);
    EXPECT_EQ(connected.use_count(), 1); // the running stand-in's own

    // Without an apartment (the stand-in) the object stays for the window's next use, and
    // what a run throws reaches the thread that waits for it.
    RunThread kept(solidWorks.connection, [&]() -> RunReport {
        solidWorks.connection.ConnectSolidWorks();
        throw std::runtime_error("broken");
    });
    EXPECT_THROW(kept.wait(), std::runtime_error);
    EXPECT_NE(solidWorks.connection.swApp(), nullptr);
}

} // namespace
} // namespace quorrix::engine
