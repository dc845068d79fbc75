#include "engine/actions/line_weights.h"

#include "engine/actions/action_context.h"
#include "engine/run/run_view.h"
#include "engine/swlink/printer_lines.h"
#include "engine/swlink/sw_connection.h"

namespace quorrix::engine {

void applyLineWeights(
    ActionContext& context, const PrinterLineSettings& record, std::string& errorText)
{
    if (!context.connection.IsSwxRevisionAtLeast("9", "4"))
        return;
    if (record.UsePrinterLines == 0) {
        Swx_SetPrinterLines(context.connection, context.defaultLines, errorText);
        return;
    }
    if (!Swx_SetPrinterLines(context.connection, record, errorText)) {
        context.view.show(
            context.infoText(72) + "\r\n" + errorText, context.infoText(4), MessageIcon::Critical);
    }
}

} // namespace quorrix::engine
