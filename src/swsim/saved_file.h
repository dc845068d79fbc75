#pragma once

#include <optional>
#include <string>
#include <vector>

#include "swsim/doc_state.h"
#include "swsim/output/output_files.h"

namespace quorrix::swsim {

struct SaveRequest {
    std::string path;
    std::optional<std::vector<std::string>> sheets; // PDF export data: these sheets only
    bool as3D = false;
    std::optional<std::vector<std::string>> selection; // eDrawings: these sheets or configurations
};

// The TIFF that the preferences in force ask for.
TiffLayout tiffLayoutFromPreferences(
    const Preferences& preferences, const std::string& description);

// The bytes a save of the document writes, chosen by the path's extension. Substitutions
// (Group 4 written as PackBits) are noted in the journal.
std::string renderSavedFile(
    const DocState& doc, const SaveRequest& request, const Preferences& system, Journal& journal);

} // namespace quorrix::swsim
