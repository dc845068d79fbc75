#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/platform/printer_catalog.h"
#include "engine/settings/settings.h"

namespace quorrix::engine {

class RegionalFormat;

// The printer settings window has one row per sheet-size class 0 to 12; the TIFF and PDF
// slots 13 and 14 have none.
inline constexpr int kPrinterRows = 13;

// The forced drawing colours 0 to 3, as the window lists them.
const std::array<const char*, 4>& drawingColorEntries();

// One row of the window: the chosen printer and paper (indexes into the printer list and
// that printer's papers, -1 for none), the scale as typed, the fit box and the row's own
// line weights.
struct PrinterRowCopy {
    int printer = -1;
    int paper = -1;
    std::string scale;
    bool scaleToFit = false;
    PrinterLineSettings lines;
};

// The printer settings window's working copy. It opens with what the settings hold, matched
// against the printers installed now: a printer that is gone, or a paper code its printer
// does not offer, shows as none.
class PrinterSettingsWorkingCopy {
public:
    PrinterSettingsWorkingCopy(const Settings& settings,
        const std::vector<InstalledPrinter>& printers, const RegionalFormat& regional);

    std::array<PrinterRowCopy, kPrinterRows> rows;
    bool useOnlyDefault = false;
    bool clearHeaderFooter = false;
    int drawingColor = 0;

    // A printer of the list (-1: none); its papers are offered anew, none chosen.
    void choosePrinter(int row, int printer);
    // The fit box: checked shows a scale of "0", cleared starts again from "1".
    void setScaleToFit(int row, bool fit);
    // The up/down control: the scale plus or minus a tenth per step, in the user's format.
    // A scale that is not a number is left as it is.
    void stepScale(int row, int steps);

    // "OK": rows without printer become "---" with paper -1, a row without paper keeps -1.
    // A scale that is not a number, or below 0, stores nothing and gives its row, so the
    // window can stay open on it.
    std::optional<int> store(Settings& settings) const;

private:
    const std::vector<InstalledPrinter>& m_printers;
    const RegionalFormat& m_regional;
};

} // namespace quorrix::engine
