#include "engine/run/multi_job.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <sstream>

#include "engine/actions/action_context.h"
#include "engine/actions/drawing_sheets.h"
#include "engine/actions/edrawings_export.h"
#include "engine/actions/export_document.h"
#include "engine/actions/export_model_3d.h"
#include "engine/actions/sheet_filter.h"
#include "engine/platform/platform_error.h"
#include "engine/platform/shell.h"
#include "engine/printlist/print_list.h"
#include "engine/printlist/print_list_file.h"
#include "engine/run/macro_runs.h"
#include "engine/run/run_environment.h"
#include "engine/run/run_view.h"
#include "engine/settings/settings_file.h"
#include "engine/swlink/printer_lines.h"

namespace quorrix::engine {

namespace {

constexpr const char* kMultiJobAction = "MULTIJOB";
constexpr std::int32_t kInfoInformationTitle = 2;
constexpr std::int32_t kInfoFileNotFoundTitle = 86;
constexpr std::int32_t kInfoFileNotFound = 101;

enum class StepKind {
    Nothing,
    Sheets, // argument: the action code of the sheet loop
    Model3D, // argument: the format extension
    Document, // argument: the format extension
    EDrawings,
    Macro, // slot: the macro slot
    PrePostNone,
    PrePost, // slot: the pre/postfix set
    FilterNone,
    Filter, // slot: the filter set
};

struct JobStep {
    std::string text;
    StepKind kind = StepKind::Nothing;
    std::string argument;
    int slot = 0;
};

// Every job step text with what it does, in the order the dialog offers them.
const std::vector<JobStep>& jobStepTable()
{
    static const std::vector<JobStep> table = [] {
        std::vector<JobStep> steps { { "-", StepKind::Nothing, {}, 0 } };
        for (const char* code : { "Plot", "TIFF", "DXF", "DWG" })
            steps.push_back({ code, StepKind::Sheets, code, 0 });
        const std::pair<const char*, const char*> models[]
            = { { "X_T", "x_t" }, { "X_B", "x_b" }, { "IGES", "igs" }, { "STEP", "step" },
                  { "SAT", "sat" }, { "STL", "stl" }, { "WRL", "wrl" } };
        for (const auto& [name, extension] : models)
            steps.push_back({ std::string("Export 3D ") + name, StepKind::Model3D, extension, 0 });
        steps.push_back({ "Export Doc PDF", StepKind::Document, "pdf", 0 });
        steps.push_back({ "Export Doc JPG", StepKind::Document, "jpg", 0 });
        steps.push_back({ "Export eDrawings", StepKind::EDrawings, {}, 0 });
        // Slot 0 comes last, as on the number row of a keyboard.
        for (int n = 1; n <= kMacroSlots; ++n) {
            const int slot = n % kMacroSlots;
            steps.push_back({ "Run Macro " + std::to_string(slot), StepKind::Macro, {}, slot });
        }
        steps.push_back({ "Use Pre/Postfix None", StepKind::PrePostNone, {}, 0 });
        for (int n = 0; n < kPrePostSets; ++n)
            steps.push_back({ "Use Pre/Postfix " + std::to_string(n), StepKind::PrePost, {}, n });
        steps.push_back({ "Use Filter None", StepKind::FilterNone, {}, 0 });
        for (int n = 0; n < kFilterSets; ++n)
            steps.push_back({ "Use Filter " + std::to_string(n), StepKind::Filter, {}, n });
        return steps;
    }();
    return table;
}

const JobStep& jobStepFromText(const std::string& text)
{
    for (const JobStep& step : jobStepTable()) {
        if (step.text == text)
            return step;
    }
    return jobStepTable().front();
}

// What the "Use ..." steps change, as it was before the first step of a document. Put
// back when the document is done, also when a step ended with an automation error, so the
// next document starts from the user's settings.
class StepSettingsGuard {
public:
    explicit StepSettingsGuard(Settings& settings)
        : m_settings(settings)
        , m_prePostIndex(settings.PrePostIndex)
        , m_prePostUseit(settings.PrePostUseit)
        , m_filterNameIndex(settings.FilterNameIndex)
        , m_filterActive(settings.FilterActive)
    {
    }
    StepSettingsGuard(const StepSettingsGuard&) = delete;
    StepSettingsGuard& operator=(const StepSettingsGuard&) = delete;
    ~StepSettingsGuard()
    {
        m_settings.PrePostIndex = m_prePostIndex;
        m_settings.PrePostUseit = m_prePostUseit;
        SelectFilterSet(m_settings, m_filterNameIndex);
        m_settings.FilterNameIndex = m_filterNameIndex;
        m_settings.FilterActive = m_filterActive;
    }

