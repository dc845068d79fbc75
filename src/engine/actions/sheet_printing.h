#pragma once

#include <string>

#include "engine/settings/settings.h"

namespace quorrix::engine {

struct ActionContext;
class SwApplication;
class SwDocument;
class SwSheet;

// What the printer settings dialog stores for a row whose printer box was left empty.
inline constexpr const char* kNoPrinterName = "---";

// Whether a printer row names a printer; "---" does not.
bool hasPrinterName(const std::string& printerName);

// The printer row a sheet of the class prints with: row 12 when PrinterUseOnlyDefault is
// set, else the class's own row when it names a printer, else row 12 when that one does,
// else the class's row without a printer.
int printerRowForClass(const Settings& settings, int sheetClass);

// Before an activated sheet is printed: chooses printer, paper, line weights and
// orientation from the sheet's size and gives the scale for the print call.
double SetupSheetPrinting(
    ActionContext& context, SwApplication& app, SwDocument& document, SwSheet& sheet);

// From revision 10.0: empty header and footer on the document's page setup.
void ClearHeaderFooter(ActionContext& context, SwApplication& app, SwDocument& document);

// From revision 16.0: the forced drawing colour (1 to 3) on the document's page setup.
void ApplyDrawingColor(ActionContext& context, SwApplication& app, SwDocument& document);

} // namespace quorrix::engine
