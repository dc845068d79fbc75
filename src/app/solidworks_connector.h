#pragma once

#include <memory>
#include <string>

#include "engine/swlink/solidworks.h"

namespace quorrix::platform {
struct PlatformPorts;
}

namespace quorrix::app {

// The connector the programs drive: SolidWorks itself where the chosen version is
// installed, else the SolidWorks stand-in as the user configured it. description says
// which, for the user.
struct SolidWorksConnector {
    std::unique_ptr<engine::Connector> connector;
    std::string description;
};

SolidWorksConnector createSolidWorksConnector(
    platform::PlatformPorts& ports, const std::string& versionSuffix);

} // namespace quorrix::app
