#pragma once

#include "engine/platform/clock.h"

namespace quorrix::platform {

class PosixClock : public engine::Clock {
public:
    engine::LocalDateTime now() const override;
    std::int64_t counterTicks() const override;
    void sleepMilliseconds(int milliseconds) override;
};

} // namespace quorrix::platform
