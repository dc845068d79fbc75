#pragma once

#include <csignal>
#include <ostream>
#include <string>
#include <vector>

namespace quorrix::platform {
struct PlatformPorts;
}

namespace quorrix::app {

// What quorrix-batch runs with: the platform, its two output streams, whether a progress
// line may be drawn, and the flag the Ctrl+C handler sets.
struct BatchWorld {
    platform::PlatformPorts& ports;
    std::ostream& out;
    std::ostream& err;
    bool terminal = false;
    const volatile std::sig_atomic_t& interrupted;
};

// Runs quorrix-batch with the arguments (without the program name); returns the exit code.
int runBatch(const std::vector<std::string>& arguments, BatchWorld& world);

} // namespace quorrix::app
