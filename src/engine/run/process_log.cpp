#include "engine/run/process_log.h"

#include <cstdio>

#include "engine/platform/file_system.h"
#include "engine/platform/path_text.h"
#include "engine/platform/platform_error.h"

namespace quorrix::engine {

namespace {

constexpr std::int64_t kTicksPerSecond = 10000;

std::string joinFields(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "\t" : "") + fields[i];
    return line;
}

const char* booleanText(bool value)
{
    return value ? "True" : "False";
}

} // namespace

std::int64_t ReadTimerSeconds(const Clock& clock)
{
    return clock.counterTicks();
}

bool AppendLineToFile(FileSystem& files, const std::string& path, const std::string& line)
{
    try {
        files.appendBytes(path, line + "\r\n");
        return true;
    } catch (const PlatformError&) {
        return false;
    }
}

std::string processLogPath(const std::string& folder, const LocalDateTime& start)
{
    char name[64];
    std::snprintf(name, sizeof name, "processlog_%04d%02d%02d-%02d%02d%02d.txt", start.year,
        start.month, start.day, start.hour, start.minute, start.second);
    return folder + kPathSeparator + name;
}

std::string processLogFolder(
    FileSystem& files, const std::string& programFolder, const std::string& userDataFolder)
{
    try {
        if (files.isWritableFolder(programFolder))
            return programFolder;
    } catch (const PlatformError&) {
        // Not writable as far as we can tell.
    }
    return userDataFolder;
}

std::string logDuration(std::int64_t startTicks, std::int64_t endTicks, char decimalSeparator)
{
    std::int64_t ticks = endTicks - startTicks;
    std::string text;
    if (ticks < 0) {
        text = "-";
        ticks = -ticks;
    }
    text += std::to_string(ticks / kTicksPerSecond);
    std::string fraction = std::to_string(ticks % kTicksPerSecond + kTicksPerSecond).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (!fraction.empty())
        text += decimalSeparator + fraction;
    return text;
}

std::string logTimestamp(const LocalDateTime& t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year,
        t.hour, t.minute, t.second);
    return text;
}

std::string processLogHeader()
{
    return joinFields({ "Timestamp", "Type", "Readonly", "ViewOnly", "File", "Loadtime",
        "Loaderrors", "Activate", "ConvertViews", "Action", "Actionduration" });
}

std::string ProcessLogLine::text() const
{
    std::vector<std::string> fields { timestamp, type, booleanText(readOnly), booleanText(viewOnly),
        file, loadTime, loadErrors };
    if (opened) {
        fields.insert(fields.end(),
            { opened->activate, opened->convertViews, opened->action, opened->actionDuration });
    }
    return joinFields(fields);
}

} // namespace quorrix::engine
