#include "engine/actions/drawing_sheets.h"

#include "engine/actions/action_context.h"
#include "engine/actions/line_weights.h"
#include "engine/actions/output_naming.h"
#include "engine/actions/saved_file_check.h"
#include "engine/actions/sheet_filter.h"
#include "engine/actions/sheet_printing.h"
#include "engine/platform/clock.h"
#include "engine/run/run_view.h"
#include "engine/swlink/solidworks.h"
#include "engine/swlink/sw_connection.h"
#include "engine/swlink/tiff_options.h"

namespace quorrix::engine {

namespace {

constexpr const char* kErrorInfoTitle = "QUORRIX - Fehlerinfo";
constexpr int kFilteredSheetPauseMilliseconds = 500;
constexpr std::int32_t kInfoTiffOptionsRefused = 212;

// What a save action needs to know: its settings and its info texts.
struct SaveAction {
    const char* extension;
    std::int16_t saveInDocumentFolder;
    const std::string& folder;
    std::int16_t namingConvention;
    std::int32_t missingFolderInfo;
    std::int32_t saveFailedInfo;
};

std::optional<SaveAction> saveActionFor(const Settings& s, const std::string& action)
{
    if (action == "TIFF") {
        return SaveAction { ".tif", s.TiffSaveInDrawingFolder, s.TiffSaveFolder,
            s.TiffSaveFullPathName, 111, 106 };
    }
    if (action == "DXF") {
        return SaveAction { ".dxf", s.DXFSaveInDrawingFolder, s.DXFSaveFolder,
            s.DXFSaveFullPathName, 112, 105 };
    }
    if (action == "DWG") {
        return SaveAction { ".dwg", s.DXFSaveInDrawingFolder, s.DXFSaveFolder,
            s.DXFSaveFullPathName, 113, 107 };
    }
    return std::nullopt;
}

std::string baseName(SwDocument& document, const std::string& sheetName, int convention)
{
    switch (convention) {
    case 0:
        return document.GetTitle();
    case 1:
        return sheetName;
    case 2: {
        std::string path = document.GetPathName();
        return GetNamePart(path);
    }
    default:
        return {};
    }
}

// Saves through SaveAs2 and checks that this save wrote the file; false on failure.
bool saveFile(ActionContext& context, SwDocument& document, const std::string& path,
    std::string& errorText, const std::string& fileName)
{
    const bool silent = context.settings.SuppressWarnings != 0;
    const OutputCheck output(context, path);
    return document.SaveAs2(path, 0, true, silent) == 0 && output.written(errorText, fileName);
}

void plotSheet(
    ActionContext& context, SwApplication& app, SwDocument& document, SwSheet& sheet, int index)
{
    const bool pageSetupApplies = context.connection.IsSwxRevisionAtLeast("11", "0");
    std::shared_ptr<SwModelDocExtension> extension;
    std::int32_t usedPageSetup = 0;
    if (pageSetupApplies) {
        extension = document.Extension();
        usedPageSetup = extension->UsePageSetup();
        extension->UsePageSetup(2);
    }
    const double scale = SetupSheetPrinting(context, app, document, sheet);
    if (context.settings.PrinterClearHeaderFooter != 0)
        ClearHeaderFooter(context, app, document);
    if (context.settings.DrawingColor > 0)
        ApplyDrawingColor(context, app, document);
    document.PrintOut2(index + 1, index + 1, 1, false, "", scale, false, "");
    context.view.setBarValue(RunBar::Sheet, static_cast<float>(2 * index + 1));
    if (pageSetupApplies)
        extension->UsePageSetup(usedPageSetup);
}

// The settings keep the user paper in millimetres; SolidWorks' TIFF paper preferences take
// metres, as a sheet's own size and the TIFF window's "set" button hand them.
double tiffPaperMetres(double millimetres)
{
    return millimetres / 1000.0;
}

// The TIFF preferences of one sheet; false when SolidWorks refused some (the user has
// been told, and the drawing's loop ends).
bool prepareTiff(ActionContext& context, SwApplication& app, SwDocument& document, SwSheet& sheet,
    std::string& errorText)
{
    const Settings& s = context.settings;
    TiffOptions options { s.TiffScreenOrPrintCapture, s.TiffImageType, s.TiffCompressionScheme,
        s.TiffPrintDPI, s.TiffPrintPaperSize, s.TiffprintScaleFactor, s.TiffPrintScaleToFit,
        tiffPaperMetres(s.TiffPrintPaperWidth), tiffPaperMetres(s.TiffPrintPaperHeight) };
    if (s.TiffSaveEachSheetOwnSize == 1) {
        const std::vector<double> properties = sheet.GetProperties();
        if (properties.size() > kSheetPropertyHeight) {
            options.paperSize = static_cast<std::int16_t>(properties[kSheetPropertyPaperSize]);
            options.paperWidth = properties[kSheetPropertyWidth];
            options.paperHeight = properties[kSheetPropertyHeight];
        }
    }
    std::string optionErrors;
    if (!SetTiffOptions(context.connection, context.view, options, optionErrors)) {
        context.view.show(optionErrors, kErrorInfoTitle);
        return false;
    }
    if (s.TiffClearHeaderFooter != 0)
        ClearHeaderFooter(context, app, document);
    applyLineWeights(context, s.PrinterLines[kTiffLineWeightSlot], errorText);
    return true;
}

// False when the sheet loop must end (TIFF options refused).
bool saveSheet(ActionContext& context, const SaveAction& save, bool isTiff, SwApplication& app,
    SwDocument& document, SwSheet& sheet, const std::string& sheetName, std::string& errorText,
    const std::string& fileName)
{
    const std::string folder = outputFolder(context, save.saveInDocumentFolder, save.folder,
        document.GetPathName(), errorText, fileName, save.missingFolderInfo);
    const std::string path = folder
        + safeFileName(
            ApplyPrePostfix(context.settings, baseName(document, sheetName, save.namingConvention),
                context.clock.now())
            + save.extension);
    if (isTiff && !prepareTiff(context, app, document, sheet, errorText)) {
        // The box told the user why; the run's report has to say that this drawing's
        // TIFFs were not written, or a refused preference would pass for a finished job.
        appendErrorLine(context, errorText, fileName, kInfoTiffOptionsRefused);
        return false;
    }
    if (!saveFile(context, document, path, errorText, fileName))
        appendErrorLine(context, errorText, fileName, save.saveFailedInfo);
    return true;
}

void showFilteredSheet(ActionContext& context, const std::string& sheetName)
{
    RunView& view = context.view;
    const std::string caption = view.label(RunLabel::Sheet);
    view.setLabel(RunLabel::Sheet, sheetName + " filtered");
    view.setSheetLabelHighlighted(true);
    view.repaint();
    context.clock.sleepMilliseconds(kFilteredSheetPauseMilliseconds);
    view.setLabel(RunLabel::Sheet, caption);
    view.setSheetLabelHighlighted(false);
}

} // namespace

void ProcessDrawingSheets(ActionContext& context, const std::string& action, SwApplication& app,
    SwDocument& document, bool closeAfter, std::string& errorText, const std::string& fileName)
{
    if (document.GetType() != kSwDocDrawing) {
        appendErrorLine(context, errorText, fileName, 103);
        return;
    }
    // Only a TIFF save changes SolidWorks' TIFF options, so only it keeps and restores them;
    // for the other actions that would be two dozen calls per document that change nothing.
    TiffOptions kept;
    std::string tiffError;
    const bool tiffOptionsKept = action == "TIFF"
        && GetTiffOptions(context.connection, context.view, kept, tiffError);
    if (action == "TIFF" && !tiffOptionsKept)
        context.view.show(tiffError, kErrorInfoTitle);

    const std::int32_t count = document.GetSheetCount();
    const std::vector<std::string> names = document.GetSheetNames();
    context.view.setBarRange(RunBar::Sheet, 0, static_cast<float>(2 * count));
    context.view.setLabel(RunLabel::Sheet, context.infoText(22) + " " + std::to_string(count));

    const std::optional<SaveAction> save = saveActionFor(context.settings, action);
    for (std::size_t i = 0; i < names.size() && static_cast<std::int32_t>(i) < count; ++i) {
        const std::string& name = names[i];
        const bool filtered
            = context.settings.FilterActive != 0 && IsSheetFiltered(context.settings, name);
        context.view.processEvents();
        if (context.cancelled())
            break;
        const bool activated = document.ActivateSheet(name);
        context.view.setBarValue(RunBar::Sheet, static_cast<float>(2 * i));
        if (filtered) {
            showFilteredSheet(context, name);
            continue;
        }
        if (!activated) {
            appendErrorLine(context, errorText, fileName, 104);
            continue;
        }
        const std::shared_ptr<SwSheet> sheet = document.GetCurrentSheet();
        bool goOn = true;
        if (sheet && action == "Plot") {
            plotSheet(context, app, document, *sheet, static_cast<int>(i));
        } else if (sheet && save) {
            goOn = saveSheet(
                context, *save, action == "TIFF", app, document, *sheet, name, errorText, fileName);
        }
        ++context.counters.ProcessedSheets;
        if (!goOn)
            break;
    }

    if (closeAfter)
        app.CloseDoc(document.GetTitle());
    // Writing back what could not be read would only leave SolidWorks with the presets.
    if (tiffOptionsKept) {
        std::string restoreError;
        SetTiffOptions(context.connection, context.view, kept, restoreError);
    }
}

void SaveDrawingAsOneFile(ActionContext& context, const std::string& action, SwApplication& app,
    SwDocument& document, bool closeAfter, std::string& errorText, const std::string& fileName)
{
    std::string extension = action;
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    context.view.setBarRange(RunBar::Sheet, 0, 1);
    context.view.setLabel(RunLabel::Sheet, context.infoText(23) + " " + extension);

    const Settings& s = context.settings;
    std::string documentPath = document.GetPathName();
    const std::string folder = outputFolder(
        context, s.DXFSaveInDrawingFolder, s.DXFSaveFolder, documentPath, errorText, fileName, 112);
    const std::string path = folder
        + safeFileName(
            ApplyPrePostfix(s, GetNamePart(documentPath), context.clock.now()) + "." + extension);
    if (!saveFile(context, document, path, errorText, fileName))
        appendErrorLine(context, errorText, fileName, 105);
    if (closeAfter)
        app.CloseDoc(document.GetTitle());
}

} // namespace quorrix::engine
