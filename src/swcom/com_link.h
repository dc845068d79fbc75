#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

#include <windows.h>

namespace quorrix::swcom {

// How long a call that SolidWorks refuses as busy (RPC_E_CALL_REJECTED, or retry-later
// from the message filter) is tried again before it counts as an automation error.
inline constexpr std::chrono::milliseconds kDefaultRetryLimit { 60000 };

// The pause before the n-th retry (0 first): short at first, as a busy SolidWorks is mostly
// busy for a moment, then growing to a second.
std::chrono::milliseconds retryPause(int retry);

// Whether the result says the server refused the call and it may be tried again.
bool isRefusedCall(HRESULT result);
// Whether the result says the server's process is gone (ended, crashed or killed).
bool isServerGone(HRESULT result);

// What every automation object of one connection shares: the COM apartment that must
// outlive them, how refused calls are retried, and whether the server has gone away, after
// which every call fails at once instead of waiting on a dead process.
struct ComLink {
    std::shared_ptr<const void> apartment;
    std::chrono::milliseconds retryLimit = kDefaultRetryLimit;
    std::function<void(std::chrono::milliseconds)> pause; // Sleep when empty
    std::atomic<long> goneWith { 0 }; // the HRESULT that showed the server gone

    explicit ComLink(std::shared_ptr<const void> comApartment = {})
        : apartment(std::move(comApartment))
    {
    }
};

} // namespace quorrix::swcom
