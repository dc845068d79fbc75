#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/settings/settings.h"

namespace quorrix::engine {

class RegionalFormat;

// Sheet-size classes 0 to 11 have a size; class 12, "other", takes every sheet that
// matches none of them.
inline constexpr int kSheetSizeRows = 12;
inline constexpr int kOtherSheetSize = 12;

struct SheetSize {
    const char* caption;
    double width; // metres
    double height; // metres
};

// The fixed standard sizes of classes 0 to 11 ("A" to "A0").
const std::array<SheetSize, kSheetSizeRows>& standardSheetSizes();

// A length in metres rounded to a tenth of a millimetre, half to even.
double roundSheetLength(double metres);

// The class of a sheet: the first row of the standard table, or of the custom table when
// PrinterSheetSizeUseCustom is set, whose width and height equal the sheet's rounded width
// and height; 12 when none does. A portrait sheet only matches a portrait row.
int sheetSizeClass(const Settings& settings, double width, double height);

// The sheet sizes dialog's text box that did not hold a number.
struct SheetSizeField {
    int index = 0;
    bool height = false; // else the width
    bool operator==(const SheetSizeField&) const = default;
};

// The sheet sizes dialog's working copy: twelve width and height texts in the user's
// number format and the "Use custom values" box.
class SheetSizesWorkingCopy {
public:
    // Opens with the custom sizes and the use flag of the settings.
    SheetSizesWorkingCopy(const Settings& settings, const RegionalFormat& regional);

    std::array<std::string, kSheetSizeRows> widths;
    std::array<std::string, kSheetSizeRows> heights;
    bool useCustom = false;

    // "Get": the custom sizes as the settings hold them now, undoing any edits.
    void getSheetSizes(const Settings& settings);
    // "Reset to standard": the standard sizes; the settings keep theirs until "Ok".
    void resetAllSheetSizes();
    // "Ok": every text into the custom table and the box into PrinterSheetSizeUseCustom.
    // A text that is no finite number stores nothing and names the first such box, so the
    // dialog can stay open on it.
    std::optional<SheetSizeField> store(Settings& settings) const;

private:
    void fill(const std::array<double, kSheetSizeRows>& widthValues,
        const std::array<double, kSheetSizeRows>& heightValues);

    const RegionalFormat& m_regional;
};

// Whether the printer settings dialog shows its "currently using custom sheet sizes" note.
inline bool usingCustomSheetSizes(const Settings& settings)
{
    return settings.PrinterSheetSizeUseCustom != 0;
}

// The sheet sizes dialog's explanation below the table.
std::string sheetSizesDescription();

} // namespace quorrix::engine
