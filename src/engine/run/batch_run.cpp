#include "engine/run/batch_run.h"

#include <algorithm>
#include <optional>

#include "engine/actions/drawing_sheets.h"
#include "engine/actions/edrawings_export.h"
#include "engine/actions/export_document.h"
#include "engine/actions/export_model_3d.h"
#include "engine/actions/written_outputs.h"
#include "engine/platform/clock.h"
#include "engine/platform/file_system.h"
#include "engine/platform/ini_document.h"
#include "engine/platform/platform_error.h"
#include "engine/platform/regional_format.h"
#include "engine/run/combined_pdf.h"
#include "engine/run/document_watchdog.h"
#include "engine/run/macro_runs.h"
#include "engine/run/multi_job.h"
#include "engine/run/process_log.h"
#include "engine/run/run_environment.h"
#include "engine/run/run_view.h"
#include "engine/swlink/printer_lines.h"
#include "engine/swlink/solidworks.h"
#include "engine/swlink/sw_connection.h"

namespace quorrix::engine {

namespace {

constexpr const char* kProgramTitle = "QUORRIX";
constexpr const char* kRestartCaption = "Restart SolidWorks (5 sec. Pause)";
constexpr std::int32_t kAutomationErrorInfo = 140;
constexpr std::int32_t kLogNotWrittenInfo = 141;
constexpr std::int32_t kTimedOutInfo = 145;
constexpr std::int32_t kCancelledInCallInfo = 146;
constexpr std::int32_t kNotEndedInfo = 147;

// Hands one of the run's records (written files, written PDFs) to the document procedures
// while the run lasts.
template <typename Record> class RecordInUse {
public:
    RecordInUse(Record*& slot, Record* record)
        : m_slot(slot)
        , m_previous(slot)
    {
        slot = record;
    }
    ~RecordInUse() { m_slot = m_previous; }
    RecordInUse(const RecordInUse&) = delete;
    RecordInUse& operator=(const RecordInUse&) = delete;

private:
    Record*& m_slot;
    Record* m_previous;
};
constexpr std::int32_t kNoActiveDocumentInfo = 235;

// The state of one print-list run.
class PrintListRun {
public:
    PrintListRun(RunEnvironment& environment, const std::string& action,
        const std::vector<std::string>& entries, const std::function<void()>& beforeShutdown)
        : m_env(environment)
        , m_context(environment.actions)
        , m_action(action)
        , m_entries(entries)
        , m_beforeShutdown(beforeShutdown)
        , m_watchdog(std::chrono::seconds(std::max(0, m_context.settings.DocumentTimeLimit)),
              environment.cancelRequested, environment.solidWorksNotEnded)
    {
    }

    RunReport run();

private:
    bool connectAndPrepare();
    void setListLabel(std::size_t number, const std::string& path);
    void clearSheetProgress();
    // False when SolidWorks could not be started again: the run is over.
    bool restartIfDue(std::size_t looked);
    // False when SolidWorks is gone for good.
    bool processEntry(const std::string& path);
    // The entries from the looked-th on are not done: SolidWorks went away.
    void leaveUndone(std::size_t looked);
    // The number of the entry worked on after looked others: the list's order, or the
    // reverse one.
    std::size_t indexAt(std::size_t looked) const
    {
        return m_reverse ? m_entries.size() - 1 - looked : looked;
    }
    bool openAndRun(const std::string& path, ProcessLogLine& line);
    // Opens, runs and closes the document under the watchdog; false when SolidWorks is gone
    // for good.
    bool runWatched(const std::string& path, ProcessLogLine& line);
    void watchDocument();
    void appendLogLine(const ProcessLogLine& line);
    void appendLogText(const std::string& text);
    void endSteps(bool shutDown);

