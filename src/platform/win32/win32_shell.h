#pragma once

#include <string>

#include "engine/platform/shell.h"

namespace quorrix::platform {

// Documents, folders and programs handed to the Windows shell. A process handle that
// execute() returns stays open until releaseProcess().
class Win32Shell : public engine::Shell {
public:
    engine::ShellResult execute(const engine::ShellRequest& request) override;
    bool isProcessRunning(std::int64_t process) override;
    void releaseProcess(std::int64_t process) override;
    // Starts the printer driver dialog and returns at once; throws PlatformError when the
    // dialog's host program cannot be started.
    void showPrinterProperties(const std::string& printerName) override;
    std::string temporaryFolder() override;
};

// One argument for a command line, quoted so that CommandLineToArgvW and the C runtime read
// back exactly this text, whatever quotes and backslashes it holds.
std::wstring quoteCommandLineArgument(const std::wstring& argument);

// The arguments that open the driver settings of a printer through printui.dll.
std::wstring printerPropertiesCommandLine(const std::wstring& printerName);

} // namespace quorrix::platform
