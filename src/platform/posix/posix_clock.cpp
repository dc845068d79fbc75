#include "platform/posix/posix_clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace quorrix::platform {

engine::LocalDateTime PosixClock::now() const
{
    const auto point = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(point);
    std::tm local {};
    localtime_r(&seconds, &local);
    const auto ms
        = std::chrono::duration_cast<std::chrono::milliseconds>(point.time_since_epoch()) % 1000;
    return { local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
        local.tm_sec, static_cast<int>(ms.count()) };
}

std::int64_t PosixClock::counterTicks() const
{
    using Tick = std::chrono::duration<std::int64_t, std::ratio<1, 10000>>;
    return std::chrono::duration_cast<Tick>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void PosixClock::sleepMilliseconds(int milliseconds)
{
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace quorrix::platform
