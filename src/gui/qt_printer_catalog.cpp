#include "gui/qt_printer_catalog.h"

#include <limits>

#include <QPrinterInfo>

#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr qsizetype kPaperNameLength = 64;

} // namespace

engine::InstalledPrinter installedPrinter(
    const QString& deviceName, bool isDefault, const QList<QPageSize>& pageSizes)
{
    engine::InstalledPrinter printer;
    printer.DeviceName = toStdString(deviceName);
    printer.isDefault = isDefault;
    for (const QPageSize& size : pageSizes) {
        // Qt numbers every custom size as the one "user defined" paper, which could not
        // tell two of them apart.
        const int code = size.windowsId();
        if (size.id() == QPageSize::Custom || code <= 0
            || code > std::numeric_limits<std::int16_t>::max())
            continue;
        printer.papers.push_back(
            { toStdString(size.name().left(kPaperNameLength)), static_cast<std::int16_t>(code) });
    }
    return printer;
}

std::vector<engine::InstalledPrinter> QtPrinterCatalog::installedPrinters()
{
    std::vector<engine::InstalledPrinter> printers;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        printers.push_back(
            installedPrinter(info.printerName(), info.isDefault(), info.supportedPageSizes()));
    return printers;
}

} // namespace quorrix::gui
