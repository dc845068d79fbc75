#include "engine/actions/sheet_printing.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/actions/action_context.h"
#include "engine/actions/line_weights.h"
#include "engine/actions/sheet_sizes.h"
#include "engine/swlink/solidworks.h"
#include "engine/swlink/sw_connection.h"

namespace quorrix::engine {

namespace {

// PrintSetup indices of revisions before the page setup object took over.
constexpr std::int32_t kPrintSetupPaper = 0;
constexpr std::int32_t kPrintSetupOrientation = 1;

constexpr std::int32_t kPortrait = 1;
constexpr std::int32_t kLandscape = 2;

// The error Visual Basic raises on a member call through a variable that holds nothing.
constexpr long kObjectNotSetError = 91;

// The page setup is only touched where the revision needs it; a SolidWorks that handed out
// nothing fails the document the same way any other automation error does.
SwPageSetup& pageSetupOf(const std::shared_ptr<SwPageSetup>& pageSetup)
{
    if (!pageSetup)
        throw AutomationError(kObjectNotSetError, "The document has no page setup.");
    return *pageSetup;
}

struct SheetDimensions {
    double width = 0;
    double height = 0;
};

// A property array too short to hold the size leaves the sheet without one: it falls into
// class "other" and prints portrait.
SheetDimensions dimensionsOf(SwSheet& sheet)
{
    const std::vector<double> properties = sheet.GetProperties();
    if (properties.size() <= kSheetPropertyHeight)
        return {};
    return { properties[kSheetPropertyWidth], properties[kSheetPropertyHeight] };
}

} // namespace

bool hasPrinterName(const std::string& printerName)
{
    return !printerName.empty() && printerName != kNoPrinterName;
}

int printerRowForClass(const Settings& settings, int sheetClass)
{
    if (settings.PrinterUseOnlyDefault != 0)
        return kOtherSheetSize;
    if (hasPrinterName(settings.PrinterNameForSize[static_cast<std::size_t>(sheetClass)]))
        return sheetClass;
    if (hasPrinterName(settings.PrinterNameForSize[kOtherSheetSize]))
        return kOtherSheetSize;
    return sheetClass;
}

double SetupSheetPrinting(
    ActionContext& context, SwApplication& app, SwDocument& document, SwSheet& sheet)
{
    const Settings& settings = context.settings;
    const std::shared_ptr<SwPageSetup> pageSetup = document.PageSetup();
    const SheetDimensions size = dimensionsOf(sheet);

    const auto row = static_cast<std::size_t>(
        printerRowForClass(settings, sheetSizeClass(settings, size.width, size.height)));
    const bool printerProperty = context.connection.IsSwxRevisionAtLeast("10", "0");
    const bool pageSetupObject = context.connection.IsSwxRevisionAtLeast("11", "0");

    const std::string& printerName = settings.PrinterNameForSize[row];
    if (hasPrinterName(printerName)) {
        app.ActivePrinter(printerName);
        if (printerProperty)
            document.Printer(printerName);
    }

    const double scale = settings.PrinterScaleForSize[row];

    const std::int32_t paperCode = settings.PrinterSheetForSize[row];
    if (paperCode > -1) {
        if (pageSetupObject)
            pageSetupOf(pageSetup).PrinterPaperSize(paperCode);
        else
            document.PrintSetup(kPrintSetupPaper, paperCode);
    }

    // A failure is shown to the user there; printing goes on with the weights in force.
    std::string lineWeightErrors;
    applyLineWeights(context, settings.PrinterLines[row], lineWeightErrors);

    // Width over height above 1, compared rather than divided so that a sheet without a
    // height cannot divide by zero; a square sheet prints portrait.
    const std::int32_t orientation = size.width > size.height ? kLandscape : kPortrait;
    if (pageSetupObject)
        pageSetupOf(pageSetup).Orientation(orientation);
    else
        document.PrintSetup(kPrintSetupOrientation, orientation);

    return scale;
}

void ClearHeaderFooter(ActionContext& context, SwApplication& /*app*/, SwDocument& document)
{
    if (!context.connection.IsSwxRevisionAtLeast("10", "0"))
        return;
    const std::shared_ptr<SwPageSetup> pageSetup = document.PageSetup();
    pageSetupOf(pageSetup).SetHeader({}, {}, {});
    pageSetupOf(pageSetup).SetFooter({}, {}, {});
}

void ApplyDrawingColor(ActionContext& context, SwApplication& /*app*/, SwDocument& document)
{
    if (!context.connection.IsSwxRevisionAtLeast("16", "0"))
        return;
    const std::shared_ptr<SwPageSetup> pageSetup = document.PageSetup();
    pageSetupOf(pageSetup).DrawingColor(context.settings.DrawingColor);
}

} // namespace quorrix::engine
