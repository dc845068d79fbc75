#include "gui/qt_z_ordered_window.h"

#include <QWidget>

namespace quorrix::gui {

QtZOrderedWindow::QtZOrderedWindow(QWidget& window)
    : m_window(&window)
{
}

void QtZOrderedWindow::setTopmost(bool on)
{
    if (!m_window || m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    // Changing a window's flags hides it; it comes back where it was, without taking the
    // focus from whatever window the user is working in.
    const bool visible = m_window->isVisible();
    const QPoint position = m_window->pos();
    const QSize size = m_window->size();
    m_window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    m_window->move(position);
    m_window->resize(size);
    if (visible) {
        const bool activates = !m_window->testAttribute(Qt::WA_ShowWithoutActivating);
        m_window->setAttribute(Qt::WA_ShowWithoutActivating, true);
        m_window->show();
        m_window->setAttribute(Qt::WA_ShowWithoutActivating, !activates);
    }
}

} // namespace quorrix::gui
