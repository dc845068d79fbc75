#include "engine/actions/edrawings_export.h"

#include <array>
#include <vector>

#include "engine/actions/action_context.h"
#include "engine/actions/output_naming.h"
#include "engine/actions/saved_file_check.h"
#include "engine/actions/sheet_filter.h"
#include "engine/platform/clock.h"
#include "engine/run/run_view.h"
#include "engine/swlink/solidworks.h"

namespace quorrix::engine {

namespace {

constexpr std::int32_t kInfoSavingAs = 23;
constexpr std::int32_t kInfoNotADocument = 115;
constexpr std::int32_t kInfoFolderMissing = 117;
constexpr std::int32_t kInfoExportFailed = 118;
constexpr std::int32_t kInfoNothingPassesFilter = 131;

// SolidWorks' eDrawings preferences.
constexpr std::int32_t kPrefSaveMode = 237; // integer
constexpr std::int32_t kSaveModeSelection = 3; // only the names in the selection list
constexpr std::int32_t kPrefSelection = 1; // string list, one name per line

struct EDrawingsToggle {
    std::int32_t id;
    std::int16_t Settings::*setting;
};

// In the order SolidWorks is told about them.
constexpr std::array<EDrawingsToggle, 4> kToggles { {
    { 160, &Settings::EDrawingsCompress },
    { 212, &Settings::EDrawingsMeasure },
    { 221, &Settings::EDrawingsSave2STL },
    { 218, &Settings::EDrawingsSaveShaded },
} };

// The names that pass the filter, each followed by a line feed, as SolidWorks reads its
// selection list.
std::string selectionText(const Settings& settings, const std::vector<std::string>& names)
{
    std::string selection;
    for (const std::string& name : names) {
        if (!IsSheetFiltered(settings, name))
            selection += name + '\n';
    }
    return selection;
}

} // namespace

std::string eDrawingsExtension(std::int32_t documentType)
{
    switch (documentType) {
    case kSwDocPart:
        return "eprt";
    case kSwDocAssembly:
        return "easm";
    case kSwDocDrawing:
        return "edrw";
    default:
        return {};
    }
}

void SaveAsEDrawings(ActionContext& context, const std::string& /*action*/, SwApplication& app,
    SwDocument& document, bool closeAfter, std::string& errorText, const std::string& fileName)
{
    const std::int32_t type = document.GetType();
    const std::string extension = eDrawingsExtension(type);
    if (extension.empty()) {
        appendErrorLine(context, errorText, fileName, kInfoNotADocument);
        return;
    }

    const Settings& settings = context.settings;
    for (const EDrawingsToggle& toggle : kToggles)
        app.SetUserPreferenceToggle(toggle.id, settings.*toggle.setting == 1);

    context.view.setBarRange(RunBar::Sheet, 0, 1);
    context.view.setLabel(RunLabel::Sheet, context.infoText(kInfoSavingAs) + " " + extension);

    const std::string documentPath = document.GetPathName();
    const std::string folder = outputFolder(context, settings.EDrawingsSaveInModelFolder,
        settings.EDrawingsSaveFolder, documentPath, errorText, fileName, kInfoFolderMissing);
    std::string lastComponent = documentPath;
    const std::string base = GetNamePart(lastComponent);
    const std::string path = folder
        + safeFileName(ApplyPrePostfix(settings, base, context.clock.now()) + "." + extension);
    const OutputCheck output(context, path);

    if ((settings.FilterActive & settings.EDrawingsProUseSheetnameFilter) == 0) {
        const bool saved = document.SaveAs2(path, 0, true, settings.SuppressWarnings != 0) == 0;
        if (!saved || !output.written(errorText, fileName))
            appendErrorLine(context, errorText, fileName, kInfoExportFailed);
    } else {
        const std::string selection = selectionText(settings,
            type == kSwDocDrawing ? document.GetSheetNames() : document.GetConfigurationNames());
        if (selection.empty()) {
            // Nothing is left to export; the user learns why instead of finding an empty or
            // unfiltered file.
            appendErrorLine(context, errorText, fileName, kInfoNothingPassesFilter);
        } else {
            app.SetUserPreferenceIntegerValue(kPrefSaveMode, kSaveModeSelection);
            app.SetUserPreferenceStringListValue(kPrefSelection, selection);
            std::int32_t errors = 0;
            std::int32_t warnings = 0;
            const bool saved = document.SaveAs4(path, 0, 1, errors, warnings);
            reportExtendedSave(context, saved, errors, warnings, output, errorText, fileName);
        }
    }

    if (closeAfter)
        app.CloseDoc(document.GetTitle());
}

} // namespace quorrix::engine
