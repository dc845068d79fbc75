#include "engine/actions/printer_rows.h"

#include <cmath>

#include "engine/actions/sheet_printing.h"
#include "engine/platform/number_text.h"
#include "engine/platform/regional_format.h"

namespace quorrix::engine {

namespace {

// Tenths added to a scale are rounded to this many decimals, so that 1 + 0.1 + 0.1 reads
// "1.2" and not the binary neighbour the sum lands on.
constexpr double kScaleDecimals = 1e9;

} // namespace

const std::array<const char*, 4>& drawingColorEntries()
{
    static const std::array<const char*, 4> entries { "- SolidWorks handles this -", "Automatic",
        "Color/grey", "Black/White" };
    return entries;
}

PrinterSettingsWorkingCopy::PrinterSettingsWorkingCopy(const Settings& settings,
    const std::vector<InstalledPrinter>& printers, const RegionalFormat& regional)
    : useOnlyDefault(settings.PrinterUseOnlyDefault != 0)
    , clearHeaderFooter(settings.PrinterClearHeaderFooter != 0)
    , drawingColor(settings.DrawingColor >= 0
                  && settings.DrawingColor < static_cast<int>(drawingColorEntries().size())
              ? settings.DrawingColor
              : 0)
    , m_printers(printers)
    , m_regional(regional)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        PrinterRowCopy& row = rows[i];
        for (std::size_t p = 0; p < printers.size(); ++p) {
            if (printers[p].DeviceName == settings.PrinterNameForSize[i]) {
                row.printer = static_cast<int>(p);
                break;
            }
        }
        if (row.printer >= 0) {
            const std::vector<PrinterPaper>& papers
                = printers[static_cast<std::size_t>(row.printer)].papers;
            for (std::size_t k = 0; k < papers.size(); ++k) {
                if (papers[k].code == settings.PrinterSheetForSize[i]) {
                    row.paper = static_cast<int>(k);
                    break;
                }
            }
        }
        row.scaleToFit = settings.PrinterScaleForSize[i] == 0;
        row.scale = formatDouble(settings.PrinterScaleForSize[i], regional.decimalSeparator());
        row.lines = settings.PrinterLines[i];
    }
}

void PrinterSettingsWorkingCopy::choosePrinter(int row, int printer)
{
    PrinterRowCopy& target = rows.at(static_cast<std::size_t>(row));
    target.printer = printer >= 0 && printer < static_cast<int>(m_printers.size()) ? printer : -1;
    target.paper = -1;
}

void PrinterSettingsWorkingCopy::setScaleToFit(int row, bool fit)
{
    PrinterRowCopy& target = rows.at(static_cast<std::size_t>(row));
    target.scaleToFit = fit;
    target.scale = fit ? "0" : "1";
}

void PrinterSettingsWorkingCopy::stepScale(int row, int steps)
{
    PrinterRowCopy& target = rows.at(static_cast<std::size_t>(row));
    const std::optional<double> scale = parseDouble(target.scale, m_regional.decimalSeparator());
    if (!scale)
        return;
    const double stepped = std::round((*scale + 0.1 * steps) * kScaleDecimals) / kScaleDecimals;
    target.scale = formatDouble(stepped, m_regional.decimalSeparator());
}

std::optional<int> PrinterSettingsWorkingCopy::store(Settings& settings) const
{
    std::array<double, kPrinterRows> scales {};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::optional<double> scale
            = parseDouble(rows[i].scale, m_regional.decimalSeparator());
        if (!scale || !std::isfinite(*scale) || *scale < 0)
            return static_cast<int>(i);
        scales[i] = *scale;
    }
    settings.PrinterUseOnlyDefault = useOnlyDefault ? kTrue : kFalse;
    settings.PrinterClearHeaderFooter = clearHeaderFooter ? 1 : 0;
    settings.DrawingColor = static_cast<std::int16_t>(drawingColor);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PrinterRowCopy& row = rows[i];
        if (row.printer < 0) {
            settings.PrinterNameForSize[i] = kNoPrinterName;
            settings.PrinterSheetForSize[i] = -1;
        } else {
            const InstalledPrinter& printer = m_printers[static_cast<std::size_t>(row.printer)];
            settings.PrinterNameForSize[i] = printer.DeviceName;
            settings.PrinterSheetForSize[i]
                = row.paper >= 0 && row.paper < static_cast<int>(printer.papers.size())
                ? printer.papers[static_cast<std::size_t>(row.paper)].code
                : -1;
        }
        settings.PrinterScaleForSize[i] = scales[i];
        settings.PrinterLines[i] = row.lines;
    }
    return std::nullopt;
}

} // namespace quorrix::engine
