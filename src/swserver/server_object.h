#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include <oleauto.h>

namespace quorrix::swserver {

class ServerState;

// One member call as the server sees it: the arguments in call order (the value of a
// property put apart) and the result to fill.
class Invocation {
public:
    Invocation(DISPPARAMS& params, VARIANT* result);

    std::size_t count() const { return m_positional; }
    std::string text(std::size_t index) const;
    std::int32_t int32(std::size_t index) const;
    double real(std::size_t index) const;
    bool flag(std::size_t index) const;
    std::vector<std::string> texts(std::size_t index) const;
    IDispatch* object(std::size_t index) const; // null for nothing; not AddRef'd
    // By-reference arguments: the value the caller passed, and the value it gets back.
    bool refFlag(std::size_t index) const;
    std::int32_t refInt32(std::size_t index) const;
    void setRef(std::size_t index, bool value);
    void setRef(std::size_t index, std::int32_t value);
    // The value of a property put.
    std::string putText() const;
    std::int32_t putInt32() const;
    bool putFlag() const;

    void result(bool value);
    void result(std::int32_t value);
    void result(std::int16_t value);
    void result(double value);
    void result(const std::string& text);
    void result(const std::vector<std::string>& texts);
    void result(const std::vector<double>& values);
    void result(IDispatch* object); // takes over the reference; null is nothing
    void result(VARIANT value); // takes over the value

private:
    VARIANT& argument(std::size_t index) const;
    const VARIANT& putValue() const;

    DISPPARAMS& m_params;
    VARIANT* m_result;
    std::size_t m_positional;
};

// An automation object of the server: a table of members by name, each run on an object of
// the stand-in. An AutomationError the stand-in raises leaves the call as DISP_E_EXCEPTION
// with its number and text; the server state decides whether a call is refused as busy and
// ends the process where the stand-in crashed.
class ServerObject : public IDispatch {
public:
    using Handler = std::function<void(Invocation&)>;

    // An object for clients keeps the server running and may be refused as busy; the one the
    // server itself holds (the connector of its SolidWorks process) does neither.
    explicit ServerObject(ServerState& state, bool forClients = true);
    ServerObject(const ServerObject&) = delete;
    ServerObject& operator=(const ServerObject&) = delete;
    virtual ~ServerObject();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(
        REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
        VARIANT* result, EXCEPINFO* info, UINT* argError) override;

protected:
    // A member that reads on a get and writes on a put has one handler for each.
    void member(const wchar_t* name, Handler call, Handler put = {});
    ServerState& state() const { return m_state; }

private:
    struct Member {
        std::wstring name;
        Handler call;
        Handler put;
    };

    ServerState& m_state;
    bool m_forClients;
    std::vector<Member> m_members; // DISPID is the index plus one
    LONG m_references = 1;
};

// Hands a new object to COM as a result: the caller's reference is the only one.
template <class T, class... Args> IDispatch* newObject(Args&&... args)
{
    return new T(std::forward<Args>(args)...);
}

} // namespace quorrix::swserver
