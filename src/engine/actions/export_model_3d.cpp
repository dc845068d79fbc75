#include "engine/actions/export_model_3d.h"

#include "engine/actions/action_context.h"
#include "engine/actions/output_naming.h"
#include "engine/actions/saved_file_check.h"
#include "engine/platform/clock.h"
#include "engine/run/run_view.h"
#include "engine/swlink/solidworks.h"

namespace quorrix::engine {

namespace {

constexpr std::int32_t kInfoSavingAs = 23;
constexpr std::int32_t kInfoNotAModel = 115;
constexpr std::int32_t kInfoSaveFailed = 116;
constexpr std::int32_t kInfoFolderMissing = 120;

} // namespace

void ExportModel3D(ActionContext& context, const std::string& /*action*/,
    const std::string& extension, SwApplication& app, SwDocument& document, bool closeAfter,
    std::string& errorText, const std::string& fileName)
{
    const std::int32_t type = document.GetType();
    if (type != kSwDocPart && type != kSwDocAssembly) {
        appendErrorLine(context, errorText, fileName, kInfoNotAModel);
        return;
    }

    context.view.setBarRange(RunBar::Sheet, 0, 1);
    context.view.setLabel(RunLabel::Sheet, context.infoText(kInfoSavingAs) + " " + extension);

    const Settings& settings = context.settings;
    const std::string folder = outputFolder(context, settings.ThreeDSaveInModelFolder,
        settings.ThreeDSaveFolder, document.GetPathName(), errorText, fileName, kInfoFolderMissing);
    // The title as SolidWorks shows it, which may or may not carry the file extension.
    const std::string title = document.GetTitle();
    std::string lastComponent = title;
    const std::string base = GetNamePart(lastComponent);
    const std::string path = folder
        + safeFileName(ApplyPrePostfix(settings, base, context.clock.now()) + "." + extension);

    const OutputCheck output(context, path);
    const bool saved = document.SaveAs2(path, 0, true, settings.SuppressWarnings != 0) == 0;
    if (!saved || !output.written(errorText, fileName))
        appendErrorLine(context, errorText, fileName, kInfoSaveFailed);

    if (closeAfter)
        app.CloseDoc(title);
}

} // namespace quorrix::engine
