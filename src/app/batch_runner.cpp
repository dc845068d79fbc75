#include "app/batch_runner.h"

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/batch_options.h"
#include "app/console_run_view.h"
#include "app/solidworks_connector.h"
#include "engine/actions/action_context.h"
#include "engine/actions/export_document.h"
#include "engine/platform/ini_file.h"
#include "engine/platform/platform_error.h"
#include "engine/printlist/print_list.h"
#include "engine/printlist/print_list_file.h"
#include "engine/run/batch_run.h"
#include "engine/run/multi_job.h"
#include "engine/run/run_environment.h"
#include "engine/run/run_thread.h"
#include "engine/settings/language_files.h"
#include "engine/settings/multi_language.h"
#include "engine/settings/registry.h"
#include "engine/settings/settings_file.h"
#include "engine/settings/settings_schema.h"
#include "engine/swlink/printer_lines.h"
#include "engine/swlink/sw_connection.h"
#include "platform/platform_ports.h"

namespace quorrix::app {

namespace {

constexpr const char* kProgram = "quorrix-batch";

int usageError(BatchWorld& world, const std::string& text)
{
    world.err << kProgram << ": " << text << "\nTry '" << kProgram << " --help'.\n";
    return kExitUsage;
}

// A reason the run cannot start that no other option would mend: one line, status 2.
int startError(BatchWorld& world, const std::string& text)
{
    world.err << kProgram << ": " << text << "\n";
    return kExitUsage;
}

std::string faultText(engine::LineFault fault)
{
    return fault == engine::LineFault::ControlCharacter
        ? "it holds a control character"
        : "it is neither UTF-8 nor Windows-1252 text";
}

// Writes the failed list; false (the user told why) when it cannot be written.
bool writeFailedList(BatchWorld& world, const std::string& path,
    const std::vector<std::string>& entries, const std::vector<std::string>& unusableLines)
{
    const engine::ListFileResult written
        = engine::writePrintListFile(*world.ports.files, path, entries, unusableLines);
    if (!written.ok())
        world.err << kProgram << ": cannot write " << path << ": " << written.errorText() << "\n";
    return written.ok();
}

// Why the file given with --settings cannot be used, or nothing. A file that cannot be read,
// a line that cannot be decoded or a file without a single section of a settings file would
// run the list with settings nobody chose, so each of them ends the run before it starts.
std::optional<std::string> settingsFileProblem(engine::FileSystem& files, const std::string& path)
{
    std::shared_ptr<const engine::IniDocument> document;
    try {
        document = engine::IniFile(files).document(path);
    } catch (const engine::PlatformError& error) {
        return "the settings file " + path + " cannot be read: " + error.description();
    }
    const std::vector<engine::LineProblem> problems = document->problems();
    if (!problems.empty())
        return "line " + std::to_string(problems.front().number) + " of the settings file " + path
            + " cannot be used: " + faultText(problems.front().fault);
    for (const engine::SettingsFileKey& key : engine::settingsFileLayout()) {
        if (document->hasSection(key.section))
            return std::nullopt;
    }
    return "the file " + path + " holds no settings: none of its sections is one of QUORRIX";
}

// Joins the print list files in order; false (the user told why) when one cannot be read.
// Lines that cannot be run are told by file and line and kept as read for the failed list.
// There is no window here, so the window's limit on the list's length does not apply.
bool loadLists(BatchWorld& world, const BatchOptions& options, std::vector<std::string>& entries,
    std::vector<std::string>& unusableLines)
{
    for (const std::string& path : options.lists) {
        engine::ListFileResult file = engine::readPrintListFile(*world.ports.files, path);
        for (const engine::UnusableListLine& line : file.unusable) {
            world.err << kProgram << ": " << path << ":" << line.number
                      << ": the line is not run: " << faultText(line.fault) << "\n";
            unusableLines.push_back(line.bytes);
        }
        if (!file.ok()) {
            world.err << kProgram << ": cannot read the print list " << path << ": "
                      << (file.status == engine::ListFileStatus::Missing
                                 ? std::string("the file is not there")
                                 : file.errorText())
                      << "\n";
            return false;
        }
        entries.insert(entries.end(), std::make_move_iterator(file.rows.begin()),
            std::make_move_iterator(file.rows.end()));
    }
    return true;
}

// A multi-job works on the print list itself, which its pre-jobs may add to; what does not
// fit is named, one line each, and is not done.
std::vector<std::string> fillPrintList(
    BatchWorld& world, const std::vector<std::string>& entries, engine::PrintList& printList)
{
    std::vector<std::string> dropped = printList.insertPaths(entries);
    for (const std::string& path : dropped) {
        world.err << kProgram << ": not run, the print list holds at most "
                  << engine::PrintList::kMaxRows << " entries: " << path << "\n";
    }
    return dropped;
}

int exitCode(const engine::RunReport& report)
{
    if (report.noSolidWorks || !report.started)
        return kExitUsage;
    if (report.cancelled)
        return kExitCancelled;
    return report.messageText.empty() && report.failedEntries.empty() ? kExitDone : kExitProblems;
}

int runGuardedBatch(const std::vector<std::string>& arguments, BatchWorld& world)
{
    const ParsedOptions parsed = parseBatchOptions(arguments);
    if (!parsed.options)
        return usageError(world, parsed.error);
    const BatchOptions& options = *parsed.options;
    if (options.help) {
        world.out << batchHelpText();
        return kExitDone;
    }

    platform::PlatformPorts& ports = world.ports;
    engine::CancelFlag cancelFlag { 0 };
    ConsoleRunView view(world.out, world.err, *ports.clock, cancelFlag, world.interrupted,
        world.terminal && !options.quiet);

    // The stored settings, as the program reads them at start.
    engine::Settings settings = engine::defaultSettings();
    engine::Registry registry(*ports.store, view, *ports.regional);
    registry.LoadRegistrySettings(settings);
    engine::UsageCounters counters;
    registry.LoadProcessedCounters(counters);
    engine::clsMultiLanguage language(*ports.files, view);
    language.IniFile(engine::LanguageFilePath(ports.programFolder, settings.Language));

    if (!options.settingsFile.empty()) {
        if (!ports.files->isPlainFile(options.settingsFile))
            return usageError(world, "the settings file " + options.settingsFile + " is not there");
        if (const std::optional<std::string> problem
            = settingsFileProblem(*ports.files, options.settingsFile))
            return startError(world, *problem);
        engine::SettingsFiles(language, view, *ports.regional)
            .LoadSettingsFile(options.settingsFile, false, settings);
    }
    if (options.reverse)
        settings.PrintlistReverse = engine::kTrue;
    if (options.timeoutSeconds)
        settings.DocumentTimeLimit = *options.timeoutSeconds;
    if (options.log)
        settings.LoggingActive = 1;
    settings.selectActiveFilter();

    std::vector<std::string> entries;
    std::vector<std::string> unusableLines;
    if (!loadLists(world, options, entries, unusableLines))
        return kExitUsage;

    engine::RunReport report;
    std::size_t documents = options.active ? 1 : entries.size();
    try {
        SolidWorksConnector solidWorks
            = createSolidWorksConnector(ports, settings.UseSolidWorksVersion, options.standIn);
        engine::SwConnection connection(*solidWorks.connector, *ports.clock, settings);
        engine::PrinterLineSettings defaultLines = engine::defaultPrinterLineSettings();
        std::string pdfAddInPath = engine::FindBluebeamAddIn(*ports.store);
        engine::ActionContext context { settings, counters, connection, view, language,
            *ports.clock, *ports.files, cancelFlag, defaultLines, pdfAddInPath };
        engine::RunEnvironment environment { context, registry, *ports.regional, *ports.shell,
            ports.programFolder, ports.userDataFolder, {}, {}, {}, {} };
        environment.flags.OpenReadOnly = options.readOnly ? 1 : 0;
        environment.flags.OpenViewOnly = options.viewOnly ? 1 : 0;
        environment.flags.WorkWithActiveDrawing = options.active ? 1 : 0;
        environment.cancelRequested = [&world] { return world.interrupted != 0; };
        // A call that SolidWorks never returns from would hold the run for ever: the program
        // ends here instead, with every entry of the run to be done again.
        environment.solidWorksNotEnded = [&] {
            world.err << kProgram
                      << ": SolidWorks does not answer and could not be ended; the run stops\n";
            if (!options.failedList.empty())
                writeFailedList(world, options.failedList, entries, unusableLines);
            world.out.flush();
            world.err.flush();
            std::_Exit(kExitProblems);
        };
        if (!options.quiet)
            world.err << kProgram << ": " << options.action << " with " << solidWorks.description
                      << "\n";

        // The run has a thread of its own, as in the window, so that it meets SolidWorks
        // the same way in both programs (on Windows from a COM apartment of its own).
        const auto onOwnThread = [&connection](std::function<engine::RunReport()> run) {
            return engine::RunThread(connection, std::move(run)).wait();
        };
        if (options.action == "MULTIJOB") {
            engine::PrintList printList;
            const std::vector<std::string> dropped = fillPrintList(world, entries, printList);
            report = onOwnThread([&] { return engine::RunMultiJob(environment, printList); });
            report.failedEntries.insert(report.failedEntries.end(), dropped.begin(), dropped.end());
            report.droppedEntries += dropped.size();
            documents = options.active ? 1 : printList.rows().size() + report.droppedEntries;
        } else {
            report = onOwnThread(
                [&] { return engine::RunActionCommand(environment, options.action, entries); });
        }
    } catch (const std::exception& error) {
        // Whatever broke, no entry of this run may pass for done: they all go to the failed
        // list, to be run again.
        world.err << kProgram << ": the run stopped: " << error.what() << "\n";
        report = engine::RunReport {};
        report.started = true;
        report.messageText = error.what();
        report.failedEntries = entries;
    }

    if (report.started && !options.quiet) {
        world.err << kProgram << ": " << documents
                  << (documents == 1 ? " document, " : " documents, ")
                  << (options.active ? (report.messageText.empty() ? 0 : 1)
                                     : report.failedEntries.size())
                  << " with problems" << (report.cancelled ? ", cancelled" : "") << "\n";
    }
    if (settings.LoggingActive != 0 && report.started && !options.active && !report.logPath.empty())
        world.out << "Process log: " << report.logPath << "\n";
    int code = exitCode(report);
    // A list left from an earlier run would otherwise pass for this run's.
    if (!options.failedList.empty()
        && !writeFailedList(world, options.failedList, report.failedEntries, unusableLines)
        && code == kExitDone)
        code = kExitProblems;
    return code == kExitDone && !unusableLines.empty() ? kExitProblems : code;
}

} // namespace

int runBatch(const std::vector<std::string>& arguments, BatchWorld& world)
{
    // The program never ends on an uncaught exception: one line and a failure status.
    try {
        return runGuardedBatch(arguments, world);
    } catch (const std::exception& error) {
        world.err << kProgram << ": " << error.what() << "\n";
        return kExitProblems;
    }
}

} // namespace quorrix::app
