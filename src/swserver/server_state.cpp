#include "swserver/server_state.h"

#include "platform/win32/win32_text.h"
#include "swserver/sw_objects.h"
#include "swsim/sim_application.h"

namespace quorrix::swserver {

namespace {

// What a process that ends in the middle of a call leaves as its exit code.
constexpr UINT kCrashExitCode = 3;

// How long the server waits without objects before it ends: for the first client, which
// COM started it for, and after the last object is gone.
constexpr ULONGLONG kFirstClientMilliseconds = 30000;
constexpr ULONGLONG kIdleMilliseconds = 3000;

} // namespace

ServerState::ServerState(std::unique_ptr<engine::FileSystem> files,
    std::unique_ptr<engine::Clock> clock, swsim::Installation installation)
    : m_files(std::move(files))
    , m_clock(std::move(clock))
    , m_busyCalls(installation.busyCalls)
    , m_unusedSince(GetTickCount64())
{
    m_simulator = std::make_unique<swsim::Simulator>(*m_files, *m_clock, std::move(installation));
    // As in the programs, the journal goes to its file only.
    m_simulator->journal().setRecording(false);
    m_documentManager = std::make_unique<swsim::SimDocumentManager>(*m_files);
}

ServerState::~ServerState() = default;

IDispatch* ServerState::connect(const std::string& progId)
{
    std::shared_ptr<engine::SwApplication> application = m_simulator->createApplication(progId);
    m_application = std::dynamic_pointer_cast<swsim::SimApplication>(application);
    if (m_applicationObject && m_applicationObject->application() == application) {
        m_applicationObject->AddRef();
        return m_applicationObject;
    }
    m_applicationObject = new ApplicationObject(*this, std::move(application));
    return m_applicationObject;
}

void ServerState::applicationObjectGone(const IDispatch* object)
{
    if (m_applicationObject == object)
        m_applicationObject = nullptr;
}

bool ServerState::refuseCall(const std::wstring& member)
{
    if (m_busyCalls <= 0)
        return false;
    --m_busyCalls;
    m_simulator->journal().note("busy, refused " + platform::utf8FromUtf16(member));
    return true;
}

void ServerState::documentOpened(const void* document, int busyCalls)
{
    if (busyCalls > 0 && m_documentsSeen.insert(document).second)
        m_busyCalls += busyCalls;
}

void ServerState::afterCall()
{
    if (m_application && m_application->crashed()) {
        // No reply, no clean-up: the client learns of it as of a crashed SolidWorks.
        TerminateProcess(GetCurrentProcess(), kCrashExitCode);
    }
}

void ServerState::exitRequested()
{
    // New connects must start a new process, as after ExitApp of SolidWorks.
    if (m_revoke)
        m_revoke();
    quit();
}

void ServerState::objectCreated()
{
    ++m_objects;
    m_everUsed = true;
}

void ServerState::objectReleased()
{
    if (--m_objects <= 0)
        m_unusedSince = GetTickCount64();
}

void ServerState::lock(bool on)
{
    m_locks += on ? 1 : -1;
    if (m_locks <= 0)
        m_unusedSince = GetTickCount64();
}

void ServerState::checkIdle()
{
    // Started by COM for its clients, the server has nothing to do once they let go.
    if (m_objects > 0 || m_locks > 0)
        return;
    if (m_keepAlive && m_keepAlive()) {
        m_unusedSince = GetTickCount64();
        m_everUsed = true;
        return;
    }
    const ULONGLONG patience = m_everUsed ? kIdleMilliseconds : kFirstClientMilliseconds;
    if (GetTickCount64() - m_unusedSince >= patience)
        quit();
}

void ServerState::quit()
{
    if (m_mainThread != 0)
        PostThreadMessageW(m_mainThread, WM_QUIT, 0, 0);
}

} // namespace quorrix::swserver
