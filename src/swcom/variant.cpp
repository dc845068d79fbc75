#include "swcom/variant.h"

#include <utility>

#include "swcom/com_support.h"

namespace quorrix::swcom {

Variant::Variant()
{
    VariantInit(&m_value);
}

Variant::Variant(std::int32_t value)
    : Variant()
{
    m_value.vt = VT_I4;
    m_value.lVal = value;
}

Variant::Variant(std::int16_t value)
    : Variant()
{
    m_value.vt = VT_I2;
    m_value.iVal = value;
}

Variant::Variant(bool value)
    : Variant()
{
    m_value.vt = VT_BOOL;
    m_value.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(double value)
    : Variant()
{
    m_value.vt = VT_R8;
    m_value.dblVal = value;
}

Variant::Variant(const std::string& text)
    : Variant()
{
    m_value.bstrVal = allocString(text);
    m_value.vt = VT_BSTR;
}

Variant::Variant(const char* text)
    : Variant(std::string(text))
{
}

Variant::Variant(const std::vector<std::string>& texts)
    : Variant()
{
    Variant list; // frees what is built so far if a conversion throws
    list.m_value.parray = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(texts.size()));
    if (!list.m_value.parray)
        throw automationError(E_OUTOFMEMORY);
    list.m_value.vt = VT_ARRAY | VT_BSTR;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        BSTR text = allocString(texts[i]);
        LONG index = static_cast<LONG>(i);
        const HRESULT result = SafeArrayPutElement(list.m_value.parray, &index, text);
        SysFreeString(text); // the array keeps a copy
        check(result);
    }
    std::swap(m_value, list.m_value);
}

Variant::Variant(IDispatch* object)
    : Variant()
{
    m_value.vt = VT_DISPATCH;
    m_value.pdispVal = object;
    if (object)
        object->AddRef();
}

Variant Variant::ref(VARIANT_BOOL& value)
{
    Variant result;
    result.m_value.vt = VT_BYREF | VT_BOOL;
    result.m_value.pboolVal = &value;
    return result;
}

Variant Variant::ref(LONG& value)
{
    Variant result;
    result.m_value.vt = VT_BYREF | VT_I4;
    result.m_value.plVal = &value;
    return result;
}

Variant::Variant(const Variant& other)
    : Variant()
{
    check(VariantCopy(&m_value, const_cast<VARIANT*>(&other.m_value)));
}

Variant::Variant(Variant&& other) noexcept
    : m_value(other.m_value)
{
    VariantInit(&other.m_value);
}

Variant& Variant::operator=(Variant other) noexcept
{
    std::swap(m_value, other.m_value);
    return *this;
}

Variant::~Variant()
{
    VariantClear(&m_value);
}

VARIANT* Variant::out()
{
    VariantClear(&m_value);
    return &m_value;
}

bool Variant::isNothing() const
{
    switch (m_value.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_DISPATCH:
        return !m_value.pdispVal;
    case VT_UNKNOWN:
        return !m_value.punkVal;
    default:
        return false;
    }
}

Variant Variant::converted(VARTYPE type) const
{
    Variant result;
    check(VariantChangeType(&result.m_value, const_cast<VARIANT*>(&m_value), 0, type));
    return result;
}

std::int32_t Variant::toInt32() const
{
    return converted(VT_I4).m_value.lVal;
}

std::int16_t Variant::toInt16() const
{
    return converted(VT_I2).m_value.iVal;
}

bool Variant::toBool() const
{
    return converted(VT_BOOL).m_value.boolVal != VARIANT_FALSE;
}

double Variant::toDouble() const
{
    return converted(VT_R8).m_value.dblVal;
}

std::string Variant::toString() const
{
    return isNothing() ? std::string() : utf8Text(converted(VT_BSTR).m_value.bstrVal);
}

Variant Variant::toObject() const
{
    return isNothing() ? Variant(static_cast<IDispatch*>(nullptr)) : converted(VT_DISPATCH);
}

std::vector<Variant> Variant::elements() const
{
    if (isNothing())
        return {};
    if (!(m_value.vt & VT_ARRAY))
        throw automationError(DISP_E_TYPEMISMATCH);
    SAFEARRAY* array = m_value.parray;
    if (m_value.vt & VT_BYREF)
        array = m_value.pparray ? *m_value.pparray : nullptr;
    if (!array)
        return {};
    if (SafeArrayGetDim(array) != 1)
        throw automationError(DISP_E_TYPEMISMATCH);

    // Elements other than VARIANTs are read straight into a VARIANT's value field, which
    // holds anything up to eight bytes (numbers, BSTR, object pointers).
    const VARTYPE type = m_value.vt & VT_TYPEMASK;
    const bool inVariants = type == VT_VARIANT;
    if (!inVariants && (type == VT_RECORD || SafeArrayGetElemsize(array) > sizeof(LONGLONG)))
        throw automationError(DISP_E_BADVARTYPE);

    LONG lower = 0;
    LONG upper = -1;
    check(SafeArrayGetLBound(array, 1, &lower));
    check(SafeArrayGetUBound(array, 1, &upper));
    std::vector<Variant> result;
    for (LONGLONG i = lower; i <= upper; ++i) {
        LONG index = static_cast<LONG>(i);
        Variant element;
        if (inVariants) {
            check(SafeArrayGetElement(array, &index, &element.m_value));
        } else {
            check(SafeArrayGetElement(array, &index, &element.m_value.llVal));
            element.m_value.vt = type;
        }
        result.push_back(std::move(element));
    }
    return result;
}

std::vector<std::string> Variant::toStrings() const
{
    std::vector<std::string> result;
    for (const Variant& element : elements())
        result.push_back(element.toString());
    return result;
}

std::vector<double> Variant::toDoubles() const
{
    std::vector<double> result;
    for (const Variant& element : elements())
        result.push_back(element.toDouble());
    return result;
}

} // namespace quorrix::swcom
