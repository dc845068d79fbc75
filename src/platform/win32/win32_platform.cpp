#include "platform/platform_ports.h"

#include <vector>

#include <windows.h>

#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_key_value_store.h"
#include "platform/win32/win32_regional_format.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text.h"

namespace quorrix::platform {

namespace {

std::wstring modulePath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length
            = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            throwLastError();
        // A full buffer means the path was cut short.
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string programFolder()
{
    std::wstring path = modulePath();
    const std::size_t separator = path.find_last_of(L"\\/");
    path.resize(separator == std::wstring::npos ? 0 : separator);
    return utf8FromUtf16(path);
}

// The program's folder in one of the user's known folders, created when missing.
std::string userFolder(REFKNOWNFOLDERID known)
{
    PWSTR base = nullptr;
    const HRESULT hr = SHGetKnownFolderPath(known, KF_FLAG_CREATE, nullptr, &base);
    std::wstring folder;
    if (SUCCEEDED(hr) && base)
        folder = base;
    CoTaskMemFree(base);
    if (FAILED(hr))
        throwPlatformError(static_cast<unsigned long>(hr));
    folder += L"\\QUORRIX";
    // Failing here is not fatal: whatever writes into the folder reports the error then.
    CreateDirectoryW(folder.c_str(), nullptr);
    return utf8FromUtf16(folder);
}

} // namespace

PlatformPorts createPlatformPorts()
{
    PlatformPorts ports;
    ports.store = std::make_unique<Win32KeyValueStore>();
    ports.files = std::make_unique<Win32FileSystem>();
    ports.regional = std::make_unique<Win32RegionalFormat>();
    ports.clock = std::make_unique<Win32Clock>();
    ports.shell = std::make_unique<Win32Shell>();
    ports.programFolder = programFolder();
    ports.userDataFolder = userFolder(FOLDERID_LocalAppData);
    ports.userConfigFolder = userFolder(FOLDERID_RoamingAppData);
    return ports;
}

} // namespace quorrix::platform

namespace quorrix::platform {

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide == nullptr) {
        for (int i = 1; i < argc; ++i)
            arguments.emplace_back(argv[i]);
        return arguments;
    }
    for (int i = 1; i < count; ++i)
        arguments.push_back(utf8FromUtf16(wide[i]));
    LocalFree(wide);
    return arguments;
}

void prepareConsole()
{
    SetConsoleOutputCP(CP_UTF8);
}

bool standardErrorIsTerminal()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

} // namespace quorrix::platform
