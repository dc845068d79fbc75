#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorrix::engine {

// A paper a printer driver offers: its name as the driver words it and its Windows paper
// number (the code that page setups and the printer settings store).
struct PrinterPaper {
    std::string name;
    std::int16_t code = 0;
    bool operator==(const PrinterPaper&) const = default;
};

struct InstalledPrinter {
    std::string DeviceName;
    bool isDefault = false;
    std::vector<PrinterPaper> papers; // in the driver's order
    bool operator==(const InstalledPrinter&) const = default;
};

// The printers installed on this computer. Read once at start-up; printers installed later
// appear after a restart.
class PrinterCatalog {
public:
    virtual ~PrinterCatalog() = default;

    // In the platform's order; empty when none is installed or the platform cannot tell.
    virtual std::vector<InstalledPrinter> installedPrinters() = 0;
};

} // namespace quorrix::engine
