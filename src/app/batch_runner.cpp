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
#include "engine/printlist/assembly_package.h"
#include "engine/printlist/print_list.h"
#include "engine/printlist/print_list_file.h"
#include "engine/run/batch_run.h"
#include "engine/run/combined_pdf.h"
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
#include "pdf/pdf_combiner_factory.h"
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

// Tells what kept documents of an assembly out of the run; true when the entries are
// complete. Models without a drawing are usual (bought parts) and only named.
bool tellPackageProblems(BatchWorld& world, const std::string& assembly,
    const engine::AssemblyPackage& package)
{
    const std::string from = kProgram + std::string(": ") + assembly + ": ";
    for (const engine::MissingComponent& missing : package.missing) {
        world.err << from << "the component file is missing: " << missing.file
                  << (missing.assembly.empty() ? std::string() : " (in " + missing.assembly + ")")
                  << "\n";
    }
    for (const engine::UnreadableAssembly& unreadable : package.unreadable) {
        world.err << from << "cannot read " << unreadable.path << ": "
                  << (unreadable.reason == engine::UnreadableAssembly::Reason::NoConfiguration
                             ? "it has no configuration " + unreadable.text
                             : unreadable.reason == engine::UnreadableAssembly::Reason::OpenError
                             ? "the Document Manager cannot open it (error "
                                 + std::to_string(unreadable.code) + ")"
                             : unreadable.text + " (" + std::to_string(unreadable.code) + ")")
                  << "\n";
    }
    for (const std::vector<std::string>& cycle : package.cycles) {
        std::string chain;
        for (const std::string& path : cycle)
            chain += (chain.empty() ? "" : " -> ") + path;
        world.err << from << "the assemblies reference each other in a cycle: " << chain << "\n";
    }
    if (!package.withoutDrawing.empty()) {
        world.err << from << package.withoutDrawing.size()
                  << (package.withoutDrawing.size() == 1 ? " model has" : " models have")
                  << " no drawing:\n";
        for (const std::string& model : package.withoutDrawing)
            world.err << "  " << model << "\n";
    }
    return package.missing.empty() && package.unreadable.empty() && package.cycles.empty();
}

// What the entries are read from.
struct EntryReading {
    bool ok = true; // false: the run cannot start (the user was told why)
    bool complete = true; // false: an assembly's documents could not all be found
};

// Joins the print list files and assemblies in order. Lines that cannot be run are told by
// file and line and kept as read for the failed list. There is no window here, so the
// window's limit on the list's length does not apply.
EntryReading loadEntries(BatchWorld& world, const BatchOptions& options,
    const engine::Settings& settings, std::vector<std::string>& entries,
    std::vector<std::string>& unusableLines)
{
    EntryReading reading;
    std::unique_ptr<engine::DocumentManagerConnector> documentManager;
    for (const EntrySource& source : options.sources) {
        const std::string& path = source.path;
        if (source.kind == EntrySource::Kind::Assembly) {
            if (!world.ports.files->isPlainFile(path)) {
                world.err << kProgram << ": the assembly " << path << " is not there\n";
                return { false, false };
            }
            if (!documentManager)
                documentManager = createDocumentManager(world.ports, options.standIn);
            engine::AssemblyPackageOptions packaging;
            packaging.everyOccurrence = options.everyOccurrence;
            packaging.models = options.models || options.action == "EXPORT3D";
            packaging.searchFolders = options.searchFolders;
            for (std::string& folder : engine::splitSearchFolders(settings.DrawingSearchFolders))
                packaging.searchFolders.push_back(std::move(folder));
            const engine::AssemblyPackage package = engine::ExpandAssembly(*documentManager,
                engine::kDocumentManagerAccessString, *world.ports.files, path, packaging);
            if (package.noDocumentManager) {
                world.err << kProgram << ": " << path
                          << ": the SolidWorks Document Manager, which reads assemblies, is not "
                             "installed or refused QUORRIX\n";
                return { false, false };
            }
            if (!package.unreadable.empty() && package.unreadable.front().path == path) {
                tellPackageProblems(world, path, package);
                return { false, false };
            }
            reading.complete = tellPackageProblems(world, path, package) && reading.complete;
            entries.insert(entries.end(), package.documents.begin(), package.documents.end());
            continue;
        }
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
            return { false, false };
        }
        entries.insert(entries.end(), std::make_move_iterator(file.rows.begin()),
            std::make_move_iterator(file.rows.end()));
    }
    return reading;
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
    // Without a PDF to join, a scheduler would wait for a file that never comes.
    if (!options.combinePdf.empty() && !engine::RunWritesPdfs(settings, options.action))
        return startError(world,
            options.action == "MULTIJOB"
                ? "--combine-pdf: the multi-job has no step Export Doc PDF"
                : "--combine-pdf needs PDF as the document export's format, not "
                    + settings.ExpDocSaveFormat);

    std::vector<std::string> entries;
    std::vector<std::string> unusableLines;
    const EntryReading reading = loadEntries(world, options, settings, entries, unusableLines);
    if (!reading.ok)
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
        const std::unique_ptr<engine::PdfCombiner> combiner = pdf::createPdfCombiner();
        engine::RunEnvironment environment { context, registry, *ports.regional, *ports.shell,
            ports.programFolder, ports.userDataFolder, {}, {}, {}, {}, combiner.get(),
            options.combinePdf };
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
    return code == kExitDone && (!unusableLines.empty() || !reading.complete) ? kExitProblems
                                                                                : code;
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
