#include "engine/swlink/printer_lines.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/platform/number_text.h"
#include "engine/platform/regional_format.h"
#include "engine/swlink/sw_connection.h"

namespace quorrix::engine {

namespace {

constexpr double kDrawingMinimum = 0.0005;
constexpr double kDrawingMaximum = 0.004;
constexpr double kDialogMinimumMillimetres = 0.05;
constexpr double kDialogMaximumMillimetres = 4.0;

enum class Target { ByRevision, System };

std::int32_t preferenceId(std::size_t weight)
{
    return kFirstLineWeightPreference + static_cast<std::int32_t>(weight);
}

// Connect and the revision floor shared by both writers; false with message replaced.
bool canSetLines(SwConnection& connection, std::string& message)
{
    if (!connection.ConnectSolidWorks()) {
        message = kStatusNoSolidWorks;
        return false;
    }
    if (!connection.IsSwxRevisionAtLeast("9", "4")) {
        message = kStatusNoValidSwxVersion;
        return false;
    }
    return true;
}

bool writeLines(SwUserPreferences& target, const PrinterLineSettings& lines, std::string& message)
{
    bool result = true;
    for (std::size_t i = 0; i < kLineWeights; ++i) {
        if (!target.SetUserPreferenceDoubleValue(preferenceId(i), lines.Weights[i])) {
            result = false;
            message += std::string("Swx_SetPrinterLines: failed to set ")
                + lineWeightFieldNames()[i] + "\r\n";
        }
    }
    return result;
}

bool setLines(
    SwConnection& connection, const PrinterLineSettings& lines, std::string& message, Target target)
{
    try {
        if (!canSetLines(connection, message))
            return false;
        SwApplication& app = *connection.swApp();
        const std::shared_ptr<SwDocument> document = app.ActiveDoc();
        if (target == Target::ByRevision && connection.IsSwxRevisionAtLeast("17", "0")) {
            if (!document || document->GetType() != kSwDocDrawing)
                return true;
            return writeLines(*document, lines, message);
        }
        return writeLines(app, lines, message);
    } catch (const AutomationError& error) {
        // The caller's message holds what the run collected so far: keep it.
        message += std::string("Swx_SetPrinterLines: ") + error.what() + "\r\n";
        return false;
    }
}

} // namespace

const std::array<const char*, kLineWeights>& lineWeightFieldNames()
{
    static const std::array<const char*, kLineWeights> names { "ThinLineWeight", "NormalLineWeight",
        "ThickLineWeight", "Thick2LineWeight", "Thick3LineWeight", "Thick4LineWeight",
        "Thick5LineWeight", "Thick6LineWeight" };
    return names;
}

PrinterLineSettings defaultPrinterLineSettings()
{
    return { 0, { 0.00025, 0.0005, 0.0007, 0.001, 0.0014, 0.002, 0.003, 0.004 } };
}

bool Swx_GetPrinterLines(SwConnection& connection, PrinterLineSettings& lines, std::string& status)
{
    status.clear();
    try {
        if (!connection.ConnectSolidWorks()) {
            status = kStatusNoSolidWorks;
            return false;
        }
        SwApplication& app = *connection.swApp();
        const std::shared_ptr<SwDocument> document = app.ActiveDoc();
        if (!connection.IsSwxRevisionAtLeast("9", "4")) {
            status = kStatusNoValidSwxVersion;
            return false;
        }
        if (!connection.IsSwxRevisionAtLeast("17", "0")) {
            lines.UsePrinterLines = kFalse;
            for (std::size_t i = 0; i < kLineWeights; ++i)
                lines.Weights[i] = app.GetUserPreferenceDoubleValue(preferenceId(i));
        } else if (document) {
            lines.UsePrinterLines = kFalse;
            for (std::size_t i = 0; i < kLineWeights; ++i) {
                lines.Weights[i]
                    = std::clamp(document->GetUserPreferenceDoubleValue(preferenceId(i)),
                        kDrawingMinimum, kDrawingMaximum);
            }
        }
        return true;
    } catch (const AutomationError&) {
        status = kStatusNoSolidWorks;
        return false;
    }
}

bool Swx_SetPrinterLines(
    SwConnection& connection, const PrinterLineSettings& lines, std::string& message)
{
    return setLines(connection, lines, message, Target::ByRevision);
}

bool Swx_ForceSystemPrinterLines(
    SwConnection& connection, const PrinterLineSettings& lines, std::string& message)
{
    message.clear();
    return setLines(connection, lines, message, Target::System);
}

bool isValidLineWeightText(const std::string& text, const RegionalFormat& regional)
{
    const std::optional<double> value = parseDouble(text, regional.decimalSeparator());
    return value && *value >= kDialogMinimumMillimetres && *value <= kDialogMaximumMillimetres;
}

PrinterLineTexts printerLineTexts(const PrinterLineSettings& lines, const RegionalFormat& regional)
{
    PrinterLineTexts texts;
    texts.use = lines.UsePrinterLines != 0;
    for (std::size_t i = 0; i < kLineWeights; ++i)
        // Metres times 1000 lands beside the decimal the user typed (0.00018 m gives
        // 0.18000000000000002 mm); a nanometre is finer than any pen.
        texts.millimetres[i] = formatDouble(
            std::round(lines.Weights[i] * 1e9) / 1e6, regional.decimalSeparator());
    return texts;
}

std::optional<PrinterLineSettings> printerLinesFromTexts(
    const PrinterLineTexts& texts, const RegionalFormat& regional)
{
    PrinterLineSettings lines;
    lines.UsePrinterLines = texts.use ? kTrue : kFalse;
    for (std::size_t i = 0; i < kLineWeights; ++i) {
        if (!isValidLineWeightText(texts.millimetres[i], regional))
            return std::nullopt;
        lines.Weights[i] = *parseDouble(texts.millimetres[i], regional.decimalSeparator()) / 1000.0;
    }
    return lines;
}

} // namespace quorrix::engine
