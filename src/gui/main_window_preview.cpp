#include "gui/main_window_preview.h"

#include "gui/frm_main.h"

namespace quorrix::gui {

MainWindowPreview::MainWindowPreview(frmMain& window, const MainWindowPorts& ports)
    : QObject(&window)
    , m_window(window)
    , m_ports(ports)
{
}

MainWindowPreview::~MainWindowPreview() = default;

} // namespace quorrix::gui
