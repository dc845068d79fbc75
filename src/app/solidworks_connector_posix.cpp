#include "app/solidworks_connector.h"

#include "platform/platform_ports.h"
#include "swsim/sim_document_manager.h"
#include "swsim/simulator.h"

namespace quorrix::app {

// SolidWorks runs on Windows only; here the stand-in is all there is.
SolidWorksConnector createSolidWorksConnector(
    platform::PlatformPorts& ports, const std::string&, bool)
{
    return { swsim::createConfiguredSimulator(
                 *ports.files, *ports.clock, ports.userConfigFolder, ports.userDataFolder),
        "the SolidWorks stand-in, not SolidWorks (SolidWorks runs on Windows only)", true };
}

std::unique_ptr<engine::DocumentManagerConnector> createDocumentManager(
    platform::PlatformPorts& ports, bool)
{
    return std::make_unique<swsim::SimDocumentManager>(*ports.files);
}

} // namespace quorrix::app
