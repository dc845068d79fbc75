#include <unistd.h>

#include <memory>
#include <string>

#include "platform/platform_ports.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_folders.h"
#include "platform/posix/posix_key_value_store.h"
#include "platform/posix/posix_regional_format.h"
#include "platform/posix/posix_shell.h"

namespace quorrix::platform {

namespace {

std::string programFolder()
{
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0)
        return ".";
    buffer.resize(static_cast<std::size_t>(n));
    const std::size_t slash = buffer.find_last_of('/');
    return slash == 0 ? "/" : buffer.substr(0, slash);
}

} // namespace

PlatformPorts createPlatformPorts()
{
    PlatformPorts ports;
    ports.store = std::make_unique<PosixKeyValueStore>(defaultStoreFolder());
    ports.files = std::make_unique<PosixFileSystem>();
    ports.regional = std::make_unique<PosixRegionalFormat>();
    ports.clock = std::make_unique<PosixClock>();
    ports.shell = std::make_unique<PosixShell>();
    ports.programFolder = programFolder();
    ports.userDataFolder = xdgFolder("XDG_DATA_HOME", ".local/share");
    // The spool, the failed lists and the logs of a program folder that cannot be written to
    // go there. Failing here is not fatal: whatever writes into it reports the error then.
    try {
        makeFolders(ports.userDataFolder);
    } catch (const engine::PlatformError&) {
    }
    ports.userConfigFolder = xdgFolder("XDG_CONFIG_HOME", ".config");
    return ports;
}

} // namespace quorrix::platform

namespace quorrix::platform {

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}

void prepareConsole()
{
}

bool standardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

} // namespace quorrix::platform
