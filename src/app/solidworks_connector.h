#pragma once

#include <memory>
#include <string>

#include "engine/swlink/document_manager.h"
#include "engine/swlink/solidworks.h"

namespace quorrix::platform {
struct PlatformPorts;
}

namespace quorrix::app {

// The connector the programs drive. On Windows that is SolidWorks, also where no version
// is registered (a connect then fails, and the program says so), unless the stand-in is
// asked for; elsewhere it is always the SolidWorks stand-in as the user configured it.
// description says which, for the user.
struct SolidWorksConnector {
    std::unique_ptr<engine::Connector> connector;
    std::string description;
    bool standIn = false; // the SolidWorks stand-in answers instead of SolidWorks
};

SolidWorksConnector createSolidWorksConnector(
    platform::PlatformPorts& ports, const std::string& versionSuffix, bool standInAsked);

// The Document Manager the preview window reads pictures with: on Windows the vendor's
// (nothing where it is not installed) unless the stand-in is asked for; elsewhere the
// stand-in's, which reads the stand-in's documents.
std::unique_ptr<engine::DocumentManagerConnector> createDocumentManager(
    platform::PlatformPorts& ports, bool standInAsked);

} // namespace quorrix::app
