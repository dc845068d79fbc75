#include "engine/actions/saved_file_check.h"

#include "engine/actions/action_context.h"
#include "engine/platform/file_system.h"
#include "engine/platform/platform_error.h"

namespace quorrix::engine {

namespace {

constexpr std::int32_t kInfoExportFailed = 118;

} // namespace

bool outputWritten(FileSystem& files, const std::string& path)
{
    try {
        const std::optional<FileStamp> stamp = files.stamp(path);
        return stamp && stamp->size > 0;
    } catch (const PlatformError&) {
        // A file that cannot even be looked at is of no use to the user either.
        return false;
    }
}

void reportExtendedSave(ActionContext& context, bool saved, std::int32_t errors,
    std::int32_t warnings, const std::string& path, std::string& errorText,
    const std::string& fileName)
{
    if (!saved) {
        // Error 1024 is what SolidWorks answers for a selection save without eDrawings
        // Professional, the most common cause, so the line names it.
        errorText += fileName + " nErr:" + std::to_string(errors)
            + " nWarn:" + std::to_string(warnings) + " (1024 = no eDrawings Pro)\r\n"
            + context.infoText(kInfoExportFailed) + "\r\n";
        return;
    }
    if (!outputWritten(context.files, path))
        appendErrorLine(context, errorText, fileName, kInfoExportFailed);
}

} // namespace quorrix::engine
