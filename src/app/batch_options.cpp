#include "app/batch_options.h"

#include <array>

namespace quorrix::app {

namespace {

// A whole number of seconds from 0 to a week, or nothing.
std::optional<std::int32_t> secondsOf(const std::string& text)
{
    constexpr std::int32_t kMostSeconds = 7 * 24 * 3600;
    if (text.empty() || text.size() > 7)
        return std::nullopt;
    std::int32_t seconds = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        seconds = seconds * 10 + (c - '0');
    }
    if (seconds > kMostSeconds)
        return std::nullopt;
    return seconds;
}

constexpr std::array<const char*, 9> kActions { "Plot", "TIFF", "DXF", "DWG", "EXPORT3D",
    "EXPORTDOC", "EXPORTEDRAWINGS", "RUNMACRO", "MULTIJOB" };

} // namespace

bool isActionCode(const std::string& text)
{
    for (const char* action : kActions) {
        if (text == action)
            return true;
    }
    return false;
}

ParsedOptions parseBatchOptions(const std::vector<std::string>& arguments)
{
    BatchOptions options;
    ParsedOptions result;
    // Options that take the next argument as their value.
    const auto valueOf = [&](std::size_t& i, std::string& target) {
        if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
            result.error = arguments[i]
                + (arguments[i] == "--timeout"             ? " needs a number of seconds"
                        : arguments[i] == "--search-folder" ? " needs a folder"
                                                            : " needs a file name");
            return false;
        }
        target = arguments[++i];
        return true;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::string value;
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--list" || argument == "--assembly") {
            if (!valueOf(i, value))
                return result;
            options.sources.push_back({ argument == "--list" ? EntrySource::Kind::List
                                                             : EntrySource::Kind::Assembly,
                value });
        } else if (argument == "--search-folder") {
            if (!valueOf(i, value))
                return result;
            options.searchFolders.push_back(value);
        } else if (argument == "--combine-pdf") {
            if (!valueOf(i, options.combinePdf))
                return result;
        } else if (argument == "--models") {
            options.models = true;
        } else if (argument == "--every-occurrence") {
            options.everyOccurrence = true;
        } else if (argument == "--settings") {
            if (!valueOf(i, options.settingsFile))
                return result;
        } else if (argument == "--failed-list") {
            if (!valueOf(i, options.failedList))
                return result;
        } else if (argument == "--active") {
            options.active = true;
        } else if (argument == "--read-only") {
            options.readOnly = true;
        } else if (argument == "--view-only") {
            options.viewOnly = true;
        } else if (argument == "--reverse") {
            options.reverse = true;
        } else if (argument == "--log") {
            options.log = true;
        } else if (argument == "--timeout") {
            if (!valueOf(i, value))
                return result;
            const std::optional<std::int32_t> seconds = secondsOf(value);
            if (!seconds) {
                result.error
                    = "--timeout needs a whole number of seconds (0: no limit), not " + value;
                return result;
            }
            options.timeoutSeconds = seconds;
        } else if (argument == "--quiet") {
            options.quiet = true;
        } else if (argument == "--stand-in") {
            options.standIn = true;
        } else if (argument.starts_with("-")) {
            result.error = "unknown option " + argument;
            return result;
        } else if (options.action.empty()) {
            options.action = argument;
        } else {
            result.error = "only one action may be given, not also " + argument;
            return result;
        }
    }
    if (options.help) {
        result.options = options;
        return result;
    }
    if (options.action.empty()) {
        result.error = "no action given";
    } else if (!isActionCode(options.action)) {
        result.error = "unknown action " + options.action;
    } else if (options.sources.empty() && !options.active) {
        result.error = "give a print list with --list FILE or an assembly with --assembly FILE, "
                       "or --active";
    } else if (!options.sources.empty() && options.active) {
        result.error = "--active works on the active document; it takes no --list or --assembly";
    } else if (!options.combinePdf.empty()
        && (options.active || (options.action != "EXPORTDOC" && options.action != "MULTIJOB"))) {
        result.error = "--combine-pdf combines the PDFs of EXPORTDOC (or of a MULTIJOB with it) "
                       "over a list";
    } else {
        result.options = options;
    }
    return result;
}

