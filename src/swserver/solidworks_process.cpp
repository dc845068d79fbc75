#include "swserver/solidworks_process.h"

#include <cstring>
#include <vector>

#include <objbase.h>

#include "engine/swlink/solidworks.h"
#include "swcom/dispatcher.h"

namespace quorrix::swserver {

namespace {

// The marshalled connector is a few hundred bytes; more is not a connector.
constexpr DWORD kLargestHandOver = 1 << 16;

bool readAll(HANDLE pipe, void* data, DWORD size)
{
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        DWORD read = 0;
        if (!ReadFile(pipe, bytes, size, &read, nullptr) || read == 0)
            return false;
        bytes += read;
        size -= read;
    }
    return true;
}

bool writeAll(HANDLE pipe, const void* data, DWORD size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(pipe, bytes, size, &written, nullptr) || written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

HRESULT unmarshal(const std::vector<char>& bytes, IDispatch** object)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory)
        return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    HRESULT result = CreateStreamOnHGlobal(memory, TRUE, &stream);
    if (FAILED(result)) {
        GlobalFree(memory);
        return result;
    }
    result = CoUnmarshalInterface(stream, IID_IDispatch, reinterpret_cast<void**>(object));
    stream->Release();
    return result;
}

} // namespace

SolidWorksProcess::SolidWorksProcess(std::wstring program, std::wstring configPath)
    : m_program(std::move(program))
    , m_configPath(std::move(configPath))
{
}

SolidWorksProcess::~SolidWorksProcess()
{
    forget();
}

void SolidWorksProcess::forget()
{
    if (m_connector)
        m_connector->Release();
    m_connector = nullptr;
    if (m_process)
        CloseHandle(m_process);
    m_process = nullptr;
}

bool SolidWorksProcess::running() const
{
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

HRESULT SolidWorksProcess::start()
{
    forget();
    SECURITY_ATTRIBUTES inherit { sizeof inherit, nullptr, TRUE };
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return HRESULT_FROM_WIN32(GetLastError());
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    std::wstring command = L"\"" + m_program + L"\" --solidworks";
    if (!m_configPath.empty())
        command += L" --config \"" + m_configPath + L"\"";
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process {};
    const BOOL started = CreateProcessW(m_program.c_str(), command.data(), nullptr, nullptr, TRUE,
        0, nullptr, nullptr, &startup, &process);
    const DWORD startError = GetLastError();
    CloseHandle(writeEnd); // the pipe ends when the new process closes its end or ends
    if (!started) {
        CloseHandle(readEnd);
        return HRESULT_FROM_WIN32(startError);
    }
    CloseHandle(process.hThread);
    m_process = process.hProcess;

    DWORD size = 0;
    std::vector<char> bytes;
    bool received = readAll(readEnd, &size, sizeof size) && size > 0 && size <= kLargestHandOver;
    if (received) {
        bytes.resize(size);
        received = readAll(readEnd, bytes.data(), size);
    }
    CloseHandle(readEnd);
    if (!received)
        return CO_E_SERVER_EXEC_FAILURE;
    return unmarshal(bytes, &m_connector);
}

HRESULT SolidWorksProcess::createObject(const std::string& progId, IDispatch** object)
{
    *object = nullptr;
    // A SolidWorks that ended between two connects is started anew, once per connect.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!running() || !m_connector) {
            if (const HRESULT started = start(); FAILED(started))
                return started;
        }
        try {
            swcom::Dispatcher connector(m_connector, nullptr);
            const swcom::Variant result = connector.call(L"CreateObject", { progId }).toObject();
            if (!result.object())
                return E_UNEXPECTED;
            *object = result.object();
            (*object)->AddRef();
            return S_OK;
        } catch (const engine::AutomationError& error) {
            if (running() || attempt > 0)
                return static_cast<HRESULT>(error.number());
            WaitForSingleObject(m_process, 5000);
        }
    }
    return CO_E_SERVER_EXEC_FAILURE;
}

bool handOverConnector(IDispatch* connector)
{
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return false;
    bool handed = SUCCEEDED(CoMarshalInterface(
        stream, IID_IDispatch, connector, MSHCTX_LOCAL, nullptr, MSHLFLAGS_NORMAL));
    HGLOBAL memory = nullptr;
    if (handed)
        handed = SUCCEEDED(GetHGlobalFromStream(stream, &memory));
    if (handed) {
        ULARGE_INTEGER end {};
        stream->Seek({}, STREAM_SEEK_CUR, &end);
        const auto size = static_cast<DWORD>(end.QuadPart);
        const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        const void* data = GlobalLock(memory);
        handed = writeAll(out, &size, sizeof size) && writeAll(out, data, size);
        GlobalUnlock(memory);
        CloseHandle(out);
        SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
    }
    stream->Release();
    return handed;
}

} // namespace quorrix::swserver
