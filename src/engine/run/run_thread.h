#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <thread>

#include "engine/run/batch_run.h"

namespace quorrix::engine {

class SwConnection;

// A run on a thread of its own, so that the thread that starts it stays free to paint the
// windows and take Cancel while SolidWorks works on a document. The thread first asks the
// connector for what it needs of it (on Windows a COM apartment of its own, and then the
// SolidWorks object the run connects belongs to it and is let go of at its end); when the
// run is over it calls finished, still on the run's thread.
class RunThread {
public:
    RunThread(SwConnection& connection, std::function<RunReport()> run,
        std::function<void()> finished = {});
    // Waits for the run.
    ~RunThread();
    RunThread(const RunThread&) = delete;
    RunThread& operator=(const RunThread&) = delete;

    bool done() const { return m_done.load(); }
    // Waits for the run and gives its report; what the run threw is thrown here.
    RunReport wait();

private:
    void work(SwConnection& connection);

    std::function<RunReport()> m_run;
    std::function<void()> m_finished;
    RunReport m_report;
    std::exception_ptr m_error;
    std::atomic<bool> m_done { false };
    std::thread m_thread;
};

} // namespace quorrix::engine
