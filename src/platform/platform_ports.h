#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/platform/clock.h"
#include "engine/platform/file_system.h"
#include "engine/platform/key_value_store.h"
#include "engine/platform/regional_format.h"
#include "engine/platform/shell.h"

namespace quorrix::platform {

// The ports of the operating system the program runs on. Each platform library
// (posix/, win32/) implements createPlatformPorts().
struct PlatformPorts {
    std::unique_ptr<engine::KeyValueStore> store;
    std::unique_ptr<engine::FileSystem> files;
    std::unique_ptr<engine::RegionalFormat> regional;
    std::unique_ptr<engine::Clock> clock;
    std::unique_ptr<engine::Shell> shell;
    std::string programFolder; // folder of the running program, no trailing separator
    std::string userDataFolder; // per-user folder for logs and spool files, created on demand
    std::string userConfigFolder; // per-user folder for configuration files
};

PlatformPorts createPlatformPorts();

// Console programs: the arguments as UTF-8 (on Windows taken from the wide command line, as
// argv holds them in the ANSI code page), UTF-8 output to the console, and whether standard
// error is a terminal that can show a progress line.
std::vector<std::string> commandLineArguments(int argc, char** argv);
void prepareConsole();
bool standardErrorIsTerminal();

} // namespace quorrix::platform
