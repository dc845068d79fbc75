#pragma once

#include <string>

namespace quorrix::engine {

struct ActionContext;
class SwApplication;
class SwDocument;

// The sheet loop of the drawing actions "Plot", "TIFF", "DXF" and "DWG": every sheet that
// passes the sheet filter is printed or saved; problems become error lines, each starting
// with fileName. SolidWorks' TIFF preferences are restored when the drawing is done.
void ProcessDrawingSheets(ActionContext& context, const std::string& action, SwApplication& app,
    SwDocument& document, bool closeAfter, std::string& errorText, const std::string& fileName);

// "DXF" or "DWG" of the whole drawing in one save, named after the document's file.
void SaveDrawingAsOneFile(ActionContext& context, const std::string& action, SwApplication& app,
    SwDocument& document, bool closeAfter, std::string& errorText, const std::string& fileName);

} // namespace quorrix::engine
