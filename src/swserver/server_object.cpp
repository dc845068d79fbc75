#include "swserver/server_object.h"

#include <utility>

#include "engine/swlink/solidworks.h"
#include "swcom/com_support.h"
#include "swserver/server_state.h"

namespace quorrix::swserver {

namespace {

void checkConverted(HRESULT result)
{
    if (FAILED(result))
        throw engine::AutomationError(DISP_E_TYPEMISMATCH, "Type mismatch");
}

SAFEARRAY* newVector(VARTYPE type, std::size_t size)
{
    SAFEARRAY* array = SafeArrayCreateVector(type, 0, static_cast<ULONG>(size));
    if (!array)
        throw engine::AutomationError(E_OUTOFMEMORY, "Out of memory");
    return array;
}

// The value converted to a type; a value that does not convert raises a type mismatch.
VARIANT converted(const VARIANT& source, VARTYPE type)
{
    VARIANT value;
    VariantInit(&value);
    checkConverted(VariantChangeType(&value, const_cast<VARIANT*>(&source), 0, type));
    return value;
}

std::string textOf(const VARIANT& source)
{
    VARIANT value = converted(source, VT_BSTR);
    const std::string text = swcom::utf8Text(value.bstrVal);
    VariantClear(&value);
    return text;
}

} // namespace

Invocation::Invocation(DISPPARAMS& params, VARIANT* result)
    : m_params(params)
    , m_result(result)
    , m_positional(params.cArgs - params.cNamedArgs)
{
}

VARIANT& Invocation::argument(std::size_t index) const
{
    if (index >= m_positional)
        throw engine::AutomationError(DISP_E_PARAMNOTFOUND, "Parameter not found");
    // The named arguments come first, then the positional ones from the last to the first.
    return m_params.rgvarg[m_params.cNamedArgs + (m_positional - 1 - index)];
}

std::string Invocation::text(std::size_t index) const
{
    return textOf(argument(index));
}

std::int32_t Invocation::int32(std::size_t index) const
{
    return converted(argument(index), VT_I4).lVal;
}

double Invocation::real(std::size_t index) const
{
    return converted(argument(index), VT_R8).dblVal;
}

bool Invocation::flag(std::size_t index) const
{
    return converted(argument(index), VT_BOOL).boolVal != VARIANT_FALSE;
}

std::vector<std::string> Invocation::texts(std::size_t index) const
{
    const VARIANT& value = argument(index);
    const VARIANT* inner = value.vt == (VT_BYREF | VT_VARIANT) ? value.pvarVal : &value;
    if (inner->vt != (VT_ARRAY | VT_BSTR) || !inner->parray)
        throw engine::AutomationError(DISP_E_TYPEMISMATCH, "Type mismatch");
    LONG lower = 0;
    LONG upper = -1;
    SafeArrayGetLBound(inner->parray, 1, &lower);
    SafeArrayGetUBound(inner->parray, 1, &upper);
    std::vector<std::string> texts;
    for (LONG i = lower; i <= upper; ++i) {
        BSTR element = nullptr;
        checkConverted(SafeArrayGetElement(inner->parray, &i, &element));
        texts.push_back(swcom::utf8Text(element));
        SysFreeString(element);
    }
    return texts;
}

IDispatch* Invocation::object(std::size_t index) const
{
    const VARIANT& value = argument(index);
    switch (value.vt) {
    case VT_DISPATCH:
        return value.pdispVal;
    case VT_EMPTY:
    case VT_NULL:
        return nullptr;
    default:
        throw engine::AutomationError(DISP_E_TYPEMISMATCH, "Type mismatch");
    }
}

bool Invocation::refFlag(std::size_t index) const
{
    const VARIANT& value = argument(index);
    if (value.vt == (VT_BYREF | VT_BOOL))
        return *value.pboolVal != VARIANT_FALSE;
    return flag(index);
}

std::int32_t Invocation::refInt32(std::size_t index) const
{
    const VARIANT& value = argument(index);
    if (value.vt == (VT_BYREF | VT_I4))
        return *value.plVal;
    return int32(index);
}

void Invocation::setRef(std::size_t index, bool value)
{
    VARIANT& target = argument(index);
    if (target.vt == (VT_BYREF | VT_BOOL))
        *target.pboolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void Invocation::setRef(std::size_t index, std::int32_t value)
{
    VARIANT& target = argument(index);
    if (target.vt == (VT_BYREF | VT_I4))
        *target.plVal = value;
}

const VARIANT& Invocation::putValue() const
{
    for (UINT i = 0; i < m_params.cNamedArgs; ++i) {
        if (m_params.rgdispidNamedArgs[i] == DISPID_PROPERTYPUT)
            return m_params.rgvarg[i];
    }
    throw engine::AutomationError(DISP_E_PARAMNOTFOUND, "Parameter not found");
}

std::string Invocation::putText() const
{
    return textOf(putValue());
}

std::int32_t Invocation::putInt32() const
{
    return converted(putValue(), VT_I4).lVal;
}

bool Invocation::putFlag() const
{
    return converted(putValue(), VT_BOOL).boolVal != VARIANT_FALSE;
}

void Invocation::result(VARIANT value)
{
    if (!m_result) {
        VariantClear(&value);
        return;
    }
    VariantClear(m_result);
    *m_result = value;
}

void Invocation::result(bool value)
{
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    result(v);
}

void Invocation::result(std::int32_t value)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    result(v);
}

void Invocation::result(std::int16_t value)
{
    VARIANT v;
    v.vt = VT_I2;
    v.iVal = value;
    result(v);
}

void Invocation::result(double value)
{
    VARIANT v;
    v.vt = VT_R8;
    v.dblVal = value;
    result(v);
}

void Invocation::result(const std::string& text)
{
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = swcom::allocString(text);
    result(v);
}

void Invocation::result(const std::vector<std::string>& texts)
{
    SAFEARRAY* array = newVector(VT_BSTR, texts.size());
    for (LONG i = 0; i < static_cast<LONG>(texts.size()); ++i) {
        BSTR element = swcom::allocString(texts[static_cast<std::size_t>(i)]);
        SafeArrayPutElement(array, &i, element); // copies the string
        SysFreeString(element);
    }
    VARIANT v;
    v.vt = VT_ARRAY | VT_BSTR;
    v.parray = array;
    result(v);
}

void Invocation::result(const std::vector<double>& values)
{
    SAFEARRAY* array = newVector(VT_R8, values.size());
    for (LONG i = 0; i < static_cast<LONG>(values.size()); ++i)
        SafeArrayPutElement(array, &i, const_cast<double*>(&values[static_cast<std::size_t>(i)]));
    VARIANT v;
    v.vt = VT_ARRAY | VT_R8;
    v.parray = array;
    result(v);
}

void Invocation::result(IDispatch* object)
{
    VARIANT v;
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    result(v);
}

ServerObject::ServerObject(ServerState& state, bool forClients)
    : m_state(state)
    , m_forClients(forClients)
{
    if (m_forClients)
        m_state.objectCreated();
}

ServerObject::~ServerObject()
{
    if (m_forClients)
        m_state.objectReleased();
}

void ServerObject::member(const wchar_t* name, Handler call, Handler put)
{
    m_members.push_back({ name, std::move(call), std::move(put) });
}

HRESULT ServerObject::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ServerObject::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG ServerObject::Release()
{
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT ServerObject::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT ServerObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT ServerObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (i > 0) { // no named arguments
            result = DISP_E_UNKNOWNNAME;
            continue;
        }
        for (std::size_t m = 0; m < m_members.size(); ++m) {
            // Visual Basic's late binding ignores the letter case of member names.
            if (_wcsicmp(m_members[m].name.c_str(), names[i]) == 0)
                ids[i] = static_cast<DISPID>(m + 1);
        }
        if (ids[i] == DISPID_UNKNOWN)
            result = DISP_E_UNKNOWNNAME;
    }
    return result;
}

