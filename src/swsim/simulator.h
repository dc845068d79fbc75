#pragma once

#include <memory>
#include <string>

#include "engine/swlink/solidworks.h"
#include "swsim/journal.h"
#include "swsim/model/installation.h"

namespace quorrix::engine {
class Clock;
class FileSystem;
} // namespace quorrix::engine

namespace quorrix::swsim {

class SimApplication;
struct SimState;

// The SolidWorks stand-in as a whole: the installation, which outlives every instance, and
// the instance that runs. Connecting while an instance runs attaches to it, as automation
// does with a running SolidWorks; after ExitApp or a crash a connect starts a new one.
class Simulator : public engine::Connector {
public:
    Simulator(engine::FileSystem& files, engine::Clock& clock, Installation installation = {});
    ~Simulator() override;

    std::shared_ptr<engine::SwApplication> createApplication(const std::string& progId) override;
    bool isRegistered(const std::string& progId) override;
    bool stillRunning(const engine::SwApplication& application) override;

    Installation& installation();
    Journal& journal();
    // The running instance, or nothing.
    std::shared_ptr<SimApplication> application() const;

private:
    std::shared_ptr<SimState> m_state;
    std::shared_ptr<SimApplication> m_application;
};

// The stand-in as the user configured it: swsim.ini in the user's configuration folder (or
// the file QUORRIX_SWSIM_CONFIG names); prints are spooled to swsim-spool.jsonl in the
// user's data folder unless the file says otherwise. Its journal goes only to the journal
// file, so a long run does not grow with the calls it made.
std::unique_ptr<Simulator> createConfiguredSimulator(engine::FileSystem& files,
    engine::Clock& clock, const std::string& userConfigFolder, const std::string& userDataFolder);

// "SldWorks.Application" and a version suffix.
std::string solidWorksProgId(const std::string& suffix);

} // namespace quorrix::swsim
