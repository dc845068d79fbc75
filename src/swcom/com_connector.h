#pragma once

#include <memory>

#include "engine/platform/key_value_store.h"
#include "engine/swlink/solidworks.h"

namespace quorrix::swcom {

class ComApartment;
class ComApplication;

// Starts SolidWorks or attaches to it by ProgID, for the thread that creates the connector
// (an apartment-threaded COM thread, as SolidWorks expects of its clients). The objects it
// hands out keep COM initialised for as long as they live, so they may outlive it. A
// connect that reaches the SolidWorks of the last one (the same automation object, its
// process not gone) gives the same application again.
class ComConnector : public engine::Connector {
public:
    // The store is the classes root of the registry, where ProgIDs are registered.
    explicit ComConnector(engine::KeyValueStore& store);

    std::shared_ptr<engine::SwApplication> createApplication(const std::string& progId) override;
    bool isRegistered(const std::string& progId) override;
    // The application of the last connect, made in the calling thread's apartment, whose
    // process answers.
    bool stillRunning(const engine::SwApplication& application) override;
    std::shared_ptr<void> prepareThread() override;

private:
    std::shared_ptr<const ComApartment> threadApartment() const;

    engine::KeyValueStore& m_store;
    std::shared_ptr<const ComApartment> m_apartment;
    std::weak_ptr<ComApplication> m_last;
    std::weak_ptr<const ComApartment> m_lastApartment; // the one m_last was made in
};

} // namespace quorrix::swcom
