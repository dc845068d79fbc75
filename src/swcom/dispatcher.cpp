#include "swcom/dispatcher.h"

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

Dispatcher::Dispatcher(IDispatch* object, std::shared_ptr<const void> apartment)
    : m_object(object)
    , m_apartment(std::move(apartment))
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

Variant Dispatcher::invoke(
    const wchar_t* name, WORD flags, std::initializer_list<Variant> args, const Variant* putValue)
{
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

    Variant result;
    ExceptionInfo info;
    UINT argError = 0;
    const HRESULT hr = m_object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
        putValue ? nullptr : result.out(), &info, &argError);
    if (hr == DISP_E_EXCEPTION)
        throw raisedError(info);
    check(hr);
    return result;
}

} // namespace quorrix::swcom
