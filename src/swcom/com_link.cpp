#include "swcom/com_link.h"

#include <algorithm>

namespace quorrix::swcom {

std::chrono::milliseconds retryPause(int retry)
{
    constexpr int kFirstPause = 50;
    constexpr int kLongestPause = 1000;
    const int doublings = std::clamp(retry, 0, 5);
    return std::chrono::milliseconds(std::min(kFirstPause << doublings, kLongestPause));
}

bool isRefusedCall(HRESULT result)
{
    return result == RPC_E_CALL_REJECTED || result == RPC_E_SERVERCALL_RETRYLATER;
}

bool isServerGone(HRESULT result)
{
    return result == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)
        || result == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED)
        || result == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED_DNE) || result == RPC_E_DISCONNECTED
        || result == CO_E_OBJNOTCONNECTED;
}

} // namespace quorrix::swcom
