#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorrix::app {

// Where entries of the run come from, in command-line order.
struct EntrySource {
    enum class Kind { List, Assembly };
    Kind kind = Kind::List;
    std::string path; // a print list file, or an assembly whose documents are run
    bool operator==(const EntrySource&) const = default;
};

// The command line of quorrix-batch.
struct BatchOptions {
    std::string action;
    std::vector<EntrySource> sources;
    // --search-folder: where an assembly's drawings are looked for before the stored folders.
    std::vector<std::string> searchFolders;
    bool models = false; // --models: an assembly gives its models, not their drawings
    bool everyOccurrence = false; // --every-occurrence
    std::string combinePdf; // --combine-pdf FILE
    bool active = false;
    std::string settingsFile;
    bool readOnly = false;
    bool viewOnly = false;
    bool reverse = false;
    bool log = false;
    std::string failedList;
    bool quiet = false;
    bool help = false;
    // --timeout: the seconds one document may take (0: no limit); the stored limit when
    // not given.
    std::optional<std::int32_t> timeoutSeconds;
    // --stand-in: the SolidWorks stand-in instead of SolidWorks; on Windows only when asked
    // for, elsewhere always.
    bool standIn = false;
};

// Exit codes of quorrix-batch.
inline constexpr int kExitDone = 0;
inline constexpr int kExitProblems = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitCancelled = 130;

// The options, or an error text saying what is wrong (arguments without the program name).
struct ParsedOptions {
    std::optional<BatchOptions> options;
    std::string error;
};
ParsedOptions parseBatchOptions(const std::vector<std::string>& arguments);

// What --help prints.
std::string batchHelpText();

// True for the nine action codes (case-sensitive).
bool isActionCode(const std::string& text);

} // namespace quorrix::app
