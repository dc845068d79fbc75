#include "app/solidworks_connector.h"

#include "engine/swlink/sw_versions.h"
#include "platform/platform_ports.h"
#include "swcom/com_connector.h"
#include "swcom/com_document_manager.h"
#include "swsim/sim_document_manager.h"
#include "swsim/simulator.h"

namespace quorrix::app {

SolidWorksConnector createSolidWorksConnector(
    platform::PlatformPorts& ports, const std::string& versionSuffix)
{
    auto com = std::make_unique<swcom::ComConnector>(*ports.store);
    if (com->isRegistered(engine::swProgId(versionSuffix)))
        return { std::move(com), "SolidWorks" };
    return { swsim::createConfiguredSimulator(
                 *ports.files, *ports.clock, ports.userConfigFolder, ports.userDataFolder),
        "the SolidWorks stand-in (SolidWorks is not installed)", true };
}

std::unique_ptr<engine::DocumentManagerConnector> createDocumentManager(
    platform::PlatformPorts& ports)
{
    if (engine::classesRootRegisters(*ports.store, engine::kDocumentManagerClassName))
        return std::make_unique<swcom::ComDocumentManager>();
    return std::make_unique<swsim::SimDocumentManager>(*ports.files);
}

} // namespace quorrix::app
