#include "swcom/fake_dispatch.h"

#include <algorithm>
#include <memory>
#include <sstream>
#include <type_traits>

#include "platform/win32/win32_text.h"

namespace quorrix::test {

namespace {

// Lets the journal name the fake behind an object argument.
const IID kFakeIid
    = { 0x5b1c0e2a, 0x7d41, 0x4c8e, { 0x9a, 0x10, 0x3f, 0x62, 0x88, 0x0d, 0x4e, 0x17 } };

std::string kind(WORD flags)
{
    if (flags == (DISPATCH_METHOD | DISPATCH_PROPERTYGET))
        return "call";
    if (flags == DISPATCH_PROPERTYGET || flags == DISPATCH_PROPERTYPUT)
        return flags == DISPATCH_PROPERTYGET ? "get" : "put";
    return "flags " + std::to_string(flags);
}

std::string objectName(IDispatch* object)
{
    FakeDispatch* fake = nullptr;
    if (!object)
        return "null";
    if (FAILED(object->QueryInterface(kFakeIid, reinterpret_cast<void**>(&fake))))
        return "foreign";
    fake->Release();
    return fake->name();
}

template <class T> std::string print(const void* data)
{
    std::ostringstream out;
    out << *static_cast<const T*>(data);
    return out.str();
}

std::string printText(const void* data)
{
    const BSTR text = *static_cast<const BSTR*>(data);
    return text ? platform::utf8FromUtf16(text, SysStringLen(text)) : std::string();
}

std::string printObject(const void* data)
{
    return objectName(*static_cast<IDispatch* const*>(data));
}

// How the journal names each type and writes a value of it.
const std::map<VARTYPE, std::pair<const char*, std::string (*)(const void*)>> kTypes = {
    { VT_I2, { "I2", print<SHORT> } },
    { VT_I4, { "I4", print<LONG> } },
    { VT_R8, { "R8", print<double> } },
    { VT_BOOL, { "BOOL", print<VARIANT_BOOL> } },
    { VT_BSTR, { "BSTR", printText } },
    { VT_DISPATCH, { "DISPATCH", printObject } },
    { VT_VARIANT, { "VARIANT", nullptr } },
};

std::string typeName(VARTYPE type)
{
    const auto found = kTypes.find(type);
    return found == kTypes.end() ? "VT" + std::to_string(type) : found->second.first;
}

std::string scalar(VARTYPE type, const void* data)
{
    const auto found = kTypes.find(type);
    const bool printable = found != kTypes.end() && found->second.second;
    return typeName(type) + ' ' + (printable ? found->second.second(data) : std::string());
}

std::string array(VARTYPE type, SAFEARRAY* list)
{
    LONG lower = 0;
    LONG upper = -1;
    SafeArrayGetLBound(list, 1, &lower);
    SafeArrayGetUBound(list, 1, &upper);
    std::string text = "ARRAY " + typeName(type) + " " + std::to_string(lower) + ":[";
    for (LONG i = lower; i <= upper; ++i) {
        VARIANT element;
        VariantInit(&element);
        if (type == VT_VARIANT) {
            SafeArrayGetElement(list, &i, &element);
        } else {
            SafeArrayGetElement(list, &i, &element.llVal);
            element.vt = type;
        }
        std::string item = describe(element);
        if (type != VT_VARIANT)
            item.erase(0, item.find(' ') + 1); // the array already names the type
        text += (i > lower ? ", " : "") + item;
        VariantClear(&element);
    }
    return text + "]";
}

} // namespace

std::string describe(const VARIANT& value)
{
    if (value.vt == VT_EMPTY)
        return "EMPTY";
    if (value.vt & VT_ARRAY)
        return array(value.vt & VT_TYPEMASK, value.parray);
    if (value.vt & VT_BYREF)
        return "BYREF " + scalar(value.vt & VT_TYPEMASK, value.byref);
    return scalar(value.vt, &value.llVal);
}

FakeDispatch::FakeDispatch(
    std::string name, std::vector<std::string>& journal, const std::vector<std::wstring>& members)
    : m_name(std::move(name))
    , m_journal(journal)
    , m_members(members)
{
}

void FakeDispatch::on(const std::wstring& member, Handler handler)
{
    const auto found = std::find(m_members.begin(), m_members.end(), member);
    m_handlers[static_cast<DISPID>(found - m_members.begin()) + 1] = std::move(handler);
}

int FakeDispatch::lookups(const std::wstring& member) const
{
    const auto found = m_lookups.find(member);
    return found == m_lookups.end() ? 0 : found->second;
}

HRESULT FakeDispatch::QueryInterface(REFIID iid, void** object)
{
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kFakeIid) {
        *object = this;
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT FakeDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (count != 1)
        return E_INVALIDARG;
    ++m_lookups[names[0]];
    const auto found = std::find(m_members.begin(), m_members.end(), names[0]);
    if (found == m_members.end()) {
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    ids[0] = static_cast<DISPID>(found - m_members.begin()) + 1;
    return S_OK;
}

HRESULT FakeDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
    VARIANT* result, EXCEPINFO* info, UINT*)
{
    if (id < 1 || id > static_cast<DISPID>(m_members.size()))
        return DISP_E_MEMBERNOTFOUND;
    std::string line
        = m_name + "." + platform::utf8FromUtf16(m_members[id - 1]) + " " + kind(flags) + "(";
    for (UINT position = 0; position + params->cNamedArgs < params->cArgs; ++position)
        line += (position ? ", " : "") + describe(argument(*params, position));
    line += ")";
    for (UINT named = 0; named < params->cNamedArgs; ++named)
        line += " [" + std::to_string(params->rgdispidNamedArgs[named])
            + "]=" + describe(params->rgvarg[named]);
    m_journal.push_back(line);

    const auto handler = m_handlers.find(id);
    if (handler == m_handlers.end())
        return S_OK;
    VARIANT unused;
    VariantInit(&unused);
    EXCEPINFO noInfo {};
    const HRESULT answer
        = handler->second(*params, result ? *result : unused, info ? *info : noInfo);
    VariantClear(&unused);
    return answer;
}

VARIANT& argument(DISPPARAMS& params, UINT position)
{
    return params.rgvarg[params.cArgs - 1 - position];
}

FakeDispatch::Handler answer(VARIANT value)
{
    auto owned = std::shared_ptr<VARIANT>(new VARIANT(value), [](VARIANT* v) {
        VariantClear(v);
        delete v;
    });
    return [owned](DISPPARAMS&, VARIANT& result, EXCEPINFO&) {
        return VariantCopy(&result, owned.get());
    };
}

FakeDispatch::Handler answerObject(IDispatch* object)
{
    // Holds no reference itself, so that reference counts show only what the client holds.
    return [object](DISPPARAMS&, VARIANT& result, EXCEPINFO&) {
        result.vt = VT_DISPATCH;
        result.pdispVal = object;
        object->AddRef();
        return S_OK;
    };
}

FakeDispatch::Handler raise(HRESULT scode, WORD code, const wchar_t* description)
{
    return [=](DISPPARAMS&, VARIANT&, EXCEPINFO& info) {
        info.scode = scode;
        info.wCode = code;
        info.bstrSource = SysAllocString(L"SldWorks");
        info.bstrDescription = description ? SysAllocString(description) : nullptr;
        return DISP_E_EXCEPTION;
    };
}

FakeDispatch::Handler fail(HRESULT result)
{
    return [=](DISPPARAMS&, VARIANT&, EXCEPINFO&) { return result; };
}

namespace {

template <class Set> VARIANT variant(VARTYPE type, Set set)
{
    VARIANT v {};
    v.vt = type;
    set(v);
    return v;
}

} // namespace

VARIANT i2(SHORT value)
{
    return variant(VT_I2, [&](VARIANT& v) { v.iVal = value; });
}

VARIANT i4(LONG value)
{
    return variant(VT_I4, [&](VARIANT& v) { v.lVal = value; });
}

VARIANT r8(double value)
{
    return variant(VT_R8, [&](VARIANT& v) { v.dblVal = value; });
}

VARIANT boolean(bool value)
{
    return variant(VT_BOOL, [&](VARIANT& v) { v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; });
}

VARIANT bstr(const wchar_t* text)
{
    return variant(VT_BSTR, [&](VARIANT& v) { v.bstrVal = SysAllocString(text); });
}

VARIANT null()
{
    return variant(VT_NULL, [](VARIANT&) {});
}

VARIANT nullObject()
{
    return variant(VT_DISPATCH, [](VARIANT&) {});
}

namespace {

template <class T> VARIANT arrayOf(VARTYPE type, LONG lower, const std::vector<T>& elements)
{
    SAFEARRAYBOUND bound { static_cast<ULONG>(elements.size()), lower };
    VARIANT v;
    v.vt = VT_ARRAY | type;
    v.parray = SafeArrayCreate(type, 1, &bound);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        LONG index = lower + static_cast<LONG>(i);
        // SafeArrayPutElement copies; a BSTR goes as itself, anything else by address.
        if constexpr (std::is_same_v<T, BSTR>)
            SafeArrayPutElement(v.parray, &index, elements[i]);
        else
            SafeArrayPutElement(v.parray, &index, const_cast<T*>(&elements[i]));
    }
    return v;
}

} // namespace

VARIANT bstrArray(LONG lower, const std::vector<const wchar_t*>& texts)
{
    std::vector<BSTR> strings;
    for (const wchar_t* text : texts)
        strings.push_back(SysAllocString(text));
    VARIANT v = arrayOf(VT_BSTR, lower, strings);
    for (BSTR text : strings)
        SysFreeString(text);
    return v;
}

VARIANT doubleArray(LONG lower, const std::vector<double>& values)
{
    return arrayOf(VT_R8, lower, values);
}

VARIANT variantArray(LONG lower, std::vector<VARIANT> elements)
{
    VARIANT v = arrayOf(VT_VARIANT, lower, elements);
    for (VARIANT& element : elements)
        VariantClear(&element);
    return v;
}

} // namespace quorrix::test
