#include <gtest/gtest.h>

#include <QPageSize>
#include <QSizeF>

#include "gui/qt_printer_catalog.h"

using namespace quorrix;

TEST(PrinterCatalogTest, PapersKeepTheDriversOrderAndTheirWindowsNumbers)
{
    const QString longName(70, u'x');
    const QList<QPageSize> sizes {
        QPageSize(QPageSize::A3),
        QPageSize(QSizeF(123.4, 56.7), QPageSize::Millimeter, "Rolle 123"), // no Windows number
        QPageSize(QPageSize::Letter), QPageSize(QPageSize::A4), QPageSize(QPageSize::Legal),
        QPageSize(QSizeF(420, 297), QPageSize::Millimeter, longName), // custom, landscape A3
    };
    const engine::InstalledPrinter printer = gui::installedPrinter("Plotter HP", true, sizes);
    EXPECT_EQ(printer.DeviceName, "Plotter HP");
    EXPECT_TRUE(printer.isDefault);
    std::vector<std::int16_t> codes;
    for (const engine::PrinterPaper& paper : printer.papers) {
        codes.push_back(paper.code);
        EXPECT_LE(paper.name.size(), 64u);
        EXPECT_FALSE(paper.name.empty());
    }
    EXPECT_EQ(codes, (std::vector<std::int16_t> { 8, 1, 9, 5 })); // A3, Letter, A4, Legal
    EXPECT_EQ(printer.papers[0].name, QPageSize(QPageSize::A3).name().toStdString());
    // A driver name longer than 64 characters is cut.
    const engine::InstalledPrinter named = gui::installedPrinter("P", false,
        { QPageSize(QSizeF(210, 297), QPageSize::Millimeter, longName, QPageSize::ExactMatch) });
    ASSERT_EQ(named.papers.size(), 1u);
    EXPECT_EQ(named.papers[0].name, std::string(64, 'x'));
    EXPECT_EQ(named.papers[0].code, 9);

    EXPECT_TRUE(gui::installedPrinter("Empty", false, {}).papers.empty());
}
