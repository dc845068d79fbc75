#include "engine/actions/export_document.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/actions/action_context.h"
#include "engine/actions/line_weights.h"
#include "engine/actions/output_naming.h"
#include "engine/actions/saved_file_check.h"
#include "engine/actions/sheet_filter.h"
#include "engine/platform/clock.h"
#include "engine/platform/key_value_store.h"
#include "engine/platform/pdf_combiner.h"
#include "engine/platform/path_text.h"
#include "engine/platform/platform_error.h"
#include "engine/run/run_view.h"
#include "engine/swlink/document_type.h"
#include "engine/swlink/solidworks.h"
#include "engine/swlink/sw_connection.h"

namespace quorrix::engine {

namespace {

constexpr std::int32_t kInfoSavingAs = 23;
constexpr std::int32_t kInfoExportFailed = 118;
constexpr std::int32_t kInfoFolderMissing = 119;
constexpr std::int32_t kInfoSaveFailed = 121;
constexpr std::int32_t kInfoNoExportData = 130;
constexpr std::int32_t kInfoNothingPassesFilter = 131;

constexpr std::int32_t kPdfExportData = 1; // GetExportFileData's file type for PDF
constexpr std::int32_t kExportNamedSheets = 1; // SetSheets: exactly the sheets listed

constexpr const char* kBluebeamKey = "SOFTWARE\\Bluebeam Software\\Pushbutton PDF\\SolidWorks";
constexpr const char* kBluebeamAddInFile = "BbSldWksPdfLt.dll";

struct PdfJob {
    ActionContext& context;
    SwApplication& app;
    SwDocument& document;
    const std::string& path;
    std::string& errorText;
    const std::string& fileName;
};

// The extended save with PDF export data; sheets empty means the whole model.
void saveWithExportData(PdfJob& job, const std::vector<std::string>& sheets)
{
    const std::shared_ptr<SwExportPdfData> data = job.app.GetExportFileData(kPdfExportData);
    if (!data) {
        // Saving without the data would drop the sheet selection or the 3D flag and hand
        // the user a different file than the one asked for.
        appendErrorLine(job.context, job.errorText, job.fileName, kInfoNoExportData);
        return;
    }
    const std::shared_ptr<SwModelDocExtension> extension = job.document.Extension();
    if (!extension) {
        appendErrorLine(job.context, job.errorText, job.fileName, kInfoExportFailed);
        return;
    }
    if (!sheets.empty()) {
        if (!data->SetSheets(kExportNamedSheets, sheets)) {
            appendErrorLine(job.context, job.errorText, job.fileName, kInfoExportFailed);
            return;
        }
        data->GetSheets();
    }
    data->ExportAs3D(job.context.settings.ExpDocExport3DPDF != 0);

    std::int32_t errors = 0;
    std::int32_t warnings = 0;
    const OutputCheck output(job.context, job.path);
    const bool saved = extension->SaveAs(job.path, 0, 0, data.get(), errors, warnings);
    reportExtendedSave(job.context, saved, errors, warnings, output, job.errorText, job.fileName);
}

// One PDF of the drawing's sheets that pass the filter, in sheet order; returns them.
std::vector<std::string> saveFilteredDrawing(PdfJob& job)
{
    std::vector<std::string> passing;
    std::ranges::copy_if(job.document.GetSheetNames(), std::back_inserter(passing),
        [&job](const std::string& name) { return !IsSheetFiltered(job.context.settings, name); });
    if (passing.empty()) {
        appendErrorLine(job.context, job.errorText, job.fileName, kInfoNothingPassesFilter);
        return passing;
    }
    saveWithExportData(job, passing);
    return passing;
}

void saveAsCopy(PdfJob& job)
{
    const bool silent = job.context.settings.SuppressWarnings != 0;
    const OutputCheck output(job.context, job.path);
    const bool saved = job.document.SaveAs2(job.path, 0, true, silent) == 0;
    if (!saved || !output.written(job.errorText, job.fileName))
        appendErrorLine(job.context, job.errorText, job.fileName, kInfoSaveFailed);
}

} // namespace

std::string FindBluebeamAddIn(KeyValueStore& localMachine)
{
    try {
        const std::optional<StoredValue> folder
            = localMachine.read(StoreRoot::LocalMachine, kBluebeamKey, "InstallFolder");
        if (!folder || !folder->isText() || folder->asText().empty())
            return {};
        return folder->asText() + kPathSeparator + kBluebeamAddInFile;
    } catch (const PlatformError&) {
        // An add-in whose key cannot be read cannot be loaded either; SolidWorks' own PDF
        // export still works from revision 14.4 on.
        return {};
    }
}

void ExportDocument(ActionContext& context, const std::string& /*action*/,
    const std::string& extension, SwApplication& app, SwDocument& document, bool closeAfter,
    std::string& errorText, const std::string& fileName)
{
    context.view.setBarRange(RunBar::Sheet, 0, 1);
    context.view.setLabel(RunLabel::Sheet, context.infoText(kInfoSavingAs) + " " + extension);

    const bool pdf = extension == "pdf";
    if (pdf && !context.connection.IsSwxRevisionAtLeast("14", "4"))
        app.LoadAddIn(context.pdfAddInPath);

    const Settings& settings = context.settings;
    const std::string documentPath = document.GetPathName();
    const std::string folder = outputFolder(context, settings.ExpDocSaveInModelFolder,
        settings.ExpDocSaveFolder, documentPath, errorText, fileName, kInfoFolderMissing);
    std::string lastComponent = documentPath;
    const std::string base = GetNamePart(lastComponent);
    const std::string path = folder
        + safeFileName(ApplyPrePostfix(settings, base, context.clock.now()) + "." + extension);

    applyLineWeights(context, settings.PrinterLines[kPdfLineWeightSlot], errorText);

    PdfJob job { context, app, document, path, errorText, fileName };
    const bool drawing = GetDocTypeFromPath(documentPath) == kSwDocDrawing;
    const std::size_t errorsBefore = errorText.size();
    std::optional<std::vector<std::string>> sheets;
    if (pdf && drawing && settings.FilterActive != 0
        && context.connection.IsSwxRevisionAtLeast("15", "1")) {
        sheets = saveFilteredDrawing(job);
    } else if (pdf && !drawing && context.connection.IsSwxRevisionAtLeast("16", "1")) {
        saveWithExportData(job, {});
    } else {
        saveAsCopy(job);
    }
    // A run that combines its PDFs learns of each one written, with a drawing's sheets as
    // the names of its pages.
    if (pdf && context.writtenPdfs && errorText.size() == errorsBefore) {
        if (!sheets && drawing)
            sheets = document.GetSheetNames();
        context.writtenPdfs->push_back({ path, base, sheets.value_or(std::vector<std::string>{}) });
    }

    if (closeAfter)
        app.CloseDoc(document.GetTitle());
}

} // namespace quorrix::engine
