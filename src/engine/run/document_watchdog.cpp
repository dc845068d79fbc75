#include "engine/run/document_watchdog.h"

namespace quorrix::engine {

namespace {

// How often the watchdog looks; a stuck document costs at most this much over its limit.
constexpr std::chrono::milliseconds kLookEvery { 50 };

} // namespace

DocumentWatchdog::DocumentWatchdog(std::chrono::milliseconds limit,
    std::function<bool()> cancelRequested, std::function<void()> notEnded,
    std::chrono::milliseconds cancelGrace)
    : m_limit(limit)
    , m_cancelRequested(std::move(cancelRequested))
    , m_notEnded(std::move(notEnded))
    , m_cancelGrace(cancelGrace)
{
    if (m_limit.count() > 0 || m_cancelRequested)
        m_thread = std::thread([this] { run(); });
}

DocumentWatchdog::~DocumentWatchdog()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void DocumentWatchdog::watch(ProcessEnder ender)
{
    const std::lock_guard lock(m_mutex);
    m_watching = true;
    m_since = std::chrono::steady_clock::now();
    m_cancelSeen = false;
    m_ender = std::move(ender);
    m_verdict = Verdict::None;
}

DocumentWatchdog::Verdict DocumentWatchdog::release()
{
    const std::lock_guard lock(m_mutex);
    m_watching = false;
    m_ender = {};
    return m_verdict;
}

void DocumentWatchdog::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_stop) {
        m_wake.wait_for(lock, kLookEvery);
        if (m_stop || !m_watching || m_verdict != Verdict::None)
            continue;
        const auto now = std::chrono::steady_clock::now();
        Verdict verdict = Verdict::None;
        if (m_limit.count() > 0 && now - m_since >= m_limit) {
            verdict = Verdict::TimedOut;
        } else if (m_cancelRequested && m_cancelRequested()) {
            // The run sees a cancel between calls; only a call that keeps it waiting
            // longer than the grace needs SolidWorks ended.
            if (!m_cancelSeen) {
                m_cancelSeen = true;
                m_cancelSince = now;
            } else if (now - m_cancelSince >= m_cancelGrace) {
                verdict = Verdict::Cancelled;
            }
        }
        if (verdict == Verdict::None)
            continue;
        m_verdict = verdict;
        const ProcessEnder ender = m_ender;
        lock.unlock();
        const bool ended = ender && ender();
        if (!ended && m_notEnded)
            m_notEnded();
        lock.lock();
        if (!ended)
            m_verdict = Verdict::NotEnded;
    }
}

} // namespace quorrix::engine
