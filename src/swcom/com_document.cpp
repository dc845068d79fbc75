#include "swcom/com_document.h"

#include "swcom/com_objects.h"

namespace quorrix::swcom {

std::int32_t ComDocument::GetType()
{
    return m_dispatch.call(L"GetType").toInt32();
}

std::string ComDocument::GetTitle()
{
    return m_dispatch.call(L"GetTitle").toString();
}

std::string ComDocument::GetPathName()
{
    return m_dispatch.call(L"GetPathName").toString();
}

void ComDocument::PrintOut2(std::int32_t fromPage, std::int32_t toPage, std::int32_t copies,
    bool collate, const std::string& printer, double scale, bool printToFile,
    const std::string& printToFileName)
{
    m_dispatch.call(L"PrintOut2",
        { fromPage, toPage, copies, collate, printer, scale, printToFile, printToFileName });
}

std::int32_t ComDocument::SaveAs2(
    const std::string& path, std::int32_t version, bool saveAsCopy, bool silent)
{
    return m_dispatch.call(L"SaveAs2", { path, version, saveAsCopy, silent }).toInt32();
}

bool ComDocument::SaveAs4(const std::string& path, std::int32_t version, std::int32_t options,
    std::int32_t& errors, std::int32_t& warnings)
{
    LONG errorsOut = errors;
    LONG warningsOut = warnings;
    const bool saved
        = m_dispatch
              .call(L"SaveAs4",
                  { path, version, options, Variant::ref(errorsOut), Variant::ref(warningsOut) })
              .toBool();
    errors = errorsOut;
    warnings = warningsOut;
    return saved;
}

std::shared_ptr<engine::SwPageSetup> ComDocument::PageSetup()
{
    return m_dispatch.wrap<ComPageSetup>(m_dispatch.get(L"PageSetup"));
}

std::shared_ptr<engine::SwModelDocExtension> ComDocument::Extension()
{
    return m_dispatch.wrap<ComExtension>(m_dispatch.get(L"Extension"));
}

std::string ComDocument::Printer()
{
    return m_dispatch.get(L"Printer").toString();
}

void ComDocument::Printer(const std::string& printerName)
{
    m_dispatch.put(L"Printer", printerName);
}

std::int32_t ComDocument::PrintSetup(std::int32_t index)
{
    return m_dispatch.get(L"PrintSetup", { index }).toInt32();
}

void ComDocument::PrintSetup(std::int32_t index, std::int32_t value)
{
    m_dispatch.put(L"PrintSetup", value, { index });
}

std::int32_t ComDocument::GetSheetCount()
{
    return m_dispatch.call(L"GetSheetCount").toInt32();
}

std::vector<std::string> ComDocument::GetSheetNames()
{
    return m_dispatch.call(L"GetSheetNames").toStrings();
}

std::shared_ptr<engine::SwSheet> ComDocument::GetCurrentSheet()
{
    return m_dispatch.wrap<ComSheet>(m_dispatch.call(L"GetCurrentSheet"));
}

bool ComDocument::ActivateSheet(const std::string& name)
{
    return m_dispatch.call(L"ActivateSheet", { name }).toBool();
}

std::shared_ptr<engine::SwView> ComDocument::GetFirstView()
{
    return m_dispatch.wrap<ComView>(m_dispatch.call(L"GetFirstView"));
}

std::vector<std::string> ComDocument::GetConfigurationNames()
{
    return m_dispatch.call(L"GetConfigurationNames").toStrings();
}

} // namespace quorrix::swcom
