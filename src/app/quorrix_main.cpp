#include <QApplication>

#include <cstring>
#include <exception>
#include <iostream>

#include "app/solidworks_connector.h"
#include "gui/qt_printer_catalog.h"
#include "pdf/pdf_combiner_factory.h"
#include "gui/quorrix_session.h"
#include "platform/platform_ports.h"

// The QUORRIX program: the start-up steps, then the main window until it is closed.
// --stand-in runs it against the SolidWorks stand-in (on Windows only when asked for).
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    bool standInAsked = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--stand-in") == 0)
            standInAsked = true;
    }
    // The program never ends on an uncaught exception: one line and a failure status.
    try {
        quorrix::platform::PlatformPorts ports = quorrix::platform::createPlatformPorts();
        quorrix::gui::QtPrinterCatalog printers;
        quorrix::app::SolidWorksConnector solidWorks
            = quorrix::app::createSolidWorksConnector(ports, std::string(), standInAsked);
        const std::unique_ptr<quorrix::engine::DocumentManagerConnector> documentManager
            = quorrix::app::createDocumentManager(ports, standInAsked);
        const std::unique_ptr<quorrix::engine::PdfCombiner> pdfCombiner
            = quorrix::pdf::createPdfCombiner();
        if (solidWorks.standIn)
            std::cerr << "quorrix: runs against " << solidWorks.description << "\n";

        quorrix::gui::QuorrixSession session({ *ports.store, *ports.files, *ports.regional,
            *ports.clock, *ports.shell, *solidWorks.connector, *documentManager, printers,
            ports.programFolder, ports.userDataFolder, solidWorks.standIn,
            pdfCombiner.get() });
        if (!session.start())
            return 0;
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::cerr << "quorrix: " << error.what() << "\n";
        return 1;
    }
}
