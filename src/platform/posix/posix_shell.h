#pragma once

#include <string>
#include <vector>

#include "engine/platform/shell.h"

namespace quorrix::platform {

// The desktop of a POSIX system: documents, folders and links open with xdg-open, documents
// print with lp, programs start directly. No request ever goes through a command
// interpreter: every argument reaches the program as it is. Every child is reaped, also
// the ones the caller lets go of while they run.
class PosixShell : public engine::Shell {
public:
    engine::ShellResult execute(const engine::ShellRequest& request) override;
    bool isProcessRunning(std::int64_t process) override;
    void releaseProcess(std::int64_t process) override;
    void showPrinterProperties(const std::string& printerName) override;
    std::string temporaryFolder() override;

    // The program and arguments a request turns into; empty when it cannot be served.
    static std::vector<std::string> commandFor(const engine::ShellRequest& request);
};

// Splits a parameter text into arguments: blanks separate, double quotes group, a backslash
// before a double quote escapes it.
std::vector<std::string> splitParameters(const std::string& parameters);

// Expands %NAME% with the environment; unknown names stay as written.
std::string expandEnvironment(const std::string& text);

} // namespace quorrix::platform
