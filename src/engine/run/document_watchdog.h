#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "engine/swlink/solidworks.h"

namespace quorrix::engine {

// Watches the document a run works on from a thread of its own. When one document takes
// longer than the limit, or a cancel has waited too long for a call that does not return,
// it ends SolidWorks: the call under way then fails and the run can go on or stop.
class DocumentWatchdog {
public:
    enum class Verdict {
        None, // the document ended by itself
        TimedOut, // it took longer than the limit; SolidWorks was ended
        Cancelled, // a cancel waited longer than the grace; SolidWorks was ended
        NotEnded, // one of the two, but SolidWorks could not be ended
    };

    // A limit of zero or less watches no time; without cancelRequested no cancel is seen.
    // Neither: no thread at all.
    // notEnded is called on the watchdog's thread when SolidWorks could not be ended: the
    // call under way may never return, so it may have to end the program.
    DocumentWatchdog(std::chrono::milliseconds limit, std::function<bool()> cancelRequested,
        std::function<void()> notEnded = {},
        std::chrono::milliseconds cancelGrace = std::chrono::seconds(3));
    ~DocumentWatchdog();
    DocumentWatchdog(const DocumentWatchdog&) = delete;
    DocumentWatchdog& operator=(const DocumentWatchdog&) = delete;

    bool active() const { return m_thread.joinable(); }
    // A document starts; ender ends the SolidWorks it is open in (may be empty: then the
    // watchdog can only tell).
    void watch(ProcessEnder ender);
    // The document is over: what the watchdog did to it.
    Verdict release();

private:
    void run();

    const std::chrono::milliseconds m_limit;
    const std::function<bool()> m_cancelRequested;
    const std::function<void()> m_notEnded;
    const std::chrono::milliseconds m_cancelGrace;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    bool m_watching = false;
    std::chrono::steady_clock::time_point m_since;
    std::chrono::steady_clock::time_point m_cancelSince;
    bool m_cancelSeen = false;
    ProcessEnder m_ender;
    Verdict m_verdict = Verdict::None;
    std::thread m_thread;
};

} // namespace quorrix::engine
