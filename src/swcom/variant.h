#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

#include <oleauto.h>

namespace quorrix::swcom {

// An owned VARIANT: an argument on its way to SolidWorks or a result coming back.
// Conversions that the value does not allow throw AutomationError.
class Variant {
public:
    Variant(); // VT_EMPTY
    Variant(std::int32_t value); // VT_I4
    Variant(std::int16_t value); // VT_I2
    Variant(bool value); // VT_BOOL
    Variant(double value); // VT_R8
    Variant(const std::string& text); // VT_BSTR
    Variant(const char* text);
    Variant(const std::vector<std::string>& texts); // VT_ARRAY | VT_BSTR, lower bound 0
    Variant(IDispatch* object); // VT_DISPATCH, which may be null ("nothing")
    // No other pointer may silently become a bool.
    template <class T> Variant(T*) = delete;

    // By-reference arguments: the callee writes into the referenced local.
    static Variant ref(VARIANT_BOOL& value);
    static Variant ref(LONG& value);

    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant other) noexcept;
    ~Variant();

    const VARIANT& raw() const { return m_value; }
    VARIANT* out(); // cleared, for a callee to fill

    // Nothing: empty, null, or a null object.
    bool isNothing() const;
    std::int32_t toInt32() const;
    std::int16_t toInt16() const;
    bool toBool() const;
    double toDouble() const;
    std::string toString() const; // nothing gives ""
    // One-dimensional arrays of any lower bound, of the element type itself or of
    // VARIANTs; nothing gives an empty list.
    std::vector<std::string> toStrings() const;
    std::vector<double> toDoubles() const;
    // VT_DISPATCH, null for nothing.
    Variant toObject() const;
    IDispatch* object() const { return m_value.vt == VT_DISPATCH ? m_value.pdispVal : nullptr; }

private:
    Variant converted(VARTYPE type) const;
    std::vector<Variant> elements() const;

    VARIANT m_value;
};

} // namespace quorrix::swcom
