#pragma once

#include <cstdint>
#include <string>

#include "engine/platform/shell.h"

namespace quorrix::engine {

// Hands documents, folders, links and programs to the desktop and remembers the process of
// the last program or document it started. Every launch returns kLaunched on success or the
// shell's error code (32 and below).
class CShellExecute {
public:
    static constexpr std::int32_t kLaunched = -1;

    explicit CShellExecute(Shell& shell)
        : m_shell(shell)
    {
    }
    // Lets go of the remembered process; the process itself keeps running.
    ~CShellExecute();
    CShellExecute(const CShellExecute&) = delete;
    CShellExecute& operator=(const CShellExecute&) = delete;

    // True while the process of the last LaunchDocument or LaunchProgram still runs.
    bool StillExecuting();
    std::int32_t Explore(NativeWindow owner, const std::string& folder, int showMode);
    std::int32_t LaunchDocument(NativeWindow owner, const std::string& file,
        const std::string& workingFolder, int showMode);
    std::int32_t LaunchEmail(NativeWindow owner, const std::string& address, int showMode);
    std::int32_t LaunchFolder(NativeWindow owner, const std::string& folder, int showMode);
    std::int32_t LaunchProgram(NativeWindow owner, const std::string& program,
        const std::string& parameters, const std::string& workingFolder, int showMode);
    std::int32_t LaunchURL(NativeWindow owner, const std::string& address, int showMode);
    // Prints through the document's own program, which stays hidden.
    std::int32_t PrintDocument(NativeWindow owner, const std::string& file);

    // The shell's answer to the last launch and the process it reported (0 for none).
    std::int32_t instance() const { return m_instance; }
    std::int64_t process() const { return m_process; }

private:
    std::int32_t launch(const ShellRequest& request);
    void forgetProcess();

    Shell& m_shell;
    std::int32_t m_instance = 0;
    std::int64_t m_process = 0;
};

// kLaunched when the shell's instance result means success, otherwise that error code.
std::int32_t launchResult(std::int32_t instance);

} // namespace quorrix::engine
