#pragma once

#include <memory>
#include <string>

#include "engine/swlink/document_manager.h"
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
    bool standIn = false; // the SolidWorks stand-in answers instead of SolidWorks
};

SolidWorksConnector createSolidWorksConnector(
    platform::PlatformPorts& ports, const std::string& versionSuffix);

// The Document Manager the preview window reads pictures with: the vendor's where it is
// registered (Windows), else the stand-in's, which reads the stand-in's documents.
std::unique_ptr<engine::DocumentManagerConnector> createDocumentManager(
    platform::PlatformPorts& ports);

} // namespace quorrix::app
