// The SolidWorks stand-in as a local automation server, so that the program meets it as it
// meets SolidWorks: in another process, through COM. COM starts it with -Embedding;
// /RegServer and /UnregServer add and remove its registration for the current user.
//
//   quorrix-swserver.exe /RegServer [/AllUsers] [--config SWSIM_INI]
//   quorrix-swserver.exe /UnregServer [/AllUsers]
//
// /AllUsers registers for every user of the machine, which Wine needs: its COM reads only
// the machine's classes.
//
// Its configuration is the swsim.ini named at registration (COM starts the server with the
// registered command line and passes none of the client's environment), else the user's.
// The stand-in's SolidWorks runs in a process of its own that the server starts with
// --solidworks and connects through; that is the process a crash ends and the program's
// time limit kills.

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/platform/path_text.h"
#include "engine/platform/platform_error.h"
#include "platform/platform_ports.h"
#include "platform/win32/win32_text.h"
#include "swserver/class_factory.h"
#include "swserver/registration.h"
#include "swserver/server_state.h"
#include "swserver/solidworks_process.h"
#include "swserver/sw_objects.h"
#include "swsim/model/installation.h"

namespace {

using namespace quorrix;

// Exit codes.
constexpr int kExitServed = 0;
constexpr int kExitBadArguments = 2;
constexpr int kExitNoConfiguration = 3;
constexpr int kExitComFailed = 4;
constexpr int kExitRegistrationFailed = 5;

// How often the server looks whether it still has clients.
constexpr UINT kIdleCheckMilliseconds = 500;

struct Arguments {
    bool registerIt = false;
    bool unregisterIt = false;
    bool embedding = false;
    bool solidWorks = false;
    bool allUsers = false;
    std::wstring config;
};

bool isSwitch(const std::wstring& argument, const wchar_t* name)
{
    if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-'))
        return false;
    return _wcsicmp(argument.c_str() + 1, name) == 0;
}

bool parseArguments(Arguments& arguments)
{
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!list)
        return false;
    bool ok = true;
    for (int i = 1; i < count && ok; ++i) {
        const std::wstring argument = list[i];
        if (isSwitch(argument, L"RegServer"))
            arguments.registerIt = true;
        else if (isSwitch(argument, L"UnregServer"))
            arguments.unregisterIt = true;
        else if (isSwitch(argument, L"AllUsers"))
            arguments.allUsers = true;
        else if (isSwitch(argument, L"Embedding") || isSwitch(argument, L"Automation"))
            arguments.embedding = true;
        else if (argument == L"--solidworks")
            arguments.solidWorks = true;
        else if (argument == L"--config" && i + 1 < count)
            arguments.config = list[++i];
        else
            ok = false;
    }
    LocalFree(list);
    return ok;
}

std::wstring programPath()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length
            = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size())
            return std::wstring(path.data(), length);
        path.resize(path.size() * 2);
    }
}

// The stand-in's installation as its configuration file describes it.
swsim::Installation loadConfiguredInstallation(
    platform::PlatformPorts& ports, const std::wstring& config)
{
    const std::string path = config.empty()
        ? swsim::simulatorConfigPath(ports.userConfigFolder, nullptr)
        : platform::utf8FromUtf16(config);
    const std::string spool = ports.userDataFolder + engine::kPathSeparator + "swsim-spool.jsonl";
    return swsim::loadInstallation(*ports.files, path, spool);
}

void runMessageLoop(swserver::ServerState& state)
{
    SetTimer(nullptr, 0, kIdleCheckMilliseconds, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr)
            state.checkIdle();
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The stand-in's SolidWorks: its objects, until its clients let go, ExitApp or a crash.
int runSolidWorks(platform::PlatformPorts& ports, swsim::Installation installation)
{
    swserver::ServerState state(
        std::move(ports.files), std::move(ports.clock), std::move(installation));
    state.setMainThread(GetCurrentThreadId());
    IDispatch* connector = swserver::newObject<swserver::ConnectorObject>(state);
    const bool handed = swserver::handOverConnector(connector);
    if (handed)
        runMessageLoop(state);
    CoDisconnectObject(connector, 0);
    connector->Release();
    return handed ? kExitServed : kExitComFailed;
}

// The server COM starts: the class objects, the Document Manager and the SolidWorks process.
int serve(
    platform::PlatformPorts& ports, swsim::Installation installation, const std::wstring& config)
{
    const std::vector<swserver::ServedClass> classes
        = swserver::servedClasses(installation.versions);
    installation.busyCalls = 0; // SolidWorks is busy in its own process, not here
    swserver::ServerState state(
        std::move(ports.files), std::move(ports.clock), std::move(installation));
    state.setMainThread(GetCurrentThreadId());
    swserver::SolidWorksProcess solidWorks(programPath(), config);
    state.setKeepAlive([&solidWorks] { return solidWorks.running(); });

    std::vector<std::unique_ptr<swserver::ClassFactory>> factories;
    std::vector<DWORD> cookies;
    for (const swserver::ServedClass& served : classes) {
        factories.push_back(std::make_unique<swserver::ClassFactory>(
            state, served.progId, served.documentManager ? nullptr : &solidWorks));
        DWORD cookie = 0;
        if (SUCCEEDED(CoRegisterClassObject(served.classId, factories.back().get(),
                CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie)))
            cookies.push_back(cookie);
    }
    if (cookies.empty())
        return kExitComFailed;
    const auto revoke = [&cookies] {
        for (const DWORD cookie : cookies)
            CoRevokeClassObject(cookie);
        cookies.clear();
    };
    state.setRevoke(revoke);
    runMessageLoop(state);
    revoke();
    return kExitServed;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    Arguments arguments;
    if (!parseArguments(arguments) || (arguments.registerIt && arguments.unregisterIt))
        return kExitBadArguments;
    const HKEY root = arguments.allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    if (arguments.unregisterIt)
        return swserver::unregisterServer(root) == ERROR_SUCCESS ? kExitServed
                                                                 : kExitRegistrationFailed;

    platform::PlatformPorts ports = platform::createPlatformPorts();
    swsim::Installation installation;
    try {
        installation = loadConfiguredInstallation(ports, arguments.config);
    } catch (const engine::PlatformError&) {
        return kExitNoConfiguration;
    }
    if (arguments.registerIt) {
        const long result = swserver::registerServer(
            root, swserver::servedClasses(installation.versions), programPath(), arguments.config);
        return result == ERROR_SUCCESS ? kExitServed : kExitRegistrationFailed;
    }

    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return kExitComFailed;
    const int code = arguments.solidWorks ? runSolidWorks(ports, std::move(installation))
                                          : serve(ports, std::move(installation), arguments.config);
    CoUninitialize();
    return code;
}
