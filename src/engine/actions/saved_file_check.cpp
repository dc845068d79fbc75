#include "engine/actions/saved_file_check.h"

#include "engine/actions/action_context.h"
#include "engine/actions/written_outputs.h"
#include "engine/platform/platform_error.h"

namespace quorrix::engine {

namespace {

constexpr std::int32_t kInfoExportFailed = 118;
constexpr std::int32_t kInfoOverwrote = 210;
constexpr std::int32_t kInfoWrittenBefore = 211;

// A file that cannot even be looked at is of no use to the user either.
std::optional<FileStamp> stampOf(FileSystem& files, const std::string& path)
{
    try {
        return files.stamp(path);
    } catch (const PlatformError&) {
        return std::nullopt;
    }
}

} // namespace

OutputCheck::OutputCheck(ActionContext& context, std::string path)
    : m_context(context)
    , m_path(std::move(path))
    , m_before(stampOf(context.files, m_path))
{
}

bool OutputCheck::written(std::string& errorText, const std::string& fileName) const
{
    const std::optional<FileStamp> after = stampOf(m_context.files, m_path);
    if (!after || after->size == 0 || after == m_before)
        return false;
    if (m_context.outputs != nullptr) {
        if (const std::string* earlier = m_context.outputs->noteWritten(m_path)) {
            errorText += fileName + " " + m_context.infoText(kInfoOverwrote) + " " + m_path + " "
                + m_context.infoText(kInfoWrittenBefore) + " " + *earlier + "\r\n";
        }
    }
    return true;
}

void reportExtendedSave(ActionContext& context, bool saved, std::int32_t errors,
    std::int32_t warnings, const OutputCheck& output, std::string& errorText,
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
    if (!output.written(errorText, fileName))
        appendErrorLine(context, errorText, fileName, kInfoExportFailed);
}

} // namespace quorrix::engine
