#include "platform/win32/win32_shell.h"

#include <cstdint>
#include <vector>

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_text.h"

namespace quorrix::platform {

namespace {

HANDLE processHandle(std::int64_t process)
{
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(process));
}

const wchar_t* orNull(const std::wstring& text)
{
    return text.empty() ? nullptr : text.c_str();
}

// ShellExecuteEx reports some failures only through the thread's last error; turn them
// into the shell's own codes, which never look like success.
std::int32_t shellErrorCode(DWORD error)
{
    switch (error) {
    case ERROR_NO_ASSOCIATION:
        return SE_ERR_NOASSOC;
    case ERROR_DLL_NOT_FOUND:
        return SE_ERR_DLLNOTFOUND;
    case ERROR_DDE_FAIL:
        return SE_ERR_DDEFAIL;
    case ERROR_CANCELLED:
        return SE_ERR_ACCESSDENIED;
    default:
        return error > 0 && error <= 32 ? static_cast<std::int32_t>(error) : 0;
    }
}

// Some shell verbs are carried out by COM objects, which need the thread initialised. The
// user-interface thread has done that already; the headless runner has not.
class ComScope {
public:
    ComScope()
        : m_ok(
            SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
    {
    }
    ~ComScope()
    {
        if (m_ok)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool m_ok;
};

std::wstring systemFolder()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const UINT length = GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0)
            throwLastError();
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(length);
    }
}

} // namespace

std::wstring quoteCommandLineArgument(const std::wstring& argument)
{
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            // Backslashes before a quote escape each other, and one more escapes the quote.
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted += c;
    }
    // Backslashes before the closing quote would escape it unless doubled.
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring printerPropertiesCommandLine(const std::wstring& printerName)
{
    return L"rundll32.exe printui.dll,PrintUIEntry /e /n " + quoteCommandLineArgument(printerName);
}

engine::ShellResult Win32Shell::execute(const engine::ShellRequest& request)
{
    const std::wstring verb = utf16FromUtf8(request.verb);
    const std::wstring file = utf16FromUtf8(request.file);
    const std::wstring parameters = utf16FromUtf8(request.parameters);
    const std::wstring directory = utf16FromUtf8(request.directory);

    SHELLEXECUTEINFOW info {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    if (request.wantProcess)
        info.fMask |= SEE_MASK_NOCLOSEPROCESS;
    if (request.expandEnvironment)
        info.fMask |= SEE_MASK_DOENVSUBST;
    info.hwnd = reinterpret_cast<HWND>(request.owner);
    info.lpVerb = orNull(verb);
    info.lpFile = file.c_str();
    info.lpParameters = orNull(parameters);
    info.lpDirectory = orNull(directory);
    info.nShow = request.showMode;

    BOOL ok = FALSE;
    DWORD error = ERROR_SUCCESS;
    {
        ComScope com;
        ok = ShellExecuteExW(&info);
        error = GetLastError();
    }

    engine::ShellResult result;
    const auto instance = reinterpret_cast<std::intptr_t>(info.hInstApp);
    if (ok) {
        // hInstApp is only meaningful for failures; success must read as success.
        result.instance
            = instance > 32 && instance <= INT32_MAX ? static_cast<std::int32_t>(instance) : 42;
        if (request.wantProcess && info.hProcess)
            result.process
                = static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(info.hProcess));
    } else {
        result.instance = instance > 0 && instance <= 32 ? static_cast<std::int32_t>(instance)
                                                         : shellErrorCode(error);
        if (info.hProcess)
            CloseHandle(info.hProcess);
    }
    return result;
}

bool Win32Shell::isProcessRunning(std::int64_t process)
{
    // Asking the exit code cannot tell a running process from one that ended with the code
    // 259 (STILL_ACTIVE), which would then seem to run forever; the handle's signal can.
    if (process == 0)
        return false;
    return WaitForSingleObject(processHandle(process), 0) == WAIT_TIMEOUT;
}

void Win32Shell::releaseProcess(std::int64_t process)
{
    if (process != 0)
        CloseHandle(processHandle(process));
}

void Win32Shell::showPrinterProperties(const std::string& printerName)
{
    // The program is named with its full path so no rundll32.exe in the current folder is
    // picked up instead; the printer name is one quoted argument and never passes a shell.
    const std::wstring program = systemFolder() + L"\\rundll32.exe";
    std::wstring commandLine = printerPropertiesCommandLine(utf16FromUtf8(printerName));

    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
            nullptr, &startup, &started))
        throwLastError();
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
}

std::string Win32Shell::temporaryFolder()
{
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            throwLastError();
        if (length < buffer.size()) {
            std::wstring folder(buffer.data(), length);
            if (folder.back() != L'\\' && folder.back() != L'/')
                folder += L'\\';
            return utf8FromUtf16(folder);
        }
        buffer.resize(length + 1); // the length asked for counts the NUL
    }
}

} // namespace quorrix::platform
