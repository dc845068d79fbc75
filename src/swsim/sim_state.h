#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "swsim/journal.h"
#include "swsim/model/document_model.h"
#include "swsim/model/installation.h"

namespace quorrix::engine {
class Clock;
class FileSystem;
} // namespace quorrix::engine

namespace quorrix::swsim {

// Automation error numbers the stand-in raises, as COM reports them.
inline constexpr long kServerFault = -2147417851; // RPC_E_SERVERFAULT
inline constexpr long kServerUnavailable = -2147023174; // RPC_S_SERVER_UNAVAILABLE
inline constexpr long kObjectDisconnected = -2147417848; // RPC_E_DISCONNECTED
inline constexpr long kInvalidClassString = -2147221005; // CO_E_CLASSSTRING

// What the stand-in shares between the simulator, its application and its documents.
struct SimState {
    SimState(engine::FileSystem& fileSystem, engine::Clock& clockPort, Installation setup);

    engine::FileSystem& files;
    engine::Clock& clock;
    Installation installation;
    Journal journal;
    std::set<std::string> raisedOnce; // installation members that already raised once
    int opensSinceStart = 0;
};

// Whether an application instance still runs; shared by the objects it handed out.
struct AppLife {
    bool running = true;
    bool crashed = false;

    // Ends the instance as ending its process would: from any thread, also while a call
    // hangs, which then fails.
    void endProcess();
    bool ended() const { return m_ended.load(); }
    // Waits that long, or for ever, and says whether the instance was ended meanwhile.
    bool endedWithin(std::optional<std::chrono::milliseconds> patience);

private:
    std::atomic<bool> m_ended { false };
    std::mutex m_mutex;
    std::condition_variable m_endedSignal;
};

// The faults of one open document and which one-time ones have fired.
struct DocumentFaultState {
    DocumentFaults faults;
    std::set<std::string> raisedOnce;
    bool closed = false;
};

// One member call: journals it, applies the injected faults and delays, and records the
// result, or "raised N" when the call ends by an exception.
class Call {
public:
    Call(SimState& state, AppLife& life, DocumentFaultState* document, JournalEntry entry);
    ~Call();
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

    template <typename T> T ret(T value)
    {
        finish(journalText(value));
        return value;
    }
    void done() { finish({}); }
    void finish(std::string result);

    // Applies a document's faults for this member once the call knows its document (an
    // OpenDoc2 learns it only after reading the file).
    void applyDocumentFaults(DocumentFaultState& document);

    // Raises an automation error from inside the call.
    [[noreturn]] void raise(long number, const std::string& text);

private:
    void applyFaults(DocumentFaultState* document);

    // The real-time faults: a slow member, a member that hangs until the process is ended.
    void applyStalls(const DocumentFaults& faults);

    SimState& m_state;
    AppLife& m_life;
    std::size_t m_index;
    bool m_finished = false;
    std::string m_member;
};

} // namespace quorrix::swsim
