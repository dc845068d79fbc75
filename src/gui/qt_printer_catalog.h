#pragma once

#include <QList>
#include <QPageSize>
#include <QString>

#include "engine/platform/printer_catalog.h"

namespace quorrix::gui {

// The installed printers as Qt's print support reports them (CUPS on Linux).
class QtPrinterCatalog : public engine::PrinterCatalog {
public:
    std::vector<engine::InstalledPrinter> installedPrinters() override;
};

// One printer's record: papers in the driver's order, each with its Windows paper number.
// Papers without a Windows number of their own (custom sizes) cannot be chosen by code and
// are left out; names are cut to the 64 characters a driver's paper name has.
engine::InstalledPrinter installedPrinter(
    const QString& deviceName, bool isDefault, const QList<QPageSize>& pageSizes);

} // namespace quorrix::gui