    std::int16_t prePostIndex() const { return m_prePostIndex; }
    std::int16_t filterNameIndex() const { return m_filterNameIndex; }

private:
    Settings& m_settings;
    std::int16_t m_prePostIndex;
    std::int16_t m_prePostUseit;
    std::int16_t m_filterNameIndex;
    std::int16_t m_filterActive;
};

void runJobStep(RunEnvironment& environment, const JobStep& step, const StepSettingsGuard& saved,
    SwApplication& app, SwDocument& document, std::string& messageText, const std::string& fileName)
{
    ActionContext& context = environment.actions;
    Settings& settings = context.settings;
    // Every step leaves the document open for the next one; the driver closes it.
    constexpr bool closeAfter = false;
    switch (step.kind) {
    case StepKind::Nothing:
        break;
    case StepKind::Sheets:
        ProcessDrawingSheets(
            context, step.argument, app, document, closeAfter, messageText, fileName);
        break;
    case StepKind::Model3D:
        ExportModel3D(
            context, "EXPORT3D", step.argument, app, document, closeAfter, messageText, fileName);
        break;
    case StepKind::Document:
        ExportDocument(
            context, "EXPORTDOC", step.argument, app, document, closeAfter, messageText, fileName);
        break;
    case StepKind::EDrawings:
        SaveAsEDrawings(
            context, "EXPORTEDRAWINGS", app, document, closeAfter, messageText, fileName);
        break;
    case StepKind::Macro: {
        std::int32_t slot = step.slot;
        RunMacroOnDocument(
            context, "RUNMACRO", slot, app, &document, closeAfter, messageText, fileName);
        break;
    }
    case StepKind::PrePostNone:
        settings.PrePostUseit = 0;
        settings.PrePostIndex = saved.prePostIndex();
        break;
    case StepKind::PrePost:
        settings.PrePostUseit = 1;
        settings.PrePostIndex = static_cast<std::int16_t>(step.slot);
        break;
    case StepKind::FilterNone:
        settings.FilterActive = 0;
        SelectFilterSet(settings, saved.filterNameIndex());
        break;
    case StepKind::Filter:
        settings.FilterActive = 1;
        SelectFilterSet(settings, step.slot);
        break;
    }
}

// Rows that did not fit into the list go to dropped: they are not done.
void loadListFile(RunEnvironment& environment, PrintList& printList, const std::string& path,
    std::vector<std::string>& dropped)
{
    ActionContext& context = environment.actions;
    const ListFileLoad load = loadPrintListFile(context.files, path, printList);
    switch (load.file.status) {
    case ListFileStatus::Ok:
        break;
    case ListFileStatus::Missing:
        context.view.show(context.infoText(kInfoFileNotFound),
            context.infoText(kInfoFileNotFoundTitle), MessageIcon::Exclamation);
        return;
    case ListFileStatus::Failed:
        context.view.show(load.file.errorText(), kPreJobLoadQRXList, MessageIcon::Exclamation);
        return;
    }
    if (!load.notAdded.empty()) {
        context.view.show(notAddedMessage(context.infoText(kInfoPrintListFull), load.notAdded),
            context.infoText(kInfoInformationTitle), MessageIcon::Exclamation);
        dropped.insert(dropped.end(), load.notAdded.begin(), load.notAdded.end());
    }
}

void runPreJob(RunEnvironment& environment, SettingsFiles& settingsFiles, PrintList& printList,
    const std::string& type, const std::string& parameter, std::vector<std::string>& dropped)
{
    if (type == kPreJobLoadSettings) {
        // The running multi-job keeps its own pre-jobs and steps.
        settingsFiles.LoadSettingsFile(parameter, true, environment.actions.settings);
    } else if (type == kPreJobLoadQRXList) {
        loadListFile(environment, printList, parameter, dropped);
    } else if (const auto slot = macroSlotOfJobText(type)) {
        RunMacroOnce(environment, *slot);
    }
}

} // namespace

const std::vector<std::string>& jobStepVocabulary()
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> result;
        for (const JobStep& step : jobStepTable())
            result.push_back(step.text);
        return result;
    }();
    return texts;
}

