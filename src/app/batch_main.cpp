#include <csignal>
#include <iostream>

#include "app/batch_runner.h"
#include "platform/platform_ports.h"

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

// Ctrl+C asks the run to stop after the current sheet, as the Cancel button does; a second
// Ctrl+C ends the program at once.
extern "C" void onInterrupt(int)
{
    g_interrupted = 1;
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

int main(int argc, char** argv)
{
    quorrix::platform::prepareConsole();
    std::signal(SIGINT, onInterrupt);
    quorrix::platform::PlatformPorts ports = quorrix::platform::createPlatformPorts();
    quorrix::app::BatchWorld world { ports, std::cout, std::cerr,
        quorrix::platform::standardErrorIsTerminal(), g_interrupted };
    return quorrix::app::runBatch(quorrix::platform::commandLineArguments(argc, argv), world);
}
