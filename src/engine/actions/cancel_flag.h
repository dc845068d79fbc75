#pragma once

#include <atomic>
#include <cstdint>

namespace quorrix::engine {

// -1 when the user asked the run to stop. The run reads it on its own thread while the
// window's Cancel button or Ctrl+C sets it on another.
using CancelFlag = std::atomic<std::int16_t>;

} // namespace quorrix::engine
