#pragma once

#include <cstdint>

#include "engine/platform/clock.h"

namespace quorrix::platform {

// Local time and the performance counter. The counter's frequency is fixed at boot, so it
// is read once when the clock is made.
class Win32Clock : public engine::Clock {
public:
    Win32Clock();

    engine::LocalDateTime now() const override;
    std::int64_t counterTicks() const override;
    void sleepMilliseconds(int milliseconds) override;

private:
    std::int64_t m_frequency;
};

// Counter readings at the given frequency in 1/10000 s, without overflowing for any count
// a running system reaches.
std::int64_t scaleCounterTicks(std::int64_t count, std::int64_t frequency);

} // namespace quorrix::platform
