#pragma once

#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include <windows.h>

#include <oleauto.h>

#include "swcom/com_link.h"
#include "swcom/variant.h"

namespace quorrix::swcom {

// Calls an automation object's members by name. Failures throw AutomationError: an
// exception the object raised with its own number and text, anything else with the
// HRESULT and the system's text for it. A call the server refuses as busy is tried again
// for the link's retry limit; a server that went away fails this and every later call of
// the link.
class Dispatcher {
public:
    // Holds a reference to the object and to the link, whose apartment must outlive it; a
    // null link retries with the default limit.
    Dispatcher(IDispatch* object, std::shared_ptr<ComLink> link);
    Dispatcher(const Dispatcher&) = delete;
    Dispatcher& operator=(const Dispatcher&) = delete;
    ~Dispatcher();

    IDispatch* object() const { return m_object; }
    bool isAlive() const { return !m_link || m_link->goneWith.load() == 0; }
    // Whether the object's process still answers, asked with a question that costs the
    // object nothing (its type information count) instead of a member call. A refused or
    // failed question still came from a live process; only a gone one gives false.
    bool answers();

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
        return object.object() ? std::make_shared<T>(object.object(), m_link) : nullptr;
    }

private:
    DISPID dispatchId(const wchar_t* name);
    Variant invoke(const wchar_t* name, WORD flags, std::initializer_list<Variant> args,
        const Variant* putValue);
    void pause(std::chrono::milliseconds time) const;
    void markGone(HRESULT result) const;
    [[noreturn]] void serverGone(HRESULT result, const std::string& text) const;

    IDispatch* m_object;
    std::shared_ptr<ComLink> m_link;
    std::map<std::wstring, DISPID> m_ids; // looked up once per name
};

} // namespace quorrix::swcom
