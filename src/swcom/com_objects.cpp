#include "swcom/com_objects.h"

#include <utility>

namespace quorrix::swcom {

ComSheet::ComSheet(IDispatch* object, std::shared_ptr<ComLink> link)
    : m_dispatch(object, std::move(link))
{
}

std::string ComSheet::GetName()
{
    return m_dispatch.call(L"GetName").toString();
}

std::vector<double> ComSheet::GetProperties()
{
    return m_dispatch.call(L"GetProperties").toDoubles();
}

ComView::ComView(IDispatch* object, std::shared_ptr<ComLink> link)
    : m_dispatch(object, std::move(link))
{
}

std::shared_ptr<engine::SwView> ComView::GetNextView()
{
    return m_dispatch.wrap<ComView>(m_dispatch.call(L"GetNextView"));
}

bool ComView::GetFacettedHlrDisplay()
{
    return m_dispatch.call(L"GetFacettedHlrDisplay").toBool();
}

std::int16_t ComView::GetDisplayMode()
{
    return m_dispatch.call(L"GetDisplayMode").toInt16();
}

bool ComView::GetDisplayEdgesInShadedMode()
{
    return m_dispatch.call(L"GetDisplayEdgesInShadedMode").toBool();
}

bool ComView::GetUseParentDisplayMode()
{
    return m_dispatch.call(L"GetUseParentDisplayMode").toBool();
}

bool ComView::SetDisplayMode2(std::int32_t mode, bool facetted, bool edges)
{
    return m_dispatch.call(L"SetDisplayMode2", { mode, facetted, edges }).toBool();
}

bool ComView::SetDisplayMode3(bool useParent, std::int32_t mode, bool facetted, bool edges)
{
    return m_dispatch.call(L"SetDisplayMode3", { useParent, mode, facetted, edges }).toBool();
}

ComPageSetup::ComPageSetup(IDispatch* object, std::shared_ptr<ComLink> link)
    : m_dispatch(object, std::move(link))
{
}

std::int32_t ComPageSetup::PrinterPaperSize()
{
    return m_dispatch.get(L"PrinterPaperSize").toInt32();
}

void ComPageSetup::PrinterPaperSize(std::int32_t paperCode)
{
    m_dispatch.put(L"PrinterPaperSize", paperCode);
}

std::int32_t ComPageSetup::Orientation()
{
    return m_dispatch.get(L"Orientation").toInt32();
}

void ComPageSetup::Orientation(std::int32_t orientation)
{
    m_dispatch.put(L"Orientation", orientation);
}

std::int16_t ComPageSetup::DrawingColor()
{
    return m_dispatch.get(L"DrawingColor").toInt16();
}

void ComPageSetup::DrawingColor(std::int16_t color)
{
    m_dispatch.put(L"DrawingColor", color);
}

bool ComPageSetup::SetHeader(
    const std::string& left, const std::string& center, const std::string& right)
{
    return m_dispatch.call(L"SetHeader", { left, center, right }).toBool();
}

bool ComPageSetup::SetFooter(
    const std::string& left, const std::string& center, const std::string& right)
{
    return m_dispatch.call(L"SetFooter", { left, center, right }).toBool();
}

ComExportPdfData::ComExportPdfData(IDispatch* object, std::shared_ptr<ComLink> link)
    : m_dispatch(object, std::move(link))
{
}

bool ComExportPdfData::SetSheets(std::int32_t which, const std::vector<std::string>& sheetNames)
{
    return m_dispatch.call(L"SetSheets", { which, sheetNames }).toBool();
}

std::vector<std::string> ComExportPdfData::GetSheets()
{
    return m_dispatch.call(L"GetSheets").toStrings();
}

bool ComExportPdfData::ExportAs3D()
{
    return m_dispatch.get(L"ExportAs3D").toBool();
}

void ComExportPdfData::ExportAs3D(bool on)
{
    m_dispatch.put(L"ExportAs3D", on);
}

ComExtension::ComExtension(IDispatch* object, std::shared_ptr<ComLink> link)
    : m_dispatch(object, std::move(link))
{
}

std::int32_t ComExtension::UsePageSetup()
{
    return m_dispatch.get(L"UsePageSetup").toInt32();
}

void ComExtension::UsePageSetup(std::int32_t source)
{
    m_dispatch.put(L"UsePageSetup", source);
}

bool ComExtension::SaveAs(const std::string& path, std::int32_t version, std::int32_t options,
    engine::SwExportPdfData* exportData, std::int32_t& errors, std::int32_t& warnings)
{
    const auto* data = dynamic_cast<const ComExportPdfData*>(exportData);
    LONG errorsOut = errors;
    LONG warningsOut = warnings;
    const bool saved = m_dispatch
                           .call(L"SaveAs",
                               { path, version, options, data ? data->object() : nullptr,
                                   Variant::ref(errorsOut), Variant::ref(warningsOut) })
                           .toBool();
    errors = errorsOut;
    warnings = warningsOut;
    return saved;
}

} // namespace quorrix::swcom
