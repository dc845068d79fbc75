#pragma once

#include <array>
#include <string>

#include "engine/actions/export_format.h"

namespace quorrix::engine {

struct ActionContext;
class KeyValueStore;
class SwApplication;
class SwDocument;

inline constexpr std::array<ExportFormat, 2> kExportDocumentFormats { {
    { "PDF (*.pdf) - needs SolidWorks 2004", "pdf" },
    { "JPEG (*.jpg)", "jpg" },
} };

// The Bluebeam PDF add-in that SolidWorks before revision 14.4 needs for a PDF: its install
// folder from the local machine's registry plus the add-in's file name; empty when the
// add-in is not installed.
std::string FindBluebeamAddIn(KeyValueStore& localMachine);

// Saves the document as <folder><file name without extension>.<extension>, extension "pdf"
// or "jpg". Where SolidWorks allows it, a drawing's PDF holds only the sheets that pass the
// active sheet name filter, and a part's or assembly's PDF can be a 3D PDF.
void ExportDocument(ActionContext& context, const std::string& action, const std::string& extension,
    SwApplication& app, SwDocument& document, bool closeAfter, std::string& errorText,
    const std::string& fileName);

} // namespace quorrix::engine
