#include "swcom/dispatcher.h"

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

#include "platform/win32/win32_text.h"
#include "swcom/com_support.h"

namespace quorrix::swcom {

namespace {

// Frees what a callee put into it, whatever the call's outcome.
struct ExceptionInfo : EXCEPINFO {
    ExceptionInfo()
        : EXCEPINFO {}
    {
    }
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;
    ~ExceptionInfo()
    {
        SysFreeString(bstrSource);
        SysFreeString(bstrDescription);
        SysFreeString(bstrHelpFile);
    }
};

// The exception an object raised while running the member.
engine::AutomationError raisedError(ExceptionInfo& info)
{
    if (info.pfnDeferredFillIn)
        info.pfnDeferredFillIn(&info);
    HRESULT number = info.scode ? info.scode : info.wCode;
    if (!number)
        number = DISP_E_EXCEPTION;
    const std::string text = utf8Text(info.bstrDescription);
    return text.empty() ? automationError(number) : engine::AutomationError(number, text);
}

} // namespace

Dispatcher::Dispatcher(IDispatch* object, std::shared_ptr<ComLink> link)
    : m_object(object)
    , m_link(std::move(link))
{
    m_object->AddRef();
}

Dispatcher::~Dispatcher()
{
    m_object->Release();
}

Variant Dispatcher::call(const wchar_t* name, std::initializer_list<Variant> args)
{
    return invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, nullptr);
}

Variant Dispatcher::get(const wchar_t* name, std::initializer_list<Variant> indexArgs)
{
    return invoke(name, DISPATCH_PROPERTYGET, indexArgs, nullptr);
}

void Dispatcher::put(
    const wchar_t* name, const Variant& value, std::initializer_list<Variant> indexArgs)
{
    invoke(name, DISPATCH_PROPERTYPUT, indexArgs, &value);
}

DISPID Dispatcher::dispatchId(const wchar_t* name)
{
    const auto known = m_ids.find(name);
    if (known != m_ids.end())
        return known->second;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = { const_cast<LPOLESTR>(name) };
    const HRESULT result = m_object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result)) {
        // Say which member, so a SolidWorks version without it can be recognised.
        const engine::AutomationError error = automationError(result);
        throw engine::AutomationError(
            error.number(), error.description() + " (" + platform::utf8FromUtf16(name) + ")");
    }
    m_ids.emplace(name, id);
    return id;
}

void Dispatcher::pause(std::chrono::milliseconds time) const
{
    if (m_link && m_link->pause)
        m_link->pause(time);
    else
        Sleep(static_cast<DWORD>(time.count()));
}

bool Dispatcher::answers()
{
    if (!isAlive())
        return false;
    UINT count = 0;
    const HRESULT result = m_object->GetTypeInfoCount(&count);
    if (!isServerGone(result))
        return true;
    markGone(result);
    return false;
}

void Dispatcher::markGone(HRESULT result) const
{
    if (m_link) {
        long expected = 0;
        m_link->goneWith.compare_exchange_strong(expected, result);
    }
}

void Dispatcher::serverGone(HRESULT result, const std::string& text) const
{
    markGone(result);
    throw engine::AutomationError(result, "SolidWorks has gone away: " + text);
}

Variant Dispatcher::invoke(
    const wchar_t* name, WORD flags, std::initializer_list<Variant> args, const Variant* putValue)
{
    // A dead process answers nothing; asking it again only costs time.
    if (m_link) {
        if (const long gone = m_link->goneWith.load())
            throw engine::AutomationError(gone, "SolidWorks has gone away");
    }
    const DISPID id = dispatchId(name);

    // DISPPARAMS lists the named argument first, then the positional ones last to first.
    // The VARIANTs are shallow copies: the callee does not take them over.
    std::vector<VARIANTARG> list;
    list.reserve(args.size() + 1);
    if (putValue)
        list.push_back(putValue->raw());
    for (auto arg = args.end(); arg != args.begin();)
        list.push_back((--arg)->raw());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params {};
    params.rgvarg = list.data();
    params.cArgs = static_cast<UINT>(list.size());
    if (putValue) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }

    // A refused call has not run, so its by-reference arguments are as they were.
    const auto start = std::chrono::steady_clock::now();
    const auto limit = m_link ? m_link->retryLimit : kDefaultRetryLimit;
    for (int retry = 0;; ++retry) {
        Variant result;
        ExceptionInfo info;
        UINT argError = 0;
        const HRESULT hr = m_object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
            putValue ? nullptr : result.out(), &info, &argError);
        if (hr == DISP_E_EXCEPTION) {
            const engine::AutomationError error = raisedError(info);
            if (isServerGone(static_cast<HRESULT>(error.number())))
                serverGone(static_cast<HRESULT>(error.number()), error.description());
            throw error;
        }
        if (isServerGone(hr))
            serverGone(hr, automationError(hr).description());
        if (isRefusedCall(hr)) {
            const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - start);
            if (waited < limit) {
                pause(std::min(retryPause(retry), limit - waited));
                continue;
            }
            const engine::AutomationError error = automationError(hr);
            throw engine::AutomationError(hr,
                error.description() + " (SolidWorks was busy for "
                    + std::to_string(waited.count() / 1000) + " s)");
        }
        check(hr);
        return result;
    }
}

} // namespace quorrix::swcom
