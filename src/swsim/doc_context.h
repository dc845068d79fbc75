#pragma once

#include <memory>
#include <string>
#include <vector>

#include "swsim/doc_state.h"
#include "swsim/saved_file.h"
#include "swsim/sim_state.h"

namespace quorrix::swsim {

// What every object of an open document needs: the stand-in, its application's life and
// the document's state.
struct DocContext {
    std::shared_ptr<SimState> state;
    std::shared_ptr<AppLife> life;
    std::shared_ptr<DocState> doc;

    JournalEntry entry(const char* object, std::string target, const char* member,
        std::vector<std::string> args = {}) const
    {
        return { object, std::move(target), member, std::move(args), {} };
    }
};

// Writes the file a save asks for; 0 on success, else a SolidWorks save error code.
std::int32_t saveDocument(DocContext& context, const SaveRequest& request);

// The eight line weights that a print of the document uses, thin to thick 6.
std::vector<double> lineWeightsInForce(const DocContext& context);

} // namespace quorrix::swsim
