#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "swsim/model/document_model.h"
#include "swsim/model/installation.h"
#include "swsim/sim_state.h"

namespace quorrix::swsim {

// The state of one open document, shared by the document object and the objects it hands
// out (sheets, views, page setup, extension).
struct DocState {
    std::string path;
    DocumentModel model;
    DocumentFaultState faults;
    std::size_t currentSheet = 0;

    // Print settings of the document.
    std::string printer;
    std::map<std::int32_t, std::int32_t> printSetup; // index 0 paper, 1 orientation
    std::optional<std::int32_t> paperSize; // page setup
    std::optional<std::int32_t> orientation; // page setup
    std::int16_t drawingColor = 0;
    bool headerCleared = false;
    bool footerCleared = false;
    std::int32_t usePageSetup = 1;

    // Document properties; from revision 17 the line weights live here.
    bool ownsLineWeights = false;
    Preferences preferences;

    const SheetModel* sheet() const
    {
        return currentSheet < model.sheets.size() ? &model.sheets[currentSheet] : nullptr;
    }
};

} // namespace quorrix::swsim
