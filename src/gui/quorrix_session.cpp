#include "gui/quorrix_session.h"

#include <QApplication>
#include <QDir>

#include "gui/frm_main.h"
#include "gui/frm_open_directory.h"
#include "gui/frm_preview_bitmap.h"
#include "gui/frm_progress.h"
#include "gui/main_window_assembly.h"
#include "gui/main_window_commands.h"
#include "gui/main_window_lists.h"
#include "gui/main_window_preview.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

QuorrixSession::QuorrixSession(const SessionPorts& ports)
    : m_ports(ports)
    , m_program({ ports.store, ports.files, ports.regional, ports.clock, m_messages, ports.printers,
          ports.solidWorks, ports.programFolder })
{
}

QuorrixSession::~QuorrixSession()
{
    // The progress window belongs to the main window's run; it goes first.
    m_progress.reset();
    m_window.reset();
}

bool QuorrixSession::start(const std::string& folder)
{
    if (!m_program.start())
        return false;

    m_window = std::make_unique<frmMain>();
    m_messages.setOwner(m_window.get());
    m_fileDialogs.setOwner(m_window.get());
    m_fileDialogs.setFolderChooser([this](const FileDialogRequest& request) {
        QWidget* owner = QApplication::activeModalWidget();
        frmOpenDirectory chooser(m_program.language, m_ports.store, owner ? owner : m_window.get());
        chooser.setCurrentFolder(toQString(request.startFolder));
        chooser.exec();
        return chooser.result().isEmpty()
            ? std::nullopt
            : std::optional<std::string>(toStdString(chooser.result()));
    });
    m_progress = std::make_unique<frmProgress>(
        m_program.cancelFlag, m_program.language, m_ports.store, m_messages, m_window.get());
    // The browser opens in the working folder; where that is no folder (a program started
    // from a folder that is gone), in the user's home.
    if (!m_window->setCurrentFolder(
            folder.empty() ? QDir::currentPath() : QString::fromStdString(folder)))
        m_window->setCurrentFolder(QDir::homePath());

    const MainWindowPorts ports { m_program, m_ports.store, m_ports.files, m_ports.clock,
        m_ports.regional, m_ports.shell, m_messages, m_fileDialogs, m_ports.documentManager,
        m_ports.programFolder, m_ports.userDataFolder, m_ports.solidWorksStandIn,
        m_ports.pdfCombiner };
    m_commands = new MainWindowCommands(*m_window, ports, *m_progress);
    m_lists = new MainWindowLists(*m_window, ports);
    m_preview = new MainWindowPreview(*m_window, ports);
    m_assembly = new MainWindowAssembly(*m_window, ports);
    m_commands->restoreStartup();
    m_window->show();
    m_commands->restorePosition();
    return true;
}

} // namespace quorrix::gui
