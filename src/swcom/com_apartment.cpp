#include "swcom/com_apartment.h"

#include "swcom/com_support.h"

namespace quorrix::swcom {

ComApartment::ComApartment()
    : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))
    , m_thread(GetCurrentThreadId())
{
}

ComApartment::~ComApartment()
{
    // S_FALSE (already initialised here, as on a window thread) still counts and must be
    // balanced.
    // Only the thread that started COM can end it; an object that outlived a run's thread
    // lets go of an apartment that ended with that thread.
    if (SUCCEEDED(m_result) && GetCurrentThreadId() == m_thread)
        CoUninitialize();
}

void ComApartment::check() const
{
    // Another threading model chosen earlier (RPC_E_CHANGED_MODE) leaves COM usable, just
    // not ours.
    if (FAILED(m_result) && m_result != RPC_E_CHANGED_MODE)
        throw automationError(m_result);
}

} // namespace quorrix::swcom