HRESULT ServerObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
    VARIANT* result, EXCEPINFO* info, UINT*)
{
    if (id < 1 || static_cast<std::size_t>(id) > m_members.size())
        return DISP_E_MEMBERNOTFOUND;
    const Member& found = m_members[static_cast<std::size_t>(id) - 1];
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    const Handler& handler = put ? found.put : found.call;
    if (!handler)
        return DISP_E_MEMBERNOTFOUND;
    if (!params)
        return E_INVALIDARG;
    if (m_forClients && m_state.refuseCall(found.name))
        return RPC_E_CALL_REJECTED;
    if (result)
        VariantInit(result);

    HRESULT outcome = S_OK;
    try {
        Invocation call(*params, result);
        handler(call);
    } catch (const engine::AutomationError& error) {
        if (info) {
            *info = EXCEPINFO {};
            info->bstrSource = SysAllocString(L"SldWorks");
            const std::wstring text = swcom::wideText(error.description());
            info->bstrDescription = SysAllocString(text.c_str());
            info->scode = static_cast<SCODE>(error.number());
        }
        outcome = DISP_E_EXCEPTION;
    } catch (const std::exception&) {
        outcome = E_FAIL;
    }
    m_state.afterCall();
    return outcome;
}

} // namespace quorrix::swserver
