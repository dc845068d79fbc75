#include "swsim/sim_document.h"

#include <cstdio>

#include "engine/platform/clock.h"
#include "engine/platform/file_system.h"
#include "engine/platform/ini_document.h"
#include "engine/platform/platform_error.h"
#include "swsim/preference_rules.h"
#include "swsim/sim_objects.h"

namespace quorrix::swsim {

namespace {

// SolidWorks' save error codes that the stand-in reports.
constexpr std::int32_t kGenericSaveError = 1;
constexpr std::int32_t kBadEDrawingsVersion = 1024;

std::string jsonString(const std::string& text)
{
    std::string json = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += static_cast<char>(c);
        }
    }
    return json + "\"";
}

std::string isoTime(const engine::LocalDateTime& t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
        t.hour, t.minute, t.second);
    return text;
}

bool isEDrawings(const std::string& path)
{
    const std::string lower = engine::foldCase(path);
    for (const char* extension : { ".edrw", ".eprt", ".easm" }) {
        if (lower.ends_with(extension))
            return true;
    }
    return false;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        if (!line.empty())
            lines.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

} // namespace

std::int32_t saveDocument(DocContext& context, const SaveRequest& request)
{
    DocState& doc = *context.doc;
    SimState& state = *context.state;
    if (doc.faults.faults.saveError != 0)
        return doc.faults.faults.saveError;
    if (request.path.empty())
        return kGenericSaveError;
    if (doc.faults.faults.noOutput)
        return 0;
    const std::string bytes = doc.faults.faults.emptyOutput
        ? std::string()
        : renderSavedFile(doc, request, state.installation.preferences, state.journal);
    try {
        // SolidWorks writes its files as it does; the stand-in need not wait for the disk.
        state.files.writeBytesQuickly(request.path, bytes);
    } catch (const engine::PlatformError& error) {
        state.journal.note("save failed: " + request.path + ": " + error.description());
        return kGenericSaveError;
    }
    return 0;
}

std::vector<double> lineWeightsInForce(const DocContext& context)
{
    const Preferences& source = context.doc->ownsLineWeights
        ? context.doc->preferences
        : context.state->installation.preferences;
    std::vector<double> weights;
    for (std::int32_t id = kPrefFirstLineWeight; id <= kPrefLastLineWeight; ++id)
        weights.push_back(doublePreference(source, id));
    return weights;
}

SimDocument::SimDocument(DocContext context)
    : m_context(std::move(context))
{
}

Call SimDocument::begin(const char* member, std::vector<std::string> args)
{
    return Call(*m_context.state, *m_context.life, &m_context.doc->faults,
        m_context.entry("Document", m_context.doc->model.title, member, std::move(args)));
}

bool SimDocument::ownsPreference(std::int32_t id) const
{
    return m_context.doc->ownsLineWeights && isLineWeightPreference(id);
}

double SimDocument::GetUserPreferenceDoubleValue(std::int32_t id)
{
    Call call = begin("GetUserPreferenceDoubleValue", { journalText(id) });
    return call.ret(doublePreference(
        ownsPreference(id) ? m_context.doc->preferences : m_context.state->installation.preferences,
        id));
}

bool SimDocument::SetUserPreferenceDoubleValue(std::int32_t id, double value)
{
    Call call = begin("SetUserPreferenceDoubleValue", { journalText(id), journalText(value) });
    Installation& setup = m_context.state->installation;
    return call.ret(
        setDoublePreference(ownsPreference(id) ? m_context.doc->preferences : setup.preferences,
            setup.refusedPreferences, id, value));
}

std::int32_t SimDocument::GetUserPreferenceIntegerValue(std::int32_t id)
{
    Call call = begin("GetUserPreferenceIntegerValue", { journalText(id) });
    return call.ret(integerPreference(m_context.state->installation.preferences, id));
}

bool SimDocument::SetUserPreferenceIntegerValue(std::int32_t id, std::int32_t value)
{
    Call call = begin("SetUserPreferenceIntegerValue", { journalText(id), journalText(value) });
    Installation& setup = m_context.state->installation;
    return call.ret(setIntegerPreference(setup.preferences, setup.refusedPreferences, id, value));
}

