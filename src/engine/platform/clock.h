#pragma once

#include <cstdint>

namespace quorrix::engine {

struct LocalDateTime {
    int year = 0;
    int month = 0; // 1..12
    int day = 0; // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    bool operator==(const LocalDateTime&) const = default;
};

class Clock {
public:
    virtual ~Clock() = default;

    virtual LocalDateTime now() const = 0;
    // A monotonic counter in units of 1/10000 s.
    virtual std::int64_t counterTicks() const = 0;
    // Blocks for the given time; tests advance a manual clock instead of sleeping.
    virtual void sleepMilliseconds(int milliseconds) = 0;
};

} // namespace quorrix::engine
