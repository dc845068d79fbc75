#include "gui/main_window_lists.h"

#include "gui/frm_main.h"

namespace quorrix::gui {

MainWindowLists::MainWindowLists(frmMain& window, const MainWindowPorts& ports)
    : QObject(&window)
    , m_window(window)
    , m_ports(ports)
{
}

MainWindowLists::~MainWindowLists() = default;

} // namespace quorrix::gui
