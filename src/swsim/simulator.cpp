#include "swsim/simulator.h"

#include "engine/platform/ini_document.h"
#include "engine/platform/path_text.h"
#include "swsim/sim_application.h"
#include "swsim/sim_state.h"

namespace quorrix::swsim {

std::string solidWorksProgId(const std::string& suffix)
{
    return "SldWorks.Application" + suffix;
}

std::unique_ptr<Simulator> createConfiguredSimulator(engine::FileSystem& files,
    engine::Clock& clock, const std::string& userConfigFolder, const std::string& userDataFolder)
{
    const std::string spool = userDataFolder + engine::kPathSeparator + "swsim-spool.jsonl";
    auto simulator = std::make_unique<Simulator>(
        files, clock, loadInstallation(files, simulatorConfigPath(userConfigFolder), spool));
    simulator->journal().setRecording(false);
    return simulator;
}

Simulator::Simulator(engine::FileSystem& files, engine::Clock& clock, Installation installation)
    : m_state(std::make_shared<SimState>(files, clock, std::move(installation)))
{
}

Simulator::~Simulator() = default;

Installation& Simulator::installation()
{
    return m_state->installation;
}

Journal& Simulator::journal()
{
    return m_state->journal;
}

std::shared_ptr<SimApplication> Simulator::application() const
{
    return m_application && m_application->running() ? m_application : nullptr;
}

bool Simulator::isRegistered(const std::string& progId)
{
    if (!m_state->installation.installed)
        return false;
    for (const std::string& suffix : m_state->installation.versions) {
        if (engine::equalsIgnoringCase(progId, solidWorksProgId(suffix)))
            return true;
    }
    return false;
}

bool Simulator::stillRunning(const engine::SwApplication& application)
{
    return &application == this->application().get();
}

std::shared_ptr<engine::SwApplication> Simulator::createApplication(const std::string& progId)
{
    Journal& journal = m_state->journal;
    const std::size_t entry
        = journal.add({ "Connector", "", "CreateObject", { journalText(progId) }, {} });
    if (!isRegistered(progId)) {
        journal.finish(entry, "raised " + std::to_string(kInvalidClassString));
        throw engine::AutomationError(kInvalidClassString, "Invalid class string");
    }
    if (!application()) {
        // Every revision test connects, so only a new instance starts the count again.
        m_state->opensSinceStart = 0;
        m_application = std::make_shared<SimApplication>(m_state, std::make_shared<AppLife>());
        journal.finish(entry, "new instance");
    } else {
        journal.finish(entry, "running instance");
    }
    return m_application;
}

} // namespace quorrix::swsim
