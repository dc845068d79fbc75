#include <QApplication>

#include "app/solidworks_connector.h"
#include "gui/qt_printer_catalog.h"
#include "gui/quorrix_session.h"
#include "platform/platform_ports.h"
#include "swsim/sim_document_manager.h"

// The QUORRIX program: the start-up steps, then the main window until it is closed.
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    quorrix::platform::PlatformPorts ports = quorrix::platform::createPlatformPorts();
    quorrix::gui::QtPrinterCatalog printers;
    quorrix::app::SolidWorksConnector solidWorks
        = quorrix::app::createSolidWorksConnector(ports, std::string());
    // Previews come from the stand-in's Document Manager, which reads the stand-in's
    // documents (the vendor's component is a Windows COM server).
    quorrix::swsim::SimDocumentManager documentManager(*ports.files);

    quorrix::gui::QuorrixSession session({ *ports.store, *ports.files, *ports.regional,
        *ports.clock, *ports.shell, *solidWorks.connector, documentManager, printers,
        ports.programFolder, ports.userDataFolder });
    if (!session.start())
        return 0;
    return QApplication::exec();
}
