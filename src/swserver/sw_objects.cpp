#include "swserver/sw_objects.h"

#include <utility>

#include "swserver/server_state.h"
#include "swsim/sim_document.h"

namespace quorrix::swserver {

namespace {

// Asks an object of this server for itself, which no client can.
// {5B0C6C1E-2F4A-4D7B-9C1E-6A8D2F3B4C51}
constexpr GUID kExportDataSelf
    = { 0x5b0c6c1e, 0x2f4a, 0x4d7b, { 0x9c, 0x1e, 0x6a, 0x8d, 0x2f, 0x3b, 0x4c, 0x51 } };

template <class Object, class Value>
IDispatch* wrapped(ServerState& state, std::shared_ptr<Value> value)
{
    return value ? newObject<Object>(state, std::move(value)) : nullptr;
}

// The preference members that the application and a document share.
template <class Add> void addPreferences(Add add, engine::SwUserPreferences& target)
{
    add(L"GetUserPreferenceDoubleValue",
        [&target](Invocation& c) { c.result(target.GetUserPreferenceDoubleValue(c.int32(0))); });
    add(L"SetUserPreferenceDoubleValue", [&target](Invocation& c) {
        c.result(target.SetUserPreferenceDoubleValue(c.int32(0), c.real(1)));
    });
    add(L"GetUserPreferenceIntegerValue",
        [&target](Invocation& c) { c.result(target.GetUserPreferenceIntegerValue(c.int32(0))); });
    add(L"SetUserPreferenceIntegerValue", [&target](Invocation& c) {
        c.result(target.SetUserPreferenceIntegerValue(c.int32(0), c.int32(1)));
    });
    add(L"GetUserPreferenceToggle",
        [&target](Invocation& c) { c.result(target.GetUserPreferenceToggle(c.int32(0))); });
    add(L"SetUserPreferenceToggle", [&target](Invocation& c) {
        c.result(target.SetUserPreferenceToggle(c.int32(0), c.flag(1)));
    });
    add(L"GetUserPreferenceStringListValue", [&target](Invocation& c) {
        c.result(target.GetUserPreferenceStringListValue(c.int32(0)));
    });
    add(L"SetUserPreferenceStringListValue", [&target](Invocation& c) {
        c.result(target.SetUserPreferenceStringListValue(c.int32(0), c.text(1)));
    });
}

} // namespace

ConnectorObject::ConnectorObject(ServerState& server)
    : ServerObject(server, false)
{
    member(L"CreateObject", [this](Invocation& c) { c.result(state().connect(c.text(0))); });
}

ApplicationObject::ApplicationObject(
    ServerState& server, std::shared_ptr<engine::SwApplication> application)
    : ServerObject(server)
    , m_application(std::move(application))
{
    engine::SwApplication& app = *m_application;
    addPreferences([this](const wchar_t* name, Handler run) { member(name, std::move(run)); }, app);
    member(
        L"Visible", [&app](Invocation& c) { c.result(app.Visible()); },
        [&app](Invocation& c) { app.Visible(c.putFlag()); });
    member(
        L"UserControl", [&app](Invocation& c) { c.result(app.UserControl()); },
        [&app](Invocation& c) { app.UserControl(c.putFlag()); });
    member(L"RevisionNumber", [&app](Invocation& c) { c.result(app.RevisionNumber()); });
    member(L"OpenDoc2", [this, &app](Invocation& c) {
        bool readOnly = c.refFlag(2);
        bool viewOnly = c.refFlag(3);
        std::int32_t errors = c.refInt32(5);
        std::shared_ptr<engine::SwDocument> document
            = app.OpenDoc2(c.text(0), c.int32(1), readOnly, viewOnly, c.flag(4), errors);
        c.setRef(2, readOnly);
        c.setRef(3, viewOnly);
        c.setRef(5, errors);
        if (const auto* simDocument = dynamic_cast<const swsim::SimDocument*>(document.get())) {
            const swsim::DocContext& context = simDocument->context();
            state().documentOpened(context.doc.get(), context.doc->model.faults.busyCalls);
        }
        c.result(wrapped<DocumentObject>(state(), std::move(document)));
    });
    member(L"ActivateDoc", [this, &app](Invocation& c) {
        c.result(wrapped<DocumentObject>(state(), app.ActivateDoc(c.text(0))));
    });
    member(L"ActiveDoc", [this, &app](Invocation& c) {
        c.result(wrapped<DocumentObject>(state(), app.ActiveDoc()));
    });
    member(L"CloseDoc", [&app](Invocation& c) { app.CloseDoc(c.text(0)); });
    member(L"ExitApp", [this, &app](Invocation&) {
        app.ExitApp();
        state().exitRequested();
    });
    member(L"RunMacro",
        [&app](Invocation& c) { c.result(app.RunMacro(c.text(0), c.text(1), c.text(2))); });
    member(
        L"ActivePrinter", [&app](Invocation& c) { c.result(app.ActivePrinter()); },
        [&app](Invocation& c) { app.ActivePrinter(c.putText()); });
    member(L"LoadAddIn", [&app](Invocation& c) { c.result(app.LoadAddIn(c.text(0))); });
    member(L"GetExportFileData", [this, &app](Invocation& c) {
        c.result(wrapped<ExportDataObject>(state(), app.GetExportFileData(c.int32(0))));
    });
    // The program ends a SolidWorks that does not answer by this process id; the stand-in
    // only notes the question.
    member(L"GetProcessID", [&app](Invocation& c) {
        app.GetProcessEnder();
        c.result(static_cast<std::int32_t>(GetCurrentProcessId()));
    });
}

ApplicationObject::~ApplicationObject()
{
    state().applicationObjectGone(this);
}

DocumentObject::DocumentObject(ServerState& server, std::shared_ptr<engine::SwDocument> document)
    : ServerObject(server)
    , m_document(std::move(document))
{
    engine::SwDocument& doc = *m_document;
    addPreferences([this](const wchar_t* name, Handler run) { member(name, std::move(run)); }, doc);
    member(L"GetType", [&doc](Invocation& c) { c.result(doc.GetType()); });
    member(L"GetTitle", [&doc](Invocation& c) { c.result(doc.GetTitle()); });
    member(L"GetPathName", [&doc](Invocation& c) { c.result(doc.GetPathName()); });
    member(L"PrintOut2", [&doc](Invocation& c) {
        doc.PrintOut2(c.int32(0), c.int32(1), c.int32(2), c.flag(3), c.text(4), c.real(5),
            c.flag(6), c.text(7));
    });
    member(L"SaveAs2", [&doc](Invocation& c) {
        c.result(doc.SaveAs2(c.text(0), c.int32(1), c.flag(2), c.flag(3)));
    });
    member(L"SaveAs4", [&doc](Invocation& c) {
        std::int32_t errors = c.refInt32(3);
        std::int32_t warnings = c.refInt32(4);
        const bool saved = doc.SaveAs4(c.text(0), c.int32(1), c.int32(2), errors, warnings);
        c.setRef(3, errors);
        c.setRef(4, warnings);
        c.result(saved);
    });
    member(L"PageSetup", [this, &doc](Invocation& c) {
        c.result(wrapped<PageSetupObject>(state(), doc.PageSetup()));
    });
    member(L"Extension", [this, &doc](Invocation& c) {
        c.result(wrapped<ExtensionObject>(state(), doc.Extension()));
    });
    member(
        L"Printer", [&doc](Invocation& c) { c.result(doc.Printer()); },
        [&doc](Invocation& c) { doc.Printer(c.putText()); });
    member(
        L"PrintSetup", [&doc](Invocation& c) { c.result(doc.PrintSetup(c.int32(0))); },
        [&doc](Invocation& c) { doc.PrintSetup(c.int32(0), c.putInt32()); });
    member(L"GetSheetCount", [&doc](Invocation& c) { c.result(doc.GetSheetCount()); });
    member(L"GetSheetNames", [&doc](Invocation& c) { c.result(doc.GetSheetNames()); });
    member(L"GetCurrentSheet", [this, &doc](Invocation& c) {
        c.result(wrapped<SheetObject>(state(), doc.GetCurrentSheet()));
    });
    member(L"ActivateSheet", [&doc](Invocation& c) { c.result(doc.ActivateSheet(c.text(0))); });
    member(L"GetFirstView", [this, &doc](Invocation& c) {
        c.result(wrapped<ViewObject>(state(), doc.GetFirstView()));
    });
    member(
        L"GetConfigurationNames", [&doc](Invocation& c) { c.result(doc.GetConfigurationNames()); });
}

SheetObject::SheetObject(ServerState& server, std::shared_ptr<engine::SwSheet> sheet)
    : ServerObject(server)
    , m_sheet(std::move(sheet))
{
    engine::SwSheet& s = *m_sheet;
    member(L"GetName", [&s](Invocation& c) { c.result(s.GetName()); });
    member(L"GetProperties", [&s](Invocation& c) { c.result(s.GetProperties()); });
}

ViewObject::ViewObject(ServerState& server, std::shared_ptr<engine::SwView> view)
    : ServerObject(server)
    , m_view(std::move(view))
{
    engine::SwView& v = *m_view;
    member(L"GetNextView", [this, &v](Invocation& c) {
        c.result(wrapped<ViewObject>(this->state(), v.GetNextView()));
    });
    member(L"GetFacettedHlrDisplay", [&v](Invocation& c) { c.result(v.GetFacettedHlrDisplay()); });
    member(L"GetDisplayMode", [&v](Invocation& c) { c.result(v.GetDisplayMode()); });
    member(L"GetDisplayEdgesInShadedMode",
        [&v](Invocation& c) { c.result(v.GetDisplayEdgesInShadedMode()); });
    member(
        L"GetUseParentDisplayMode", [&v](Invocation& c) { c.result(v.GetUseParentDisplayMode()); });
    member(L"SetDisplayMode2",
        [&v](Invocation& c) { c.result(v.SetDisplayMode2(c.int32(0), c.flag(1), c.flag(2))); });
    member(L"SetDisplayMode3", [&v](Invocation& c) {
        c.result(v.SetDisplayMode3(c.flag(0), c.int32(1), c.flag(2), c.flag(3)));
    });
}

PageSetupObject::PageSetupObject(
    ServerState& server, std::shared_ptr<engine::SwPageSetup> pageSetup)
    : ServerObject(server)
    , m_pageSetup(std::move(pageSetup))
{
    engine::SwPageSetup& p = *m_pageSetup;
    member(
        L"PrinterPaperSize", [&p](Invocation& c) { c.result(p.PrinterPaperSize()); },
        [&p](Invocation& c) { p.PrinterPaperSize(c.putInt32()); });
    member(
        L"Orientation", [&p](Invocation& c) { c.result(p.Orientation()); },
        [&p](Invocation& c) { p.Orientation(c.putInt32()); });
    member(
        L"DrawingColor", [&p](Invocation& c) { c.result(p.DrawingColor()); },
        [&p](Invocation& c) { p.DrawingColor(static_cast<std::int16_t>(c.putInt32())); });
    member(L"SetHeader",
        [&p](Invocation& c) { c.result(p.SetHeader(c.text(0), c.text(1), c.text(2))); });
    member(L"SetFooter",
        [&p](Invocation& c) { c.result(p.SetFooter(c.text(0), c.text(1), c.text(2))); });
}

ExportDataObject::ExportDataObject(
    ServerState& server, std::shared_ptr<engine::SwExportPdfData> data)
    : ServerObject(server)
    , m_data(std::move(data))
{
    engine::SwExportPdfData& d = *m_data;
    member(L"SetSheets", [&d](Invocation& c) { c.result(d.SetSheets(c.int32(0), c.texts(1))); });
    member(L"GetSheets", [&d](Invocation& c) { c.result(d.GetSheets()); });
    member(
        L"ExportAs3D", [&d](Invocation& c) { c.result(d.ExportAs3D()); },
        [&d](Invocation& c) { d.ExportAs3D(c.putFlag()); });
}

HRESULT ExportDataObject::QueryInterface(REFIID iid, void** object)
{
    if (iid == kExportDataSelf && object) {
        *object = this;
        AddRef();
        return S_OK;
    }
    return ServerObject::QueryInterface(iid, object);
}

engine::SwExportPdfData* ExportDataObject::dataOf(IDispatch* object)
{
    void* self = nullptr;
    if (!object || FAILED(object->QueryInterface(kExportDataSelf, &self)) || !self)
        return nullptr;
    auto* data = static_cast<ExportDataObject*>(self);
    engine::SwExportPdfData* result = data->m_data.get();
    data->Release(); // the argument's own reference keeps it alive for the call
    return result;
}

ExtensionObject::ExtensionObject(
    ServerState& server, std::shared_ptr<engine::SwModelDocExtension> extension)
    : ServerObject(server)
    , m_extension(std::move(extension))
{
    engine::SwModelDocExtension& e = *m_extension;
    member(
        L"UsePageSetup", [&e](Invocation& c) { c.result(e.UsePageSetup()); },
        [&e](Invocation& c) { e.UsePageSetup(c.putInt32()); });
    member(L"SaveAs", [&e](Invocation& c) {
        std::int32_t errors = c.refInt32(4);
        std::int32_t warnings = c.refInt32(5);
        const bool saved = e.SaveAs(c.text(0), c.int32(1), c.int32(2),
            ExportDataObject::dataOf(c.object(3)), errors, warnings);
        c.setRef(4, errors);
        c.setRef(5, warnings);
        c.result(saved);
    });
}

} // namespace quorrix::swserver
