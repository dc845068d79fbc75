#include "swcom/com_apartment.h"

#include "swcom/com_link.h"
#include "swcom/com_support.h"

namespace quorrix::swcom {

namespace {

// Answers COM's questions about a call that SolidWorks refused while it is busy (starting,
// showing a dialog): try again after a growing pause up to the retry limit, then give up,
// which leaves the call to the dispatcher's own retries and their limit. COM asks it only
// on apartment-threaded threads, and only on Windows itself; Wine never does.
class BusyMessageFilter : public IMessageFilter {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IMessageFilter) {
            *object = static_cast<IMessageFilter*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // One filter for the whole program; COM's references do not decide its life.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override
    {
        return SERVERCALL_ISHANDLED;
    }
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsed, DWORD rejectType) override
    {
        if (rejectType != SERVERCALL_RETRYLATER
            || elapsed >= static_cast<DWORD>(kDefaultRetryLimit.count()))
            return static_cast<DWORD>(-1); // cancel: the call fails as refused
        // The growing pause of the dispatcher, by how long the call has waited so far.
        int retry = 0;
        for (DWORD waited = 0; waited < elapsed; ++retry)
            waited += static_cast<DWORD>(retryPause(retry).count());
        return static_cast<DWORD>(retryPause(retry).count());
    }
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override
    {
        return PENDINGMSG_WAITDEFPROCESS;
    }
};

BusyMessageFilter g_filter;

// The filter belongs to the thread: the first apartment of a thread registers it, the last
// one to go takes it away again.
thread_local int t_apartments = 0;
thread_local IMessageFilter* t_previousFilter = nullptr;
thread_local bool t_filtered = false;

} // namespace

ComApartment::ComApartment()
    : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))
    , m_thread(GetCurrentThreadId())
{
    if (SUCCEEDED(m_result) && t_apartments++ == 0) {
        t_previousFilter = nullptr;
        t_filtered = SUCCEEDED(CoRegisterMessageFilter(&g_filter, &t_previousFilter));
    }
}

ComApartment::~ComApartment()
{
    // Only the thread that started COM can end it (and take its filter away); an object
    // that outlived a run's thread lets go of an apartment that ended with that thread.
    if (SUCCEEDED(m_result) && GetCurrentThreadId() == m_thread) {
        if (--t_apartments == 0 && t_filtered) {
            t_filtered = false;
            IMessageFilter* ours = nullptr;
            CoRegisterMessageFilter(t_previousFilter, &ours);
            if (t_previousFilter)
                t_previousFilter->Release();
            t_previousFilter = nullptr;
        }
        // S_FALSE (already initialised here, as on a window thread) still counts and must
        // be balanced.
        CoUninitialize();
    }
}

void ComApartment::check() const
{
    // Another threading model chosen earlier (RPC_E_CHANGED_MODE) leaves COM usable, just
    // not ours.
    if (FAILED(m_result) && m_result != RPC_E_CHANGED_MODE)
        throw automationError(m_result);
}

} // namespace quorrix::swcom
