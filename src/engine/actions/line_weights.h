#pragma once

#include <string>

#include "engine/settings/settings.h"

namespace quorrix::engine {

struct ActionContext;

// Before a sheet is printed or a file saved: from SolidWorks revision 9.4 on, writes the
// record's line weights when its use flag is set (a failure is shown with info text 72 and
// the failure lines), else SolidWorks' own default weights (a failure stays in errorText
// only). Failure lines are appended to errorText either way.
void applyLineWeights(
    ActionContext& context, const PrinterLineSettings& record, std::string& errorText);

} // namespace quorrix::engine
