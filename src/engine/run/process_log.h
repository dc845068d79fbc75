#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/platform/clock.h"

namespace quorrix::engine {

class FileSystem;

// The performance counter in whole 1/10000 s: a fixed-point number of seconds with four
// decimal places.
std::int64_t ReadTimerSeconds(const Clock& clock);

// Appends the line and CR LF to the file, creating it when missing; the file is complete
// after every line. False when it cannot be written.
bool AppendLineToFile(FileSystem& files, const std::string& path, const std::string& line);

// "processlog_" + yyyymmdd-hhmmss + ".txt" in the folder.
std::string processLogPath(const std::string& folder, const LocalDateTime& start);

// The log goes beside the program when the user may write there, else into the user's data
// folder (a program installed under Program Files usually cannot write beside itself).
std::string processLogFolder(
    FileSystem& files, const std::string& programFolder, const std::string& userDataFolder);

// A duration between two timer readings: seconds with at most four decimals, trailing zeros
// dropped, in the user's decimal separator.
std::string logDuration(std::int64_t startTicks, std::int64_t endTicks, char decimalSeparator);

// "dd.mm.yyyy hh:mm:ss"
std::string logTimestamp(const LocalDateTime& time);

// The header line's eleven tab-separated field names.
std::string processLogHeader();

// One document's line: seven fields up to the load error, then four more when the document
// was opened. The caller fills in what happened.
struct ProcessLogLine {
    std::string timestamp;
    std::string type; // "OpenDoc2", or empty for a missing file
    bool readOnly = false;
    bool viewOnly = false;
    std::string file;
    std::string loadTime; // one blank for a missing file
    std::string loadErrors; // decimal, or "nothing" for a missing file
    struct Opened {
        std::string activate;
        std::string convertViews;
        std::string action;
        std::string actionDuration;
    };
    std::optional<Opened> opened;

    std::string text() const;
};

} // namespace quorrix::engine
