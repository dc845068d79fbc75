#include "engine/settings/shell_execute.h"

namespace quorrix::engine {

namespace {

// The shell reports success as an instance value above this and errors as the value itself.
constexpr std::int32_t kHighestShellError = 32;

constexpr int kHidden = 0;

ShellRequest request(NativeWindow owner, const char* verb, const std::string& file, int showMode)
{
    ShellRequest r;
    r.owner = owner;
    r.verb = verb;
    r.file = file;
    r.showMode = showMode;
    return r;
}

} // namespace

std::int32_t launchResult(std::int32_t instance)
{
    return instance > kHighestShellError ? CShellExecute::kLaunched : instance;
}

CShellExecute::~CShellExecute()
{
    forgetProcess();
}

void CShellExecute::forgetProcess()
{
    if (m_process != 0)
        m_shell.releaseProcess(m_process);
    m_process = 0;
    m_instance = 0;
}

std::int32_t CShellExecute::launch(const ShellRequest& shellRequest)
{
    forgetProcess();
    const ShellResult result = m_shell.execute(shellRequest);
    m_instance = result.instance;
    if (shellRequest.wantProcess)
        m_process = result.process;
    return launchResult(m_instance);
}

bool CShellExecute::StillExecuting()
{
    return m_process != 0 && m_shell.isProcessRunning(m_process);
}

std::int32_t CShellExecute::Explore(NativeWindow owner, const std::string& folder, int showMode)
{
    return launch(request(owner, "explore", folder, showMode));
}

std::int32_t CShellExecute::LaunchDocument(
    NativeWindow owner, const std::string& file, const std::string& workingFolder, int showMode)
{
    ShellRequest r = request(owner, "Open", file, showMode);
    r.directory = workingFolder;
    r.wantProcess = true;
    r.expandEnvironment = true;
    return launch(r);
}

std::int32_t CShellExecute::LaunchEmail(
    NativeWindow owner, const std::string& address, int showMode)
{
    return launch(request(owner, "", "mailto:" + address, showMode));
}

std::int32_t CShellExecute::LaunchFolder(
    NativeWindow owner, const std::string& folder, int showMode)
{
    return launch(request(owner, "open", folder, showMode));
}

std::int32_t CShellExecute::LaunchProgram(NativeWindow owner, const std::string& program,
    const std::string& parameters, const std::string& workingFolder, int showMode)
{
    ShellRequest r = request(owner, "Open", program, showMode);
    r.parameters = parameters;
    r.directory = workingFolder;
    r.wantProcess = true;
    return launch(r);
}

std::int32_t CShellExecute::LaunchURL(NativeWindow owner, const std::string& address, int showMode)
{
    return launch(request(owner, "", address, showMode));
}

std::int32_t CShellExecute::PrintDocument(NativeWindow owner, const std::string& file)
{
    return launch(request(owner, "print", file, kHidden));
}

} // namespace quorrix::engine
