#include "engine/run/combined_pdf.h"

#include <algorithm>

#include "engine/actions/output_naming.h"
#include "engine/actions/written_outputs.h"
#include "engine/platform/path_text.h"
#include "engine/platform/platform_error.h"
#include "engine/run/run_environment.h"

namespace quorrix::engine {

namespace {

constexpr std::int32_t kInfoLeftOut = 270;
constexpr std::int32_t kInfoNotWritten = 271;
constexpr std::int32_t kInfoNoCombiner = 272;
constexpr std::int32_t kInfoWouldReplace = 273;
constexpr std::int32_t kInfoNoPdfWritten = 274;
constexpr std::int32_t kInfoRunNotFinished = 275;

constexpr const char* kDefaultCombinedName = "Combined documents";

} // namespace

bool RunWritesPdfs(const Settings& settings, const std::string& action)
{
    if (action == "EXPORTDOC")
        return settings.ExpDocSaveFormat == "pdf";
    const auto& steps = settings.MultiJobAction;
    return action == "MULTIJOB" && std::ranges::find(steps, "Export Doc PDF") != steps.end();
}

CombinedPdf::CombinedPdf(RunEnvironment& environment, const std::string& action)
    : m_env(environment)
{
    const Settings& settings = environment.actions.settings;
    m_asked = (settings.ExpDocCombinePdf != 0 || !environment.combinedPdfPath.empty())
        && RunWritesPdfs(settings, action) && environment.flags.WorkWithActiveDrawing == 0;
}

void CombinedPdf::beginDocument(const std::string& entry)
{
    m_partsBefore = m_parts.size();
    if (m_firstEntry.empty())
        m_firstEntry = entry;
}

void CombinedPdf::endDocument(const std::string& entry, bool done)
{
    if (!m_asked || done)
        return;
    m_parts.resize(m_partsBefore);
    m_leftOut.push_back(entry);
}

std::string CombinedPdf::targetPath() const
{
    if (!m_env.combinedPdfPath.empty())
        return m_env.combinedPdfPath;
    ActionContext& context = m_env.actions;
    const Settings& settings = context.settings;
    std::string folder;
    if (settings.ExpDocSaveInModelFolder == 1) {
        folder = documentFolder(m_parts.empty() ? m_firstEntry : m_parts.front().path);
    } else {
        folder = settings.ExpDocSaveFolder;
        if (!folder.empty() && folder.back() != '/' && folder.back() != kPathSeparator)
            folder += kPathSeparator;
    }
    const std::string name
        = settings.ExpDocCombinedName.empty() ? kDefaultCombinedName : settings.ExpDocCombinedName;
    return folder + safeFileName(ApplyPrePostfix(settings, name, context.clock.now()) + ".pdf");
}

void CombinedPdf::write(bool finished, std::string& messageText)
{
    if (!m_asked)
        return;
    ActionContext& context = m_env.actions;
    const std::string target = targetPath();
    const auto line = [&](std::int32_t info, const std::string& tail) {
        messageText += context.infoText(info) + " " + tail + "\r\n";
    };
    if (!finished) {
        line(kInfoRunNotFinished, target);
        return;
    }
    // With nothing written, one line says it for every document.
    if (m_parts.empty()) {
        line(kInfoNoPdfWritten, target);
        return;
    }
    for (const std::string& entry : m_leftOut)
        messageText += entry + " " + context.infoText(kInfoLeftOut) + " " + target + "\r\n";
    // The combined file must never take the place of one of the files it is made of.
    const std::string comparableTarget = comparablePath(target);
    if (std::ranges::any_of(m_parts,
            [&](const PdfPart& part) { return comparablePath(part.path) == comparableTarget; })) {
        line(kInfoWouldReplace, target);
        return;
    }
    if (!m_env.pdfCombiner) {
        line(kInfoNoCombiner, target);
        return;
    }
    try {
        m_env.pdfCombiner->combine(m_parts, target);
    } catch (const PlatformError& error) {
        line(kInfoNotWritten, target + ": " + error.description());
    }
}

} // namespace quorrix::engine
