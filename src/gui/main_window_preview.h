#pragma once

#include <QObject>

#include "gui/main_window_ports.h"

namespace quorrix::gui {

class frmMain;

// The preview option of the main window: the toggle (menu entry and toolbar key), the
// preview window it opens and closes, and the previews of the rows the user clicks.
class MainWindowPreview : public QObject {
    Q_OBJECT
public:
    MainWindowPreview(frmMain& window, const MainWindowPorts& ports);
    ~MainWindowPreview() override;

private:
    frmMain& m_window;
    MainWindowPorts m_ports;
};

} // namespace quorrix::gui