std::string batchHelpText()
{
    return R"(Usage: quorrix-batch ACTION [--list FILE | --assembly FILE]... [--active]
                     [--search-folder DIR]... [--models] [--every-occurrence]
                     [--settings FILE] [--read-only] [--view-only] [--reverse] [--log]
                     [--combine-pdf FILE] [--failed-list FILE] [--timeout SECONDS]
                     [--stand-in] [--quiet]

Runs one QUORRIX action over a print list without the windows, for schedulers and
scripts. It uses the settings the program has stored, drives SolidWorks and reports what
went wrong at the end. On Windows without SolidWorks it says so and stops, unless
--stand-in asks for the built-in SolidWorks stand-in; elsewhere SolidWorks cannot run and
the stand-in always answers.

ACTION (as written, letter case counts):
  Plot              print every sheet on the printer and paper its size calls for
  TIFF, DXF, DWG    save drawing sheets as files
  EXPORT3D          save parts and assemblies in the stored 3D format
  EXPORTDOC         save documents as PDF or JPG (the stored format)
  EXPORTEDRAWINGS   save eDrawings files
  RUNMACRO          run the selected macro on every document
  MULTIJOB          run the stored multi-job (pre-jobs and up to ten steps)

Options:
  --list FILE         a print list file (one quoted path per line); may be given more
                      than once, the lists are joined in order; every entry is
                      run, however long the list (MULTIJOB names each entry beyond
                      the print list's 32767 rows and does not run it)
  --assembly FILE     the drawings of an assembly's parts and subassemblies, in the
                      order of its bill of materials (suppressed and excluded
                      components left out, each document once); may be given more
                      than once and mixed with --list, the entries are joined in
                      order. A drawing has its model's name and lies beside it or
                      in a search folder; models without one are named
  --search-folder DIR where --assembly looks for drawings, before the folders the
                      settings name; may be given more than once
  --models            --assembly gives the models themselves (EXPORT3D always does)
  --every-occurrence  --assembly lists a document wherever it occurs
  --active            work on the document that is active in SolidWorks instead
  --settings FILE     a settings file (.qrxcfg) read over the stored settings
  --read-only         open the documents read-only
  --view-only         open the documents view-only
  --reverse           work through the list from the last entry to the first
  --log               write the process log (processlog_<time>.txt)
  --combine-pdf FILE  after EXPORTDOC (or a MULTIJOB with it) with the format PDF,
                      join every PDF the run wrote into FILE, in run order, with a
                      bookmark per document and sheet; documents not done are left
                      out and named. The single PDFs are kept
  --failed-list FILE  write every entry that was not done (problems, missing or
                      stale output, cancelled, not reached) as a print list file
  --timeout SECONDS   the longest one document may take from open to close (600
                      unless the settings say otherwise; 0: no limit); SolidWorks
                      is then ended and started anew and the run goes on
  --stand-in          run against the SolidWorks stand-in (writes placeholder and
                      sample outputs, prints to its spool file) instead of SolidWorks;
                      the default where SolidWorks cannot run (Linux)
  --quiet             no progress line
  --help              this text

Exit status:
  0    every document was done
  1    some documents were not done (see the message text and --failed-list), the
       failed list could not be written, or an assembly names a component file that
       is missing, a subassembly that cannot be read or a cycle
  2    bad arguments, an unreadable list, assembly or settings file, no SolidWorks
       or Document Manager, or RUNMACRO with no macro chosen for the selected slot
  130  cancelled (Ctrl+C); the failed list holds every document not done. A
       SolidWorks call that keeps Ctrl+C waiting for more than 3 seconds is ended
)";
}

} // namespace quorrix::app
