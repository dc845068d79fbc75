#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorrix::engine {

// An opaque native window handle of the owner of a shell request (0 for none).
using NativeWindow = std::uintptr_t;

struct ShellRequest {
    NativeWindow owner = 0;
    std::string verb; // "open", "explore", "print"; empty: the default verb
    std::string file;
    std::string parameters;
    std::string directory;
    int showMode = 1; // 0 hidden, 1 normal, 5 show
    bool wantProcess = false; // keep a handle of a started process
    bool expandEnvironment = false;
};

struct ShellResult {
    // Greater than 32 on success, otherwise the shell's error code.
    std::int32_t instance = 0;
    // The started process when one was asked for and reported; 0 otherwise.
    std::int64_t process = 0;
};

// Hands documents, folders, links and programs to the desktop.
class Shell {
public:
    virtual ~Shell() = default;

    virtual ShellResult execute(const ShellRequest& request) = 0;
    // True while the process started by execute() still runs.
    virtual bool isProcessRunning(std::int64_t process) = 0;
    // Releases what execute() kept about a process.
    virtual void releaseProcess(std::int64_t process) = 0;
    // Opens the driver settings of the named printer. The name travels as one argument and
    // never through a command interpreter.
    virtual void showPrinterProperties(const std::string& printerName) = 0;
    // The folder for temporary files, ending with a path separator.
    virtual std::string temporaryFolder() = 0;
};

} // namespace quorrix::engine
