#include "engine/actions/sheet_sizes.h"

#include <cmath>

#include "engine/platform/number_text.h"
#include "engine/platform/regional_format.h"

namespace quorrix::engine {

namespace {

constexpr std::array<SheetSize, kSheetSizeRows> kStandardSheetSizes { {
    { "A", 0.2794, 0.2159 },
    { "Av", 0.2159, 0.2794 },
    { "B", 0.4318, 0.2794 },
    { "C", 0.5588, 0.4318 },
    { "D", 0.8636, 0.5588 },
    { "E", 1.1176, 0.8636 },
    { "A4Q", 0.297, 0.21 },
    { "A4H", 0.21, 0.297 },
    { "A3", 0.42, 0.297 },
    { "A2", 0.594, 0.42 },
    { "A1", 0.841, 0.594 },
    { "A0", 1.189, 0.841 },
} };

constexpr double kTenthsOfMillimetre = 10000.0;

// Independent of the floating-point environment's rounding mode.
double roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction < 0.5)
        return lower;
    if (fraction > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

} // namespace

const std::array<SheetSize, kSheetSizeRows>& standardSheetSizes()
{
    return kStandardSheetSizes;
}

double roundSheetLength(double metres)
{
    // Dividing the whole number of tenths gives the same double as the decimal literal,
    // so the rounded length compares exactly with the table.
    return roundHalfEven(metres * kTenthsOfMillimetre) / kTenthsOfMillimetre;
}

int sheetSizeClass(const Settings& settings, double width, double height)
{
    const double w = roundSheetLength(width);
    const double h = roundSheetLength(height);
    const bool custom = settings.PrinterSheetSizeUseCustom != 0;
    for (int k = 0; k < kSheetSizeRows; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const double rowWidth
            = custom ? settings.PrinterSheetSizeWidth[i] : kStandardSheetSizes[i].width;
        const double rowHeight
            = custom ? settings.PrinterSheetSizeHeight[i] : kStandardSheetSizes[i].height;
        if (w == rowWidth && h == rowHeight)
            return k;
    }
    return kOtherSheetSize;
}

SheetSizesWorkingCopy::SheetSizesWorkingCopy(
    const Settings& settings, const RegionalFormat& regional)
    : m_regional(regional)
{
    getSheetSizes(settings);
    useCustom = settings.PrinterSheetSizeUseCustom != 0;
}

void SheetSizesWorkingCopy::getSheetSizes(const Settings& settings)
{
    std::array<double, kSheetSizeRows> w {};
    std::array<double, kSheetSizeRows> h {};
    for (std::size_t i = 0; i < w.size(); ++i) {
        w[i] = settings.PrinterSheetSizeWidth[i];
        h[i] = settings.PrinterSheetSizeHeight[i];
    }
    fill(w, h);
}

void SheetSizesWorkingCopy::resetAllSheetSizes()
{
    std::array<double, kSheetSizeRows> w {};
    std::array<double, kSheetSizeRows> h {};
    for (std::size_t i = 0; i < w.size(); ++i) {
        w[i] = kStandardSheetSizes[i].width;
        h[i] = kStandardSheetSizes[i].height;
    }
    fill(w, h);
}

void SheetSizesWorkingCopy::fill(const std::array<double, kSheetSizeRows>& widthValues,
    const std::array<double, kSheetSizeRows>& heightValues)
{
    const char separator = m_regional.decimalSeparator();
    for (std::size_t i = 0; i < widths.size(); ++i) {
        widths[i] = formatDouble(widthValues[i], separator);
        heights[i] = formatDouble(heightValues[i], separator);
    }
}

std::optional<SheetSizeField> SheetSizesWorkingCopy::store(Settings& settings) const
{
    const char separator = m_regional.decimalSeparator();
    std::array<double, kSheetSizeRows> w {};
    std::array<double, kSheetSizeRows> h {};
    for (std::size_t i = 0; i < w.size(); ++i) {
        const auto width = parseDouble(widths[i], separator);
        if (!width || !std::isfinite(*width))
            return SheetSizeField { static_cast<int>(i), false };
        const auto height = parseDouble(heights[i], separator);
        if (!height || !std::isfinite(*height))
            return SheetSizeField { static_cast<int>(i), true };
        w[i] = *width;
        h[i] = *height;
    }
    for (std::size_t i = 0; i < w.size(); ++i) {
        settings.PrinterSheetSizeWidth[i] = w[i];
        settings.PrinterSheetSizeHeight[i] = h[i];
    }
    settings.PrinterSheetSizeUseCustom = useCustom ? kTrue : kFalse;
    return std::nullopt;
}

std::string sheetSizesDescription()
{
    return "These values are used to compare the sheet sizes of SolidWorks sheets "
           "with the type of sheet for the printer. Example: if you set Av width to 0.2 and Av "
           "height to 0.3 all sheets in SolidWorks 0.2 x 0.3 will be handled as Av sheet size.";
}

} // namespace quorrix::engine
