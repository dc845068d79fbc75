#pragma once

#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include <windows.h>

#include <oleauto.h>

#include "swcom/variant.h"

namespace quorrix::swcom {

// Calls an automation object's members by name. Failures throw AutomationError: an
// exception the object raised with its own number and text, anything else with the
// HRESULT and the system's text for it.
class Dispatcher {
public:
    // Holds a reference to the object and to the COM apartment, which must outlive it.
    Dispatcher(IDispatch* object, std::shared_ptr<const void> apartment);
    Dispatcher(const Dispatcher&) = delete;
    Dispatcher& operator=(const Dispatcher&) = delete;
    ~Dispatcher();

    IDispatch* object() const { return m_object; }

    // SolidWorks declares some members that read as properties as methods and the other
    // way round; a call with both flags reaches either, as Visual Basic's late binding does.
    Variant call(const wchar_t* name, std::initializer_list<Variant> args = {});
    Variant get(const wchar_t* name, std::initializer_list<Variant> indexArgs = {});
    void put(
        const wchar_t* name, const Variant& value, std::initializer_list<Variant> indexArgs = {});

    // The wrapper of type T for an object result; nothing gives null.
    template <class T> std::shared_ptr<T> wrap(const Variant& result) const
    {
        const Variant object = result.toObject();
        return object.object() ? std::make_shared<T>(object.object(), m_apartment) : nullptr;
    }

private:
    DISPID dispatchId(const wchar_t* name);
    Variant invoke(const wchar_t* name, WORD flags, std::initializer_list<Variant> args,
        const Variant* putValue);

    IDispatch* m_object;
    std::shared_ptr<const void> m_apartment;
    std::map<std::wstring, DISPID> m_ids; // looked up once per name
};

} // namespace quorrix::swcom
