#include "swsim/sim_objects.h"

namespace quorrix::swsim {

namespace {

Call begin(const DocContext& c, JournalEntry entry)
{
    return Call(*c.state, *c.life, c.doc ? &c.doc->faults : nullptr, std::move(entry));
}

std::string titleOf(const DocContext& c)
{
    return c.doc ? c.doc->model.title : std::string();
}

} // namespace

// ---- SimSheet ----

SimSheet::SimSheet(DocContext context, std::size_t index)
    : m_context(std::move(context))
    , m_index(index)
{
}

std::string SimSheet::GetName()
{
    const SheetModel& sheet = m_context.doc->model.sheets.at(m_index);
    Call call = begin(m_context, m_context.entry("Sheet", sheet.name, "GetName"));
    return call.ret(sheet.name);
}

std::vector<double> SimSheet::GetProperties()
{
    const SheetModel& sheet = m_context.doc->model.sheets.at(m_index);
    Call call = begin(m_context, m_context.entry("Sheet", sheet.name, "GetProperties"));
    // Paper size, template, scale 1:1, first angle, width, height, same custom properties.
    std::vector<double> properties { static_cast<double>(sheet.paperSize), 12, 1, 1, 1, sheet.width,
        sheet.height, 1 };
    std::vector<std::string> texts;
    for (double value : properties)
        texts.push_back(journalText(value));
    call.finish(journalText(texts));
    return properties;
}

// ---- SimView ----

SimView::SimView(DocContext context, std::size_t sheet, std::size_t position)
    : m_context(std::move(context))
    , m_sheet(sheet)
    , m_position(position)
{
}

ViewModel* SimView::view()
{
    SheetModel& sheet = m_context.doc->model.sheets.at(m_sheet);
    return m_position == 0 ? nullptr : &sheet.views.at(m_position - 1);
}

std::string SimView::target() const
{
    const SheetModel& sheet = m_context.doc->model.sheets.at(m_sheet);
    return m_position == 0 ? sheet.name : sheet.name + " view " + std::to_string(m_position);
}

std::shared_ptr<engine::SwView> SimView::GetNextView()
{
    Call call = begin(m_context, m_context.entry("View", target(), "GetNextView"));
    const SheetModel& sheet = m_context.doc->model.sheets.at(m_sheet);
    if (m_position >= sheet.views.size()) {
        call.finish("Nothing");
        return nullptr;
    }
    call.finish("View");
    return std::make_shared<SimView>(m_context, m_sheet, m_position + 1);
}

bool SimView::GetFacettedHlrDisplay()
{
    Call call = begin(m_context, m_context.entry("View", target(), "GetFacettedHlrDisplay"));
    return call.ret(view() != nullptr && view()->facetted);
}

std::int16_t SimView::GetDisplayMode()
{
    Call call = begin(m_context, m_context.entry("View", target(), "GetDisplayMode"));
    return call.ret(static_cast<std::int16_t>(view() ? view()->mode : 3));
}

bool SimView::GetDisplayEdgesInShadedMode()
{
    Call call = begin(m_context, m_context.entry("View", target(), "GetDisplayEdgesInShadedMode"));
    return call.ret(view() != nullptr && view()->edges);
}

bool SimView::GetUseParentDisplayMode()
{
    Call call = begin(m_context, m_context.entry("View", target(), "GetUseParentDisplayMode"));
    return call.ret(view() == nullptr || view()->useParent);
}

bool SimView::SetDisplayMode2(std::int32_t mode, bool facetted, bool edges)
{
    Call call = begin(m_context,
        m_context.entry("View", target(), "SetDisplayMode2",
            { journalText(mode), journalText(facetted), journalText(edges) }));
    ViewModel* model = view();
    if (model == nullptr)
        return call.ret(false);
    model->mode = static_cast<std::int16_t>(mode);
    model->facetted = facetted;
    model->edges = edges;
    return call.ret(true);
}

bool SimView::SetDisplayMode3(bool useParent, std::int32_t mode, bool facetted, bool edges)
{
    Call call = begin(m_context,
        m_context.entry("View", target(), "SetDisplayMode3",
            { journalText(useParent), journalText(mode), journalText(facetted),
                journalText(edges) }));
    ViewModel* model = view();
    if (model == nullptr)
        return call.ret(false);
    model->useParent = useParent;
    model->mode = static_cast<std::int16_t>(mode);
    model->facetted = facetted;
    model->edges = edges;
    return call.ret(true);
}

// ---- SimPageSetup ----

SimPageSetup::SimPageSetup(DocContext context)
    : m_context(std::move(context))
{
}

std::int32_t SimPageSetup::PrinterPaperSize()
{
    Call call
        = begin(m_context, m_context.entry("PageSetup", titleOf(m_context), "PrinterPaperSize"));
    return call.ret(m_context.doc->paperSize.value_or(-1));
}

void SimPageSetup::PrinterPaperSize(std::int32_t paperCode)
{
    Call call = begin(m_context,
        m_context.entry(
            "PageSetup", titleOf(m_context), "PrinterPaperSize=", { journalText(paperCode) }));
    m_context.doc->paperSize = paperCode;
    call.done();
}

std::int32_t SimPageSetup::Orientation()
{
    Call call = begin(m_context, m_context.entry("PageSetup", titleOf(m_context), "Orientation"));
    return call.ret(m_context.doc->orientation.value_or(0));
}

void SimPageSetup::Orientation(std::int32_t orientation)
{
    Call call = begin(m_context,
        m_context.entry(
            "PageSetup", titleOf(m_context), "Orientation=", { journalText(orientation) }));
    m_context.doc->orientation = orientation;
    call.done();
}

std::int16_t SimPageSetup::DrawingColor()
{
    Call call = begin(m_context, m_context.entry("PageSetup", titleOf(m_context), "DrawingColor"));
    return call.ret(m_context.doc->drawingColor);
}

void SimPageSetup::DrawingColor(std::int16_t color)
{
    Call call = begin(m_context,
        m_context.entry("PageSetup", titleOf(m_context), "DrawingColor=", { journalText(color) }));
    m_context.doc->drawingColor = color;
    call.done();
}

bool SimPageSetup::SetHeader(
    const std::string& left, const std::string& center, const std::string& right)
{
    Call call = begin(m_context,
        m_context.entry("PageSetup", titleOf(m_context), "SetHeader",
            { journalText(left), journalText(center), journalText(right) }));
    m_context.doc->headerCleared = left.empty() && center.empty() && right.empty();
    return call.ret(true);
}

bool SimPageSetup::SetFooter(
    const std::string& left, const std::string& center, const std::string& right)
{
    Call call = begin(m_context,
        m_context.entry("PageSetup", titleOf(m_context), "SetFooter",
            { journalText(left), journalText(center), journalText(right) }));
    m_context.doc->footerCleared = left.empty() && center.empty() && right.empty();
    return call.ret(true);
}

// ---- SimExportPdfData ----

SimExportPdfData::SimExportPdfData(DocContext context)
    : m_context(std::move(context))
{
}

bool SimExportPdfData::SetSheets(std::int32_t which, const std::vector<std::string>& sheetNames)
{
    Call call = begin(m_context,
        m_context.entry("ExportPdfData", titleOf(m_context), "SetSheets",
            { journalText(which), journalText(sheetNames) }));
    // 1 exports the named sheets; the other choices (current sheet, all) are not needed.
    if (which != 1)
        return call.ret(false);
    m_sheets = sheetNames;
    return call.ret(true);
}

std::vector<std::string> SimExportPdfData::GetSheets()
{
    Call call = begin(m_context, m_context.entry("ExportPdfData", titleOf(m_context), "GetSheets"));
    std::vector<std::string> sheets = m_sheets.value_or(std::vector<std::string> {});
    call.finish(journalText(sheets));
    return sheets;
}

bool SimExportPdfData::ExportAs3D()
{
    Call call
        = begin(m_context, m_context.entry("ExportPdfData", titleOf(m_context), "ExportAs3D"));
    return call.ret(m_as3D);
}

void SimExportPdfData::ExportAs3D(bool on)
{
    Call call = begin(m_context,
        m_context.entry("ExportPdfData", titleOf(m_context), "ExportAs3D=", { journalText(on) }));
    m_as3D = on;
    call.done();
}

// ---- SimExtension ----

SimExtension::SimExtension(DocContext context)
    : m_context(std::move(context))
{
}

std::int32_t SimExtension::UsePageSetup()
{
    Call call = begin(m_context, m_context.entry("Extension", titleOf(m_context), "UsePageSetup"));
    return call.ret(m_context.doc->usePageSetup);
}

void SimExtension::UsePageSetup(std::int32_t source)
{
    Call call = begin(m_context,
        m_context.entry("Extension", titleOf(m_context), "UsePageSetup=", { journalText(source) }));
    m_context.doc->usePageSetup = source;
    call.done();
}

bool SimExtension::SaveAs(const std::string& path, std::int32_t version, std::int32_t options,
    engine::SwExportPdfData* exportData, std::int32_t& errors, std::int32_t& warnings)
{
    Call call = begin(m_context,
        m_context.entry("Extension", titleOf(m_context), "SaveAs",
            { journalText(path), journalText(version), journalText(options),
                exportData ? "ExportPdfData" : "Nothing" }));
    SaveRequest request { path, {}, false, {} };
    if (const auto* data = dynamic_cast<SimExportPdfData*>(exportData)) {
        request.sheets = data->sheets();
        request.as3D = data->as3D();
    }
    warnings = 0;
    errors = request.sheets && request.sheets->empty() ? 1 : saveDocument(m_context, request);
    call.finish(journalText(errors == 0) + " errors=" + journalText(errors));
    return errors == 0;
}

} // namespace quorrix::swsim
