#include "app/solidworks_connector.h"

#include "engine/swlink/sw_versions.h"
#include "platform/platform_ports.h"
#include "swcom/com_connector.h"
#include "swcom/com_document_manager.h"
#include "swsim/sim_document_manager.h"
#include "swsim/simulator.h"

namespace quorrix::app {

// A user who has no SolidWorks must learn it, not get placeholder files from the stand-in:
// it answers only when asked for.
SolidWorksConnector createSolidWorksConnector(
    platform::PlatformPorts& ports, const std::string& versionSuffix, bool standInAsked)
{
    if (standInAsked) {
        return { swsim::createConfiguredSimulator(
                     *ports.files, *ports.clock, ports.userConfigFolder, ports.userDataFolder),
            "the SolidWorks stand-in (--stand-in), not SolidWorks", true };
    }
    auto com = std::make_unique<swcom::ComConnector>(*ports.store);
    const std::string progId = engine::swProgId(versionSuffix);
    if (com->isRegistered(progId))
        return { std::move(com), "SolidWorks (" + progId + ")" };
    return { std::move(com),
        "SolidWorks, but " + progId
            + " is not registered here (--stand-in runs against the SolidWorks stand-in)" };
}

std::unique_ptr<engine::DocumentManagerConnector> createDocumentManager(
    platform::PlatformPorts& ports, bool standInAsked)
{
    if (standInAsked)
        return std::make_unique<swsim::SimDocumentManager>(*ports.files);
    return std::make_unique<swcom::ComDocumentManager>();
}

} // namespace quorrix::app
