#pragma once

#include <cstdint>
#include <string>

namespace quorrix::engine {

struct ActionContext;
class SwApplication;
class SwDocument;

// The eDrawings extension of a document type: "eprt", "easm", "edrw", or empty.
std::string eDrawingsExtension(std::int32_t documentType);

// Writes the eDrawings options into SolidWorks' preferences and saves the document as
// <folder><file name without extension>.<eDrawings extension>. With the sheet name filter
// on and the eDrawings Professional option set, only the sheets (drawings) or
// configurations (models) that pass the filter are exported. A document of another type
// gets an error line and is left open.
void SaveAsEDrawings(ActionContext& context, const std::string& action, SwApplication& app,
    SwDocument& document, bool closeAfter, std::string& errorText, const std::string& fileName);

} // namespace quorrix::engine
