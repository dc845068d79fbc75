#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/settings/settings.h"
#include "engine/settings/settings_schema.h"
#include "engine/swlink/sw_connection.h"
#include "platform/platform_ports.h"
#include "support/fakes.h"
#include "support/temp_dir.h"
#include "swsim/simulator.h"

namespace quorrix::test {

// The SolidWorks stand-in with real files in a temporary folder, a manual clock, default
// settings and the program's connection to it.
struct SolidWorksFixture {
    SolidWorksFixture()
        : ports(platform::createPlatformPorts())
        , settings(engine::defaultSettings())
        , sim(*ports.files, clock)
        , connection(sim, clock, settings)
    {
    }

    // Writes a stand-in document into the temporary folder and gives its path.
    std::string document(const std::string& name, const std::string& text = {})
    {
        return dir.write(name, text);
    }

    // Connects and opens the document, which becomes the active one.
    std::shared_ptr<engine::SwDocument> open(const std::string& path, std::int32_t type)
    {
        connection.ConnectSolidWorks();
        bool readOnly = false;
        bool viewOnly = false;
        std::int32_t errors = 0;
        return connection.swApp()->OpenDoc2(path, type, readOnly, viewOnly, true, errors);
    }

    // The journal lines of the calls to the member, in order.
    std::vector<std::string> calls(const std::string& member)
    {
        std::vector<std::string> lines;
        for (const swsim::JournalEntry& entry : sim.journal().calls(member))
            lines.push_back(entry.line());
        return lines;
    }

    TempDir dir;
    platform::PlatformPorts ports;
    ManualClock clock;
    engine::Settings settings;
    swsim::Simulator sim;
    engine::SwConnection connection;
};

} // namespace quorrix::test
