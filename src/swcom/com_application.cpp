#include "swcom/com_application.h"

#include "swcom/com_document.h"
#include "swcom/com_objects.h"

namespace quorrix::swcom {

bool ComApplication::Visible()
{
    return m_dispatch.get(L"Visible").toBool();
}

void ComApplication::Visible(bool visible)
{
    m_dispatch.put(L"Visible", visible);
}

bool ComApplication::UserControl()
{
    return m_dispatch.get(L"UserControl").toBool();
}

void ComApplication::UserControl(bool userControl)
{
    m_dispatch.put(L"UserControl", userControl);
}

std::string ComApplication::RevisionNumber()
{
    return m_dispatch.call(L"RevisionNumber").toString();
}

std::shared_ptr<engine::SwDocument> ComApplication::OpenDoc2(const std::string& fileName,
    std::int32_t type, bool& readOnly, bool& viewOnly, bool silent, std::int32_t& errors)
{
    VARIANT_BOOL readOnlyOut = readOnly ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT_BOOL viewOnlyOut = viewOnly ? VARIANT_TRUE : VARIANT_FALSE;
    LONG errorsOut = errors;
    const Variant document = m_dispatch.call(L"OpenDoc2",
        { fileName, type, Variant::ref(readOnlyOut), Variant::ref(viewOnlyOut), silent,
            Variant::ref(errorsOut) });
    readOnly = readOnlyOut != VARIANT_FALSE;
    viewOnly = viewOnlyOut != VARIANT_FALSE;
    errors = errorsOut;
    return m_dispatch.wrap<ComDocument>(document);
}

std::shared_ptr<engine::SwDocument> ComApplication::ActivateDoc(const std::string& name)
{
    return m_dispatch.wrap<ComDocument>(m_dispatch.call(L"ActivateDoc", { name }));
}

std::shared_ptr<engine::SwDocument> ComApplication::ActiveDoc()
{
    return m_dispatch.wrap<ComDocument>(m_dispatch.get(L"ActiveDoc"));
}

void ComApplication::CloseDoc(const std::string& title)
{
    m_dispatch.call(L"CloseDoc", { title });
}

void ComApplication::ExitApp()
{
    // Ending takes SolidWorks a while after the call; its object answers until then.
    m_exitAsked = true;
    m_dispatch.call(L"ExitApp");
}

bool ComApplication::RunMacro(
    const std::string& fileName, const std::string& module, const std::string& procedure)
{
    return m_dispatch.call(L"RunMacro", { fileName, module, procedure }).toBool();
}

std::string ComApplication::ActivePrinter()
{
    return m_dispatch.get(L"ActivePrinter").toString();
}

void ComApplication::ActivePrinter(const std::string& printerName)
{
    m_dispatch.put(L"ActivePrinter", printerName);
}

std::int32_t ComApplication::LoadAddIn(const std::string& fileName)
{
    return m_dispatch.call(L"LoadAddIn", { fileName }).toInt32();
}

std::shared_ptr<engine::SwExportPdfData> ComApplication::GetExportFileData(std::int32_t fileType)
{
    return m_dispatch.wrap<ComExportPdfData>(m_dispatch.call(L"GetExportFileData", { fileType }));
}

engine::ProcessEnder ComApplication::GetProcessEnder()
{
    const std::int32_t process = m_dispatch.call(L"GetProcessID").toInt32();
    return [process] {
        if (process <= 0)
            return false;
        HANDLE handle
            = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, static_cast<DWORD>(process));
        if (handle == nullptr)
            return GetLastError() == ERROR_INVALID_PARAMETER; // gone already
        const bool ended = TerminateProcess(handle, 1) != FALSE
            && WaitForSingleObject(handle, 10000) == WAIT_OBJECT_0;
        CloseHandle(handle);
        return ended;
    };
}

} // namespace quorrix::swcom
