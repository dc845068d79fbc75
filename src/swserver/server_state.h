#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>

#include <windows.h>

#include <oaidl.h>

#include "engine/platform/clock.h"
#include "engine/platform/file_system.h"
#include "swsim/sim_document_manager.h"
#include "swsim/simulator.h"

namespace quorrix::swsim {
class SimApplication;
}

namespace quorrix::swserver {

class ApplicationObject;

// What the objects of one server process share: the stand-in, the calls it still refuses
// as busy, and the count of objects COM holds: a process without objects for a while ends.
// The while lets a client that lets go of one object and creates the next find the same
// instance, as it finds a SolidWorks that the user controls still running.
class ServerState {
public:
    ServerState(std::unique_ptr<engine::FileSystem> files, std::unique_ptr<engine::Clock> clock,
        swsim::Installation installation);
    ServerState(const ServerState&) = delete;
    ServerState& operator=(const ServerState&) = delete;
    ~ServerState();

    // CreateObject: the object of the stand-in's running instance, or of a new one. A
    // running instance keeps its one object while a client holds it, as SolidWorks does,
    // so the client can tell that it is the SolidWorks it already knows.
    IDispatch* connect(const std::string& progId);
    void applicationObjectGone(const IDispatch* object);
    swsim::SimDocumentManager& documentManager() { return *m_documentManager; }

    // True when this call is to be refused; each refusal uses up one busy call and is noted
    // in the journal.
    bool refuseCall(const std::wstring& member);
    // A document was opened; one that shows a dialog makes SolidWorks busy for its first
    // calls, once per document.
    void documentOpened(const void* document, int busyCalls);
    // ExitApp: the process ends once the call has returned.
    void exitRequested();
    // After every call: a stand-in that crashed takes the process with it, in the middle of
    // the call, as a crashed SolidWorks does; one that was ended lets the process end once
    // the call has returned.
    void afterCall();

    void objectCreated();
    void objectReleased();
    // Locks of the class factories (IClassFactory::LockServer).
    void lock(bool on);
    // Called now and then by the message loop.
    void checkIdle();
    // While this says so, the server runs on without objects of its own (its SolidWorks
    // process runs).
    void setKeepAlive(std::function<bool()> keepAlive) { m_keepAlive = std::move(keepAlive); }
    // Withdraws the class objects, so that the next connect starts a new process.
    void setRevoke(std::function<void()> revoke) { m_revoke = std::move(revoke); }
    // The thread that runs the message loop; the process ends by a quit message to it.
    void setMainThread(DWORD thread) { m_mainThread = thread; }

private:
    void quit();

    std::unique_ptr<engine::FileSystem> m_files;
    std::unique_ptr<engine::Clock> m_clock;
    std::unique_ptr<swsim::Simulator> m_simulator;
    std::unique_ptr<swsim::SimDocumentManager> m_documentManager;
    std::shared_ptr<swsim::SimApplication> m_application;
    ApplicationObject* m_applicationObject = nullptr; // not owned: its clients own it
    int m_busyCalls = 0;
    std::set<const void*> m_documentsSeen;
    long m_objects = 0;
    long m_locks = 0;
    ULONGLONG m_unusedSince;
    bool m_everUsed = false;
    DWORD m_mainThread = 0;
    std::function<void()> m_revoke;
    std::function<bool()> m_keepAlive;
};

} // namespace quorrix::swserver
