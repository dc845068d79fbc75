#include <QApplication>
#include <QDir>

#include "app/solidworks_connector.h"
#include "engine/run/program_start.h"
#include "gui/frm_main.h"
#include "gui/frm_progress.h"
#include "gui/main_window_commands.h"
#include "gui/message_boxes.h"
#include "gui/qt_printer_catalog.h"
#include "platform/platform_ports.h"

// The QUORRIX program: the start-up steps, then the main window until it is closed.
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    quorrix::platform::PlatformPorts ports = quorrix::platform::createPlatformPorts();
    quorrix::gui::MessageBoxes messages;
    quorrix::gui::QtPrinterCatalog printers;
    quorrix::app::SolidWorksConnector solidWorks
        = quorrix::app::createSolidWorksConnector(ports, std::string());

    quorrix::engine::Program program({ *ports.store, *ports.files, *ports.regional, *ports.clock,
        messages, printers, *solidWorks.connector, ports.programFolder });
    if (!program.start())
        return 0;

    quorrix::gui::frmMain window;
    messages.setOwner(&window);
    quorrix::gui::frmProgress progress(
        program.cancelFlag, program.language, *ports.store, messages, &window);
    window.setCurrentFolder(QDir::homePath());
    quorrix::gui::MainWindowCommands commands(window, program, *ports.files, *ports.clock,
        *ports.regional, *ports.shell, messages, progress, ports.programFolder,
        ports.userDataFolder);
    window.show();
    const int code = QApplication::exec();
    program.registry.SaveProcessedCounters(program.counters);
    return code;
}
