#include "swsim/sim_application.h"

#include <algorithm>

#include "engine/platform/file_system.h"
#include "engine/platform/ini_document.h"
#include "engine/platform/number_text.h"
#include "engine/platform/platform_error.h"
#include "swsim/preference_rules.h"
#include "swsim/sim_objects.h"

namespace quorrix::swsim {

namespace {

constexpr std::int32_t kGenericOpenError = 1;
constexpr std::int32_t kExportPdfData = 1;

} // namespace

SimApplication::SimApplication(std::shared_ptr<SimState> state, std::shared_ptr<AppLife> life)
    : m_state(std::move(state))
    , m_life(std::move(life))
{
}

Call SimApplication::begin(
    const char* member, std::vector<std::string> args, DocumentFaultState* document)
{
    return Call(*m_state, *m_life, document, { "SldWorks", "", member, std::move(args), {} });
}

std::shared_ptr<SimDocument> SimApplication::find(const std::string& name) const
{
    for (const auto& document : m_documents) {
        const DocState& doc = *document->context().doc;
        if (engine::equalsIgnoringCase(doc.path, name) || doc.model.title == name)
            return document;
    }
    return nullptr;
}

std::set<std::string> SimApplication::refusedPreferences() const
{
    std::set<std::string> refused = m_state->installation.refusedPreferences;
    if (m_active) {
        const auto& own = m_active->context().doc->faults.faults.refusedPreferences;
        refused.insert(own.begin(), own.end());
    }
    return refused;
}

double SimApplication::GetUserPreferenceDoubleValue(std::int32_t id)
{
    Call call = begin("GetUserPreferenceDoubleValue", { journalText(id) });
    return call.ret(doublePreference(m_state->installation.preferences, id));
}

bool SimApplication::SetUserPreferenceDoubleValue(std::int32_t id, double value)
{
    Call call = begin("SetUserPreferenceDoubleValue", { journalText(id), journalText(value) });
    Installation& setup = m_state->installation;
    return call.ret(setDoublePreference(setup.preferences, refusedPreferences(), id, value));
}

std::int32_t SimApplication::GetUserPreferenceIntegerValue(std::int32_t id)
{
    Call call = begin("GetUserPreferenceIntegerValue", { journalText(id) });
    return call.ret(integerPreference(m_state->installation.preferences, id));
}

bool SimApplication::SetUserPreferenceIntegerValue(std::int32_t id, std::int32_t value)
{
    Call call = begin("SetUserPreferenceIntegerValue", { journalText(id), journalText(value) });
    Installation& setup = m_state->installation;
    return call.ret(setIntegerPreference(setup.preferences, refusedPreferences(), id, value));
}

bool SimApplication::GetUserPreferenceToggle(std::int32_t id)
{
    Call call = begin("GetUserPreferenceToggle", { journalText(id) });
    return call.ret(togglePreference(m_state->installation.preferences, id));
}

bool SimApplication::SetUserPreferenceToggle(std::int32_t id, bool value)
{
    Call call = begin("SetUserPreferenceToggle", { journalText(id), journalText(value) });
    Installation& setup = m_state->installation;
    return call.ret(setTogglePreference(setup.preferences, refusedPreferences(), id, value));
}

std::string SimApplication::GetUserPreferenceStringListValue(std::int32_t id)
{
    Call call = begin("GetUserPreferenceStringListValue", { journalText(id) });
    return call.ret(stringListPreference(m_state->installation.preferences, id));
}

bool SimApplication::SetUserPreferenceStringListValue(std::int32_t id, const std::string& value)
{
    Call call = begin("SetUserPreferenceStringListValue", { journalText(id), journalText(value) });
    Installation& setup = m_state->installation;
    return call.ret(setStringListPreference(setup.preferences, refusedPreferences(), id, value));
}

bool SimApplication::Visible()
{
    Call call = begin("Visible");
    return call.ret(m_visible);
}

void SimApplication::Visible(bool visible)
{
    Call call = begin("Visible=", { journalText(visible) });
    m_visible = visible;
    call.done();
}

bool SimApplication::UserControl()
{
    Call call = begin("UserControl");
    return call.ret(m_userControl);
}

void SimApplication::UserControl(bool userControl)
{
    Call call = begin("UserControl=", { journalText(userControl) });
    m_userControl = userControl;
    call.done();
}

std::string SimApplication::RevisionNumber()
{
    Call call = begin("RevisionNumber");
    return call.ret(m_state->installation.revision);
}

std::shared_ptr<SimDocument> SimApplication::open(
    const std::string& fileName, std::int32_t type, std::int32_t& errors)
{
    std::optional<std::string> bytes;
    try {
        if (m_state->files.isPlainFile(fileName))
            bytes = m_state->files.readBytes(fileName);
    } catch (const engine::PlatformError& error) {
        m_state->journal.note("cannot read " + fileName + ": " + error.description());
    }
    if (!bytes) {
        errors = engine::kSwFileNotFoundError;
        return nullptr;
    }
    auto doc = std::make_shared<DocState>();
    doc->path = fileName;
    doc->model = parseDocumentModel(fileName, *bytes);
    doc->faults.faults = doc->model.faults;
    if (doc->model.faults.openError) {
        errors = *doc->model.faults.openError;
        return nullptr;
    }
    // SolidWorks opens a file only as the type it is.
    if (type != doc->model.type || type == engine::kSwDocNone) {
        errors = kGenericOpenError;
        return nullptr;
    }
    doc->ownsLineWeights = engine::leadingNumber(m_state->installation.revision) >= 17;
    if (doc->ownsLineWeights) {
        for (std::int32_t id = kPrefFirstLineWeight; id <= kPrefLastLineWeight; ++id) {
            doc->preferences.doubles[id] = doublePreference(m_state->installation.preferences, id);
        }
        for (const auto& [id, value] : doc->model.preferences.doubles) {
            if (isLineWeightPreference(id))
                doc->preferences.doubles[id] = value;
        }
    }
    errors = 0;
    return std::make_shared<SimDocument>(DocContext { m_state, m_life, doc });
}

std::shared_ptr<engine::SwDocument> SimApplication::OpenDoc2(const std::string& fileName,
    std::int32_t type, bool& readOnly, bool& viewOnly, bool silent, std::int32_t& errors)
{
    Call call = begin("OpenDoc2",
        { journalText(fileName), journalText(type), journalText(readOnly), journalText(viewOnly),
            journalText(silent) });
    const Installation& setup = m_state->installation;
    if (setup.crashAfterOpens >= 0 && ++m_state->opensSinceStart > setup.crashAfterOpens) {
        m_life->crashed = true;
        call.raise(kServerFault, "The server threw an exception.");
    }
    std::shared_ptr<SimDocument> document = find(fileName);
    if (document == nullptr) {
        document = open(fileName, type, errors);
        if (document == nullptr) {
            call.finish("Nothing errors=" + journalText(errors));
            return nullptr;
        }
        // The document's own faults for OpenDoc2 apply once its file has been read.
        call.applyDocumentFaults(document->context().doc->faults);
        m_documents.push_back(document);
    }
    errors = 0;
    m_active = document;
    call.finish("Document " + journalText(document->context().doc->model.title) + " errors=0");
    return document;
}

std::shared_ptr<engine::SwDocument> SimApplication::ActivateDoc(const std::string& name)
{
    std::shared_ptr<SimDocument> document = find(name);
    Call call = begin("ActivateDoc", { journalText(name) },
        document ? &document->context().doc->faults : nullptr);
    if (document == nullptr) {
        call.finish("Nothing");
        return nullptr;
    }
    m_active = document;
    call.finish("Document " + journalText(document->context().doc->model.title));
    return document;
}

std::shared_ptr<engine::SwDocument> SimApplication::ActiveDoc()
{
    Call call = begin("ActiveDoc");
    if (m_active == nullptr) {
        call.finish("Nothing");
        return nullptr;
    }
    call.finish("Document " + journalText(m_active->context().doc->model.title));
    return m_active;
}

void SimApplication::CloseDoc(const std::string& title)
{
    std::shared_ptr<SimDocument> document = find(title);
    Call call = begin(
        "CloseDoc", { journalText(title) }, document ? &document->context().doc->faults : nullptr);
    if (document == nullptr) {
        call.done();
        return;
    }
    document->context().doc->faults.closed = true;
    std::erase(m_documents, document);
    if (m_active == document)
        m_active = m_documents.empty() ? nullptr : m_documents.back();
    call.done();
}

void SimApplication::ExitApp()
{
    Call call = begin("ExitApp");
    for (const auto& document : m_documents)
        document->context().doc->faults.closed = true;
    m_documents.clear();
    m_active = nullptr;
    m_life->running = false;
    call.done();
}

bool SimApplication::RunMacro(
    const std::string& fileName, const std::string& module, const std::string& procedure)
{
    Call call
        = begin("RunMacro", { journalText(fileName), journalText(module), journalText(procedure) },
            m_active ? &m_active->context().doc->faults : nullptr);
    return call.ret(m_state->files.isPlainFile(fileName) && !module.empty() && !procedure.empty());
}

std::string SimApplication::ActivePrinter()
{
    Call call = begin("ActivePrinter");
    return call.ret(m_state->installation.activePrinter);
}

void SimApplication::ActivePrinter(const std::string& printerName)
{
    Call call = begin("ActivePrinter=", { journalText(printerName) });
    m_state->installation.activePrinter = printerName;
    call.done();
}

std::int32_t SimApplication::LoadAddIn(const std::string& fileName)
{
    Call call = begin("LoadAddIn", { journalText(fileName) });
    // 0 loaded, -1 not found, as SolidWorks answers.
    return call.ret(m_state->files.isPlainFile(fileName) ? 0 : -1);
}

std::shared_ptr<engine::SwExportPdfData> SimApplication::GetExportFileData(std::int32_t fileType)
{
    Call call = begin("GetExportFileData", { journalText(fileType) },
        m_active ? &m_active->context().doc->faults : nullptr);
    if (fileType != kExportPdfData
        || (m_active && m_active->context().doc->faults.faults.noExportData)) {
        call.finish("Nothing");
        return nullptr;
    }
    call.finish("ExportPdfData");
    DocContext context { m_state, m_life, m_active ? m_active->context().doc : nullptr };
    return std::make_shared<SimExportPdfData>(context);
}

engine::ProcessEnder SimApplication::GetProcessEnder()
{
    Call call = begin("GetProcessID");
    call.done();
    if (m_state->installation.cannotBeEnded)
        return [] { return false; };
    return [life = m_life] {
        life->endProcess();
        return true;
    };
}

} // namespace quorrix::swsim