const std::vector<std::string>& preJobVocabulary()
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> result { kPreJobNothing, kPreJobLoadSettings, kPreJobLoadQRXList };
        for (int slot = 0; slot < kMacroSlots; ++slot)
            result.push_back(kRunMacroPrefix + std::to_string(slot));
        return result;
    }();
    return texts;
}

std::optional<std::int32_t> macroSlotOfJobText(const std::string& text)
{
    const std::string prefix = kRunMacroPrefix;
    if (text.size() != prefix.size() + 1 || text.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    const char digit = text.back();
    if (digit < '0' || digit > '9')
        return std::nullopt;
    return digit - '0';
}

std::string multiJobTempSettingsPath(RunEnvironment& environment)
{
    // A name of its own for every run, so that two programs, or a run after a crash, never
    // take each other's copy for their own.
    static std::atomic<unsigned> runs { 0 };
    const auto stamp = std::chrono::system_clock::now().time_since_epoch().count();
    std::ostringstream name;
    name << kTempSettingsFileStem << '_' << std::hex << stamp << '_' << std::dec << runs++
         << ".qrxcfg";
    return environment.shell.temporaryFolder() + name.str();
}

RunReport RunMultiJob(RunEnvironment& environment, PrintList& printList)
{
    ActionContext& context = environment.actions;
    SettingsFiles settingsFiles(context.language, context.view, environment.regional);
    const std::string tempFile = multiJobTempSettingsPath(environment);
    // Without this copy the settings a pre-job or step changes would stay, or an older
    // copy from an earlier multi-job would come back.
    if (!settingsFiles.SaveSettingsFile(tempFile, context.settings))
        return {};

    const auto types = context.settings.MultiJobPreType;
    const auto parameters = context.settings.MultiJobPreTypeParam;
    std::vector<std::string> dropped;
    for (std::size_t row = 0; row < types.size(); ++row)
        runPreJob(environment, settingsFiles, printList, types[row], parameters[row], dropped);

    // Sheets whose printer has widths of its own change SolidWorks' widths; the ones found
    // now go back when the pass is over, before SolidWorks may be shut down.
    std::string status;
    Swx_GetPrinterLines(context.connection, context.defaultLines, status);
    bool restored = false;
    const std::function<void()> restoreLines = [&] {
        if (restored)
            return;
        restored = true;
        std::string message;
        Swx_SetPrinterLines(context.connection, context.defaultLines, message);
    };
    // The pass works on the list as the pre-jobs left it, whatever happens to the list
    // while the window takes clicks between sheets.
    const std::vector<std::string> entries = printList.rows();
    RunReport report = environment.flags.WorkWithActiveDrawing != 0
        ? RunActiveDocument(environment, kMultiJobAction)
        : RunPrintList(environment, kMultiJobAction, entries, restoreLines);
    if (!report.noSolidWorks)
        restoreLines();

    settingsFiles.LoadSettingsFile(tempFile, true, context.settings);
    try {
        context.files.removeFile(tempFile);
    } catch (const PlatformError&) {
        // Left behind in the temporary folder; the settings are back all the same.
    }
    report.failedEntries.insert(report.failedEntries.end(), dropped.begin(), dropped.end());
    report.droppedEntries += dropped.size();
    return report;
}

void RunJobSteps(RunEnvironment& environment, SwApplication& app, SwDocument& document,
    std::string& messageText, const std::string& fileName)
{
    const StepSettingsGuard saved(environment.actions.settings);
    const auto steps = environment.actions.settings.MultiJobAction;
    for (const std::string& text : steps) {
        // After Cancel the steps still to come would print or save behind the user's back.
        if (environment.actions.cancelled())
            break;
        runJobStep(environment, jobStepFromText(text), saved, app, document, messageText, fileName);
    }
}

} // namespace quorrix::engine
