#pragma once

#include <memory>
#include <string>

#include <windows.h>

#include <oaidl.h>

namespace quorrix::swserver {

// The stand-in's SolidWorks as a process of its own, which this server starts and connects
// through. SolidWorks runs apart from the server COM starts: a SolidWorks that crashes or is
// killed leaves the registered server alive, so the next connect starts a new SolidWorks as
// it does on Windows (Wine would keep handing out the dead process's class objects).
class SolidWorksProcess {
public:
    // program and configPath: this program and the configuration file it runs with.
    SolidWorksProcess(std::wstring program, std::wstring configPath);
    SolidWorksProcess(const SolidWorksProcess&) = delete;
    SolidWorksProcess& operator=(const SolidWorksProcess&) = delete;
    ~SolidWorksProcess();

    // CreateObject in the running SolidWorks, or in a new one when it is gone; the object
    // with a reference for the caller, or the failure's HRESULT.
    HRESULT createObject(const std::string& progId, IDispatch** object);
    bool running() const;

private:
    HRESULT start();
    void forget();

    std::wstring m_program;
    std::wstring m_configPath;
    HANDLE m_process = nullptr;
    IDispatch* m_connector = nullptr;
};

// The SolidWorks process's side: hands the connector object to the server that started it,
// through standard output.
bool handOverConnector(IDispatch* connector);

} // namespace quorrix::swserver