bool SimDocument::GetUserPreferenceToggle(std::int32_t id)
{
    Call call = begin("GetUserPreferenceToggle", { journalText(id) });
    return call.ret(togglePreference(m_context.state->installation.preferences, id));
}

bool SimDocument::SetUserPreferenceToggle(std::int32_t id, bool value)
{
    Call call = begin("SetUserPreferenceToggle", { journalText(id), journalText(value) });
    Installation& setup = m_context.state->installation;
    return call.ret(setTogglePreference(setup.preferences, setup.refusedPreferences, id, value));
}

std::string SimDocument::GetUserPreferenceStringListValue(std::int32_t id)
{
    Call call = begin("GetUserPreferenceStringListValue", { journalText(id) });
    return call.ret(stringListPreference(m_context.state->installation.preferences, id));
}

bool SimDocument::SetUserPreferenceStringListValue(std::int32_t id, const std::string& value)
{
    Call call = begin("SetUserPreferenceStringListValue", { journalText(id), journalText(value) });
    Installation& setup = m_context.state->installation;
    return call.ret(
        setStringListPreference(setup.preferences, setup.refusedPreferences, id, value));
}

std::int32_t SimDocument::GetType()
{
    Call call = begin("GetType");
    return call.ret(m_context.doc->model.type);
}

std::string SimDocument::GetTitle()
{
    Call call = begin("GetTitle");
    return call.ret(m_context.doc->model.title);
}

std::string SimDocument::GetPathName()
{
    Call call = begin("GetPathName");
    return call.ret(m_context.doc->path);
}

std::string SimDocument::spoolRecord(
    std::int32_t fromPage, std::int32_t toPage, std::int32_t copies, double scale) const
{
    const DocState& doc = *m_context.doc;
    const Installation& setup = m_context.state->installation;
    const auto setupValue = [&](std::int32_t index, std::int32_t fallback) {
        const auto found = doc.printSetup.find(index);
        return found == doc.printSetup.end() ? fallback : found->second;
    };
    const std::string printer = !doc.printer.empty() ? doc.printer : setup.activePrinter;
    std::string weights;
    for (double weight : lineWeightsInForce(m_context))
        weights += (weights.empty() ? "" : ",") + journalText(weight);
    return "{\"time\":" + jsonString(isoTime(m_context.state->clock.now()))
        + ",\"document\":" + jsonString(doc.path) + ",\"from\":" + std::to_string(fromPage)
        + ",\"to\":" + std::to_string(toPage) + ",\"copies\":" + std::to_string(copies)
        + ",\"printer\":" + jsonString(printer)
        + ",\"paper\":" + std::to_string(doc.paperSize.value_or(setupValue(0, -1)))
        + ",\"orientation\":" + std::to_string(doc.orientation.value_or(setupValue(1, 0)))
        + ",\"scale\":" + journalText(scale) + ",\"headerFooterCleared\":"
        + (doc.headerCleared && doc.footerCleared ? "true" : "false") + ",\"drawingColor\":"
        + std::to_string(doc.drawingColor) + ",\"lineWeights\":[" + weights + "]}\n";
}

void SimDocument::PrintOut2(std::int32_t fromPage, std::int32_t toPage, std::int32_t copies,
    bool collate, const std::string& printer, double scale, bool printToFile,
    const std::string& printToFileName)
{
    Call call = begin("PrintOut2",
        { journalText(fromPage), journalText(toPage), journalText(copies), journalText(collate),
            journalText(printer), journalText(scale), journalText(printToFile),
            journalText(printToFileName) });
    SimState& state = *m_context.state;
    if (!printer.empty())
        m_context.doc->printer = printer;
    if (!state.installation.spoolPath.empty()) {
        try {
            state.files.appendBytes(
                state.installation.spoolPath, spoolRecord(fromPage, toPage, copies, scale));
        } catch (const engine::PlatformError& error) {
            // A printer that cannot be reached does not tell the program either.
            state.journal.note("spool not written: " + error.description());
        }
    }
    call.done();
}

std::int32_t SimDocument::SaveAs2(
    const std::string& path, std::int32_t version, bool saveAsCopy, bool silent)
{
    Call call = begin("SaveAs2",
        { journalText(path), journalText(version), journalText(saveAsCopy), journalText(silent) });
    return call.ret(saveDocument(m_context, { path, {}, false, {} }));
}

