#pragma once

#include <string>

#include <windows.h>

#include <objbase.h>

namespace quorrix::swserver {

class ServerState;
class SolidWorksProcess;

// Creates the objects of one served class: for a SolidWorks ProgID the application object
// of the stand-in's SolidWorks process (started when none runs), for the Document Manager a
// new class factory object. A failed connect leaves CreateInstance with the stand-in's error
// number.
class ClassFactory : public IClassFactory {
public:
    // Without a SolidWorks process, the class is the Document Manager's.
    ClassFactory(ServerState& state, std::string progId, SolidWorksProcess* solidWorks);
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;
    virtual ~ClassFactory() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    // The factory lives as long as the server; COM's references do not count.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ServerState& m_state;
    std::string m_progId;
    SolidWorksProcess* m_solidWorks;
};

} // namespace quorrix::swserver
