#pragma once

#include <exception>
#include <optional>
#include <type_traits>
#include <utility>

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace quorrix::gui {

// Does work on the thread of context (the window thread for a window) and gives its result,
// or throws what it threw: directly when called there, else by waiting for that thread's
// event loop to run it. That thread must not be waiting for the caller's.
template <typename Work> auto onThreadOf(QObject& context, Work&& work)
{
    if (QThread::currentThread() == context.thread())
        return work();
    using Result = std::invoke_result_t<Work&>;
    std::exception_ptr error;
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(
            &context,
            [&] {
                try {
                    work();
                } catch (...) {
                    error = std::current_exception();
                }
            },
            Qt::BlockingQueuedConnection);
        if (error)
            std::rethrow_exception(error);
    } else {
        std::optional<Result> result;
        QMetaObject::invokeMethod(
            &context,
            [&] {
                try {
                    result.emplace(work());
                } catch (...) {
                    error = std::current_exception();
                }
            },
            Qt::BlockingQueuedConnection);
        if (error)
            std::rethrow_exception(error);
        return std::move(*result);
    }
}

} // namespace quorrix::gui