bool SimDocument::SaveAs4(const std::string& path, std::int32_t version, std::int32_t options,
    std::int32_t& errors, std::int32_t& warnings)
{
    Call call = begin("SaveAs4", { journalText(path), journalText(version), journalText(options) });
    const Installation& setup = m_context.state->installation;
    SaveRequest request { path, {}, false, {} };
    warnings = 0;
    if (isEDrawings(path) && integerPreference(setup.preferences, kPrefEDrawingsSaveMode) == 3) {
        request.selection
            = splitLines(stringListPreference(setup.preferences, kPrefEDrawingsSelection));
        if (!setup.eDrawingsProfessional) {
            errors = kBadEDrawingsVersion;
            call.finish("False errors=" + journalText(errors));
            return false;
        }
    }
    errors = saveDocument(m_context, request);
    call.finish(journalText(errors == 0) + " errors=" + journalText(errors));
    return errors == 0;
}

std::shared_ptr<engine::SwPageSetup> SimDocument::PageSetup()
{
    Call call = begin("PageSetup");
    call.finish("PageSetup");
    return std::make_shared<SimPageSetup>(m_context);
}

std::shared_ptr<engine::SwModelDocExtension> SimDocument::Extension()
{
    Call call = begin("Extension");
    call.finish("Extension");
    return std::make_shared<SimExtension>(m_context);
}

std::string SimDocument::Printer()
{
    Call call = begin("Printer");
    return call.ret(m_context.doc->printer);
}

void SimDocument::Printer(const std::string& printerName)
{
    Call call = begin("Printer=", { journalText(printerName) });
    m_context.doc->printer = printerName;
    call.done();
}

std::int32_t SimDocument::PrintSetup(std::int32_t index)
{
    Call call = begin("PrintSetup", { journalText(index) });
    const auto found = m_context.doc->printSetup.find(index);
    return call.ret(found == m_context.doc->printSetup.end() ? 0 : found->second);
}

void SimDocument::PrintSetup(std::int32_t index, std::int32_t value)
{
    Call call = begin("PrintSetup=", { journalText(index), journalText(value) });
    m_context.doc->printSetup[index] = value;
    call.done();
}

std::int32_t SimDocument::GetSheetCount()
{
    Call call = begin("GetSheetCount");
    return call.ret(static_cast<std::int32_t>(m_context.doc->model.sheets.size()));
}

std::vector<std::string> SimDocument::GetSheetNames()
{
    Call call = begin("GetSheetNames");
    std::vector<std::string> names;
    for (const SheetModel& sheet : m_context.doc->model.sheets)
        names.push_back(sheet.name);
    call.finish(journalText(names));
    return names;
}

std::shared_ptr<engine::SwSheet> SimDocument::GetCurrentSheet()
{
    Call call = begin("GetCurrentSheet");
    const SheetModel* sheet = m_context.doc->sheet();
    if (sheet == nullptr) {
        call.finish("Nothing");
        return nullptr;
    }
    call.finish("Sheet " + journalText(sheet->name));
    return std::make_shared<SimSheet>(m_context, m_context.doc->currentSheet);
}

bool SimDocument::ActivateSheet(const std::string& name)
{
    Call call = begin("ActivateSheet", { journalText(name) });
    DocState& doc = *m_context.doc;
    if (doc.faults.faults.activateSheet.contains(name))
        return call.ret(false);
    for (std::size_t i = 0; i < doc.model.sheets.size(); ++i) {
        if (doc.model.sheets[i].name == name) {
            doc.currentSheet = i;
            return call.ret(true);
        }
    }
    return call.ret(false);
}

std::shared_ptr<engine::SwView> SimDocument::GetFirstView()
{
    Call call = begin("GetFirstView");
    if (m_context.doc->sheet() == nullptr) {
        call.finish("Nothing");
        return nullptr;
    }
    call.finish("View");
    return std::make_shared<SimView>(m_context, m_context.doc->currentSheet, 0);
}

std::vector<std::string> SimDocument::GetConfigurationNames()
{
    Call call = begin("GetConfigurationNames");
    const std::vector<std::string>& names = m_context.doc->model.configurations;
    call.finish(journalText(names));
    return names;
}

} // namespace quorrix::swsim
