#pragma once

#include <QObject>

#include "gui/main_window_ports.h"

namespace quorrix::gui {

class frmMain;

// The main window's commands on print-list files (new, open, save as), the print list's
// mouse work (files dropped from the desktop, double clicks, right-button clear) and the
// favourite folders of the file browser.
class MainWindowLists : public QObject {
    Q_OBJECT
public:
    MainWindowLists(frmMain& window, const MainWindowPorts& ports);
    ~MainWindowLists() override;

private:
    frmMain& m_window;
    MainWindowPorts m_ports;
};

} // namespace quorrix::gui
