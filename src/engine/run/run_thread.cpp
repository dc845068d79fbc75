#include "engine/run/run_thread.h"

#include "engine/swlink/sw_connection.h"

namespace quorrix::engine {

RunThread::RunThread(
    SwConnection& connection, std::function<RunReport()> run, std::function<void()> finished)
    : m_run(std::move(run))
    , m_finished(std::move(finished))
    , m_thread([this, &connection] { work(connection); })
{
}

RunThread::~RunThread()
{
    if (m_thread.joinable())
        m_thread.join();
}

void RunThread::work(SwConnection& connection)
{
    try {
        const std::shared_ptr<void> apartment = connection.connector().prepareThread();
        try {
            m_report = m_run();
        } catch (...) {
            m_error = std::current_exception();
        }
        // What this thread connected lives in its apartment, which ends with it.
        if (apartment)
            connection.forget();
    } catch (...) {
        m_error = std::current_exception();
    }
    m_done = true;
    if (m_finished)
        m_finished();
}

RunReport RunThread::wait()
{
    if (m_thread.joinable())
        m_thread.join();
    if (m_error)
        std::rethrow_exception(m_error);
    return m_report;
}

} // namespace quorrix::engine
