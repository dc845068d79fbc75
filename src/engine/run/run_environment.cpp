#include "engine/run/run_environment.h"

#include "engine/settings/registry.h"

namespace quorrix::engine {

std::string processedLabelText(ActionContext& context)
{
    return context.infoText(52) + " " + std::to_string(context.counters.ProcessedDrawings) + " "
        + context.infoText(53) + " " + std::to_string(context.counters.ProcessedSheets) + " "
        + context.infoText(54);
}

void saveCounters(RunEnvironment& environment)
{
    environment.registry.SaveProcessedCounters(environment.actions.counters);
    if (environment.refreshProcessed)
        environment.refreshProcessed();
}

} // namespace quorrix::engine