    RunEnvironment& m_env;
    ActionContext& m_context;
    const std::string& m_action;
    const std::vector<std::string>& m_entries;
    const std::function<void()>& m_beforeShutdown;
    RunReport m_report;
    bool m_cancelReported = false;
    bool m_logFailed = false;
    bool m_readOnly = false;
    bool m_viewOnly = false;
    bool m_reverse = false;
    DocumentWatchdog m_watchdog;
    // The SolidWorks whose ender the watchdog has; kept so that a new one is noticed.
    std::shared_ptr<SwApplication> m_enderOf;
    ProcessEnder m_ender;
};

bool PrintListRun::connectAndPrepare()
{
    if (!m_context.connection.ConnectSolidWorks()) {
        m_context.view.show(kNoSwxInstanceText, kProgramTitle);
        m_report.noSolidWorks = true;
        return false;
    }
    SwApplication& app = *m_context.connection.swApp();
    app.Visible(true);
    app.UserControl(true);
    m_context.cancelFlag = 0;

    RunView& view = m_context.view;
    const std::size_t total = m_entries.size();
    view.setBarRange(RunBar::List, 0, static_cast<float>(total));
    view.setBarValue(RunBar::List, 0);
    view.setLabel(
        RunLabel::Progress, m_action + ": " + std::to_string(total) + " " + m_context.infoText(20));
    clearSheetProgress();
    view.show();
    m_readOnly = m_env.flags.OpenReadOnly == 1;
    m_viewOnly = m_env.flags.OpenViewOnly == 1;
    return true;
}

void PrintListRun::clearSheetProgress()
{
    RunView& view = m_context.view;
    view.setBarRange(RunBar::Sheet, 0, 1);
    view.setBarValue(RunBar::Sheet, 0);
    view.setLabel(RunLabel::Sheet, "??? " + m_context.infoText(22));
}

void PrintListRun::setListLabel(std::size_t number, const std::string& path)
{
    m_context.view.setLabel(RunLabel::List,
        m_context.infoText(21) + " " + std::to_string(number) + " / "
            + std::to_string(m_entries.size()) + " \n" + path);
}

bool PrintListRun::restartIfDue(std::size_t looked)
{
    const int every = m_context.settings.ShutdownEveryXXDrawingValue;
    if (looked == 0 || every <= 0 || looked % static_cast<std::size_t>(every) != 0)
        return true;
    // Entries after a cancel are skipped; starting SolidWorks anew for them is wasted time.
    if (m_context.cancelled())
        return true;
    const std::string caption = m_context.view.label(RunLabel::List);
    m_context.view.setLabel(RunLabel::List, kRestartCaption);
    m_context.view.repaint();
    if (!m_context.connection.RestartSolidWorks())
        return false;
    m_context.connection.swApp()->Visible(true);
    m_context.connection.swApp()->UserControl(true);
    m_context.view.setLabel(RunLabel::List, caption);
    return true;
}

void PrintListRun::appendLogLine(const ProcessLogLine& line)
{
    appendLogText(line.text());
}

void PrintListRun::appendLogText(const std::string& text)
{
    if (m_context.settings.LoggingActive == 0 || m_logFailed)
        return;
    if (!AppendLineToFile(m_context.files, m_report.logPath, text)) {
        // Reported once; the run itself goes on.
        m_logFailed = true;
        m_report.messageText
            += m_context.infoText(kLogNotWrittenInfo) + " " + m_report.logPath + "\r\n";
    }
}

bool PrintListRun::openAndRun(const std::string& path, ProcessLogLine& line)
{
    const char separator = m_env.regional.decimalSeparator();
    Clock& clock = m_context.clock;
    SwApplication& app = *m_context.connection.swApp();
    line.type = "OpenDoc2";

    const std::int64_t t0 = ReadTimerSeconds(clock);
    const std::int16_t type = GetDocTypeFromPath(path);
    bool readOnly = m_readOnly;
    bool viewOnly = m_viewOnly;
    std::int32_t errors = 0;
    std::shared_ptr<SwDocument> opened = app.OpenDoc2(path, type, readOnly, viewOnly, true, errors);
    const std::int64_t t1 = ReadTimerSeconds(clock);
    line.timestamp = logTimestamp(clock.now());
    line.loadTime = logDuration(t0, t1, separator);
    line.loadErrors = std::to_string(errors);
    if (!opened) {
        m_report.messageText += path + " " + m_context.infoText(122) + "\r\n";
        return true;
    }

    ProcessLogLine::Opened times;
    const std::int64_t t2 = ReadTimerSeconds(clock);
    std::shared_ptr<SwDocument> document = app.ActivateDoc(path);
    if (!document)
        document = opened; // the open document is the one to work on either way
    const std::int64_t t3 = ReadTimerSeconds(clock);
    times.activate = logDuration(t2, t3, separator);
    if (m_context.settings.AutoConvertViews != 0)
        ConvertViews(m_env, *document);
    const std::int64_t t4 = ReadTimerSeconds(clock);
    times.convertViews = logDuration(t3, t4, separator);
    ++m_context.counters.ProcessedDrawings;
    RunDocumentAction(m_env, m_action, app, *document, true, m_report.messageText, path);
    times.action = m_action;
    times.actionDuration = logDuration(t4, ReadTimerSeconds(clock), separator);
    line.opened = times;
    return true;
}

bool PrintListRun::processEntry(const std::string& path)
{
    if (m_context.cancelled()) {
        if (!m_cancelReported) {
            m_cancelReported = true;
            m_report.messageText += m_context.infoText(102) + " " + path + "\r\n";
        }
        m_report.cancelled = true;
        m_report.failedEntries.push_back(path);
        return true;
    }
    const std::size_t before = m_report.messageText.size();
    ProcessLogLine line;
    line.readOnly = m_readOnly;
    line.viewOnly = m_viewOnly;
    line.file = path;
    bool goOn = true;
    if (!m_context.files.isPlainFile(path)) {
        line.timestamp = logTimestamp(m_context.clock.now());
        line.loadTime = " ";
        line.loadErrors = "nothing";
        m_report.messageText += path + " " + m_context.infoText(101) + "\r\n";
    } else {
        goOn = runWatched(path, line);
    }
    appendLogLine(line);
    // A cancel seen while the document was worked on ended its sheets or steps early.
    const bool cutShort = m_context.cancelled();
    if (cutShort)
        m_report.cancelled = true;
    if (m_report.messageText.size() != before || cutShort)
        m_report.failedEntries.push_back(path);
    return goOn;
}

void PrintListRun::watchDocument()
{
    if (!m_watchdog.active())
        return;
    const std::shared_ptr<SwApplication>& app = m_context.connection.swApp();
    if (app != m_enderOf) {
        m_enderOf = app;
        m_ender = {};
        try {
            if (app)
                m_ender = app->GetProcessEnder();
        } catch (const AutomationError&) {
            // This SolidWorks can only be waited for.
        }
    }
    m_watchdog.watch(m_ender);
}

bool PrintListRun::runWatched(const std::string& path, ProcessLogLine& line)
{
    using Verdict = DocumentWatchdog::Verdict;
    watchDocument();
    std::optional<AutomationError> failure;
    try {
        openAndRun(path, line);
    } catch (const AutomationError& error) {
        failure = error;
    }
    const Verdict verdict = m_watchdog.release();
    if (!failure && verdict == Verdict::None)
        return true;
    // SolidWorks failed on this document or was ended: tell the user, start it anew and go
    // on; after a cancel only what is left to put back needs it.
    if (line.timestamp.empty())
        line.timestamp = logTimestamp(m_context.clock.now());
    line.opened.reset();
    std::string text;
    switch (verdict) {
    case Verdict::None:
        text = m_context.infoText(kAutomationErrorInfo) + " " + failure->description() + " ("
            + std::to_string(failure->number()) + ")";
        break;
    case Verdict::TimedOut:
        text = m_context.infoText(kTimedOutInfo) + " "
            + std::to_string(m_context.settings.DocumentTimeLimit);
        break;
    case Verdict::Cancelled:
        text = m_context.infoText(kCancelledInCallInfo);
        break;
    case Verdict::NotEnded:
        text = m_context.infoText(kNotEndedInfo);
        break;
    }
    m_report.messageText += path + " " + text + "\r\n";
    if (verdict == Verdict::Cancelled) {
        m_context.cancelFlag = -1;
        return true;
    }
    return m_context.connection.RestartSolidWorks();
}

void PrintListRun::leaveUndone(std::size_t looked)
{
    for (; looked < m_entries.size(); ++looked)
        m_report.failedEntries.push_back(m_entries[indexAt(looked)]);
}

void PrintListRun::endSteps(bool shutDown)
{
    saveCounters(m_env);
    m_context.view.unload();
    m_context.cancelFlag = 0;
    if (!m_report.messageText.empty()) {
        m_context.view.show(m_report.messageText, m_context.infoText(4), MessageIcon::Exclamation);
    }
    if (m_beforeShutdown)
        m_beforeShutdown();
    if (shutDown && m_context.settings.ShutdownWhenDone != 0 && m_context.connection.swApp()) {
        try {
            m_context.connection.swApp()->ExitApp();
        } catch (const AutomationError&) {
            // SolidWorks is gone already, which is what was asked for.
        }
    }
}

RunReport PrintListRun::run()
{
    const std::string folder
        = processLogFolder(m_context.files, m_env.programFolder, m_env.userDataFolder);
    m_report.logPath = processLogPath(folder, m_context.clock.now());
    m_reverse = m_context.settings.PrintlistReverse != 0;
    appendLogText(processLogHeader());
    if (m_entries.empty()) {
        m_context.view.show(
            m_context.infoText(100), m_context.infoText(2), MessageIcon::Information);
        return m_report;
    }
    if (!connectAndPrepare()) {
        leaveUndone(0);
        return m_report;
    }
    m_report.started = true;

    WrittenOutputs outputs(m_entries);
    const RecordInUse outputsInUse(m_context.outputs, &outputs);
    CombinedPdf combined(m_env, m_action);
    const RecordInUse pdfsInUse(m_context.writtenPdfs, combined.parts());
    const std::size_t total = m_entries.size();
    for (std::size_t looked = 0; looked < total; ++looked) {
        const std::string& path = m_entries[indexAt(looked)];
        outputs.setCurrent(indexAt(looked));
        setListLabel(looked + 1, path);
        m_context.view.setBarValue(RunBar::List, static_cast<float>(looked));
        // Until the document is open its sheets are not known; the last one's would mislead
        // while a slow open is under way.
        if (looked > 0)
            clearSheetProgress();
        m_context.view.repaint();
        const bool restarted = restartIfDue(looked);
        const std::size_t failedBefore = m_report.failedEntries.size();
        combined.beginDocument(path);
        const bool goOn = restarted && processEntry(path);
        if (restarted)
            combined.endDocument(path, m_report.failedEntries.size() == failedBefore);
        if (!goOn) {
            // What SolidWorks did not get to is still to be done.
            leaveUndone(restarted ? looked + 1 : looked);
            combined.write(false, m_report.messageText);
            m_context.view.show(kNoSwxInstanceText, kProgramTitle);
            m_report.noSolidWorks = true;
            endSteps(false);
            return m_report;
        }
    }
    combined.write(!m_report.cancelled, m_report.messageText);
    endSteps(true);
    return m_report;
}

} // namespace

void ConvertViews(RunEnvironment& environment, SwDocument& document)
{
    SwConnection& connection = environment.actions.connection;
    if (document.GetType() != kSwDocDrawing || !connection.IsSwxRevisionAtLeast("11", "0"))
        return;
    const std::shared_ptr<SwSheet> current = document.GetCurrentSheet();
    const std::string currentName = current ? current->GetName() : std::string();
    document.GetSheetCount();
    for (const std::string& name : document.GetSheetNames()) {
        document.ActivateSheet(name);
        for (std::shared_ptr<SwView> view = document.GetFirstView(); view;
             view = view->GetNextView()) {
            if (!view->GetFacettedHlrDisplay())
                continue;
            const std::int16_t mode = view->GetDisplayMode();
            const bool edges = view->GetDisplayEdgesInShadedMode();
            if (connection.IsSwxRevisionAtLeast("12", "0")) {
                view->SetDisplayMode3(view->GetUseParentDisplayMode(), mode, false, edges);
            } else {
                view->SetDisplayMode2(mode, false, edges);
            }
        }
    }
    document.ActivateSheet(currentName);
}

void RunDocumentAction(RunEnvironment& environment, const std::string& action, SwApplication& app,
    SwDocument& document, bool closeAfter, std::string& messageText, const std::string& fileName)
{
    ActionContext& context = environment.actions;
    Settings& settings = context.settings;
    if (action == "Plot" || action == "TIFF") {
        ProcessDrawingSheets(context, action, app, document, closeAfter, messageText, fileName);
    } else if (action == "DXF" || action == "DWG") {
        if (settings.DXFSWXMultiDXF != 0 && context.connection.IsSwxRevisionAtLeast("14", "-7")) {
            SaveDrawingAsOneFile(context, action, app, document, closeAfter, messageText, fileName);
        } else {
            ProcessDrawingSheets(context, action, app, document, closeAfter, messageText, fileName);
        }
    } else if (action == "EXPORT3D") {
        ExportModel3D(context, action, settings.ThreeDSaveFormat, app, document, closeAfter,
            messageText, fileName);
    } else if (action == "EXPORTDOC") {
        ExportDocument(context, action, settings.ExpDocSaveFormat, app, document, closeAfter,
            messageText, fileName);
    } else if (action == "EXPORTEDRAWINGS") {
        SaveAsEDrawings(context, action, app, document, closeAfter, messageText, fileName);
    } else if (action == "RUNMACRO") {
        RunMacroOnDocument(context, action, settings.RunMacroIndex, app, &document, closeAfter,
            messageText, fileName);
    } else if (action == "MULTIJOB") {
        RunJobSteps(environment, app, document, messageText, fileName);
        if (closeAfter)
            app.CloseDoc(document.GetTitle());
    }
}

RunReport RunPrintList(RunEnvironment& environment, const std::string& action,
    const std::vector<std::string>& entries, const std::function<void()>& beforeShutdown)
{
    return PrintListRun(environment, action, entries, beforeShutdown).run();
}

RunReport RunActiveDocument(RunEnvironment& environment, const std::string& action)
{
    ActionContext& context = environment.actions;
    RunReport report;
    if (!context.connection.ConnectSolidWorks()) {
        context.view.show(kNoSwxInstanceText, kProgramTitle);
        report.noSolidWorks = true;
        return report;
    }
    report.started = true;
    RunView& view = context.view;
    try {
        SwApplication& app = *context.connection.swApp();
        app.Visible(true);
        app.UserControl(true);
        context.cancelFlag = 0;
        for (RunBar bar : { RunBar::List, RunBar::Sheet }) {
            view.setBarRange(bar, 0, 1);
            view.setBarValue(bar, 0);
        }
        view.setLabel(RunLabel::Progress, action + ": 1 " + context.infoText(20));
        view.setLabel(RunLabel::Sheet, "??? " + context.infoText(22));
        view.show();
        view.setLabel(RunLabel::List, context.infoText(21) + " 1 / 1");
        view.setBarValue(RunBar::List, 1);
        view.repaint();

        const std::shared_ptr<SwDocument> document = app.ActiveDoc();
        if (!document) {
            report.messageText += " " + context.infoText(kNoActiveDocumentInfo) + "\r\n";
        } else {
            if (context.settings.AutoConvertViews != 0)
                ConvertViews(environment, *document);
            ++context.counters.ProcessedDrawings;
            const std::string title = document->GetTitle();
            RunDocumentAction(
                environment, action, app, *document, false, report.messageText, title);
            if (context.cancelled())
                report.cancelled = true;
        }
    } catch (const AutomationError& error) {
        report.messageText += " " + context.infoText(kAutomationErrorInfo) + " "
            + error.description() + " (" + std::to_string(error.number()) + ")\r\n";
    }
    saveCounters(environment);
    view.unload();
    context.cancelFlag = 0;
    if (!report.messageText.empty())
        view.show(report.messageText, context.infoText(4), MessageIcon::Exclamation);
    return report;
}

RunReport RunActionCommand(
    RunEnvironment& environment, const std::string& action, const std::vector<std::string>& entries)
{
    ActionContext& context = environment.actions;
    if (action == "RUNMACRO" && !MacroChosen(context.settings, context.settings.RunMacroIndex)) {
        // Said once: every document would report the same and SolidWorks would open each
        // of them for nothing.
        context.view.show(NoMacroChosenText(context, context.settings.RunMacroIndex),
            context.infoText(4), MessageIcon::Exclamation);
        return {};
    }
    const bool bracket = action == "Plot" || action == "TIFF" || action == "EXPORTDOC";
    if (bracket) {
        std::string status;
        Swx_GetPrinterLines(context.connection, context.defaultLines, status);
    }
    bool restored = !bracket;
    const std::function<void()> restoreLines = [&] {
        if (restored)
            return;
        restored = true;
        std::string message;
        Swx_SetPrinterLines(context.connection, context.defaultLines, message);
    };
    RunReport report = environment.flags.WorkWithActiveDrawing != 0
        ? RunActiveDocument(environment, action)
        : RunPrintList(environment, action, entries, restoreLines);
    // A run that ended early (an empty list) still gets its weights back; without
    // SolidWorks there is nothing to write them to.
    if (!report.noSolidWorks)
        restoreLines();
    return report;
}

} // namespace quorrix::engine
