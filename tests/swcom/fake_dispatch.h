#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <windows.h>

#include <oleauto.h>

namespace quorrix::test {

// An automation object with a fixed set of member names. Every call is written to a shared
// journal as one line, "<object>.<member> <call|get|put>(<arguments in call order>)", and a
// property put adds " [<named DISPID>]=<value>". Arguments read "I4 3", "BSTR text",
// "BYREF BOOL -1", "ARRAY BSTR 1:[a, b]" (lower bound, elements), "DISPATCH <object>".
// The object never deletes itself; the test owns it and checks its reference count.
class FakeDispatch : public IDispatch {
public:
    // Runs a member: may write by-reference arguments, the result or the exception.
    using Handler = std::function<HRESULT(DISPPARAMS& params, VARIANT& result, EXCEPINFO& info)>;

    FakeDispatch(std::string name, std::vector<std::string>& journal,
        const std::vector<std::wstring>& members);
    FakeDispatch(const FakeDispatch&) = delete;
    FakeDispatch& operator=(const FakeDispatch&) = delete;
    virtual ~FakeDispatch() = default;

    void on(const std::wstring& member, Handler handler);
    ULONG references() const { return m_references; }
    int lookups(const std::wstring& member) const;
    const std::string& name() const { return m_name; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(
        REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
        VARIANT* result, EXCEPINFO* info, UINT* argError) override;

private:
    std::string m_name;
    std::vector<std::string>& m_journal;
    std::vector<std::wstring> m_members; // DISPID is the index plus one
    std::map<DISPID, Handler> m_handlers;
    std::map<std::wstring, int> m_lookups;
    ULONG m_references = 1; // the test's own
};

// How the journal writes a value.
std::string describe(const VARIANT& value);

// The argument at a position in call order.
VARIANT& argument(DISPPARAMS& params, UINT position);

// Handlers: answer with a copy of the value (which the handler takes over), answer with an
// object (without holding a reference), raise an automation exception, fail with an HRESULT.
FakeDispatch::Handler answer(VARIANT value);
FakeDispatch::Handler answerObject(IDispatch* object);
FakeDispatch::Handler raise(HRESULT scode, WORD code, const wchar_t* description);
FakeDispatch::Handler fail(HRESULT result);

// Values to answer with.
VARIANT i2(SHORT value);
VARIANT i4(LONG value);
VARIANT r8(double value);
VARIANT boolean(bool value);
VARIANT bstr(const wchar_t* text);
VARIANT null();
VARIANT nullObject();
VARIANT bstrArray(LONG lower, const std::vector<const wchar_t*>& texts);
VARIANT doubleArray(LONG lower, const std::vector<double>& values);
// Takes over the elements.
VARIANT variantArray(LONG lower, std::vector<VARIANT> elements);

} // namespace quorrix::test
