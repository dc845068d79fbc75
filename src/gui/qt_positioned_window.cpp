#include "gui/qt_positioned_window.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "gui/qt_text.h"

namespace quorrix::gui {

using engine::PositionedWindow;
using engine::TwipsRect;

namespace {

constexpr double kTwipsPerInch = 1440.0;

template <typename Int> Int roundClamped(double value)
{
    const double low = static_cast<double>(std::numeric_limits<Int>::min());
    const double high = static_cast<double>(std::numeric_limits<Int>::max());
    return static_cast<Int>(std::clamp(std::round(value), low, high));
}

double usable(double dpi)
{
    return dpi > 0.0 ? dpi : 96.0;
}

} // namespace

ScreenDpi primaryScreenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return { usable(screen->logicalDotsPerInchX()), usable(screen->logicalDotsPerInchY()) };
}

std::int32_t pixelsToTwips(int pixels, double dpi)
{
    return roundClamped<std::int32_t>(pixels * kTwipsPerInch / usable(dpi));
}

int twipsToPixels(std::int32_t twips, double dpi)
{
    return roundClamped<int>(twips * usable(dpi) / kTwipsPerInch);
}

QtPositionedWindow::QtPositionedWindow(QWidget& window)
    : QtPositionedWindow(window, primaryScreenDpi())
{
}

QtPositionedWindow::QtPositionedWindow(QWidget& window, ScreenDpi dpi)
    : m_window(&window)
    , m_dpi(dpi)
{
}

std::string QtPositionedWindow::name() const
{
    return m_window ? toStdString(m_window->objectName()) : std::string();
}

std::int32_t QtPositionedWindow::left() const
{
    return m_window ? pixelsToTwips(m_window->frameGeometry().x(), m_dpi.x) : 0;
}

std::int32_t QtPositionedWindow::top() const
{
    return m_window ? pixelsToTwips(m_window->frameGeometry().y(), m_dpi.y) : 0;
}

std::int32_t QtPositionedWindow::width() const
{
    return m_window ? pixelsToTwips(m_window->frameGeometry().width(), m_dpi.x) : 0;
}

std::int32_t QtPositionedWindow::height() const
{
    return m_window ? pixelsToTwips(m_window->frameGeometry().height(), m_dpi.y) : 0;
}

int QtPositionedWindow::state() const
{
    if (!m_window)
        return PositionedWindow::kNormal;
    if (m_window->isMinimized())
        return PositionedWindow::kMinimized;
    if (m_window->isMaximized())
        return PositionedWindow::kMaximized;
    return PositionedWindow::kNormal;
}

void QtPositionedWindow::setState(int state)
{
    if (!m_window)
        return;
    Qt::WindowStates states
        = m_window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == PositionedWindow::kMinimized)
        states |= Qt::WindowMinimized;
    else if (state == PositionedWindow::kMaximized)
        states |= Qt::WindowMaximized;
    // A hidden window takes the state when it is shown.
    m_window->setWindowState(states);
}

void QtPositionedWindow::move(
    std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    if (!m_window)
        return;
    // The stored size is the outer frame; Qt sizes the inside of a window. Before a window
    // is first shown the frame is not known yet and counts as nothing.
    const QSize frame = m_window->frameGeometry().size() - m_window->size();
    m_window->move(twipsToPixels(left, m_dpi.x), twipsToPixels(top, m_dpi.y));
    m_window->resize(std::max(1, twipsToPixels(width, m_dpi.x) - frame.width()),
        std::max(1, twipsToPixels(height, m_dpi.y) - frame.height()));
}

TwipsRect QtPositionedWindow::toTwips(const QRect& pixels) const
{
    return { pixelsToTwips(pixels.x(), m_dpi.x), pixelsToTwips(pixels.y(), m_dpi.y),
        pixelsToTwips(pixels.width(), m_dpi.x), pixelsToTwips(pixels.height(), m_dpi.y) };
}

std::vector<TwipsRect> QtPositionedWindow::screens() const
{
    std::vector<TwipsRect> out;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        out.push_back(toTwips(primary->availableGeometry()));
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary)
            out.push_back(toTwips(screen->availableGeometry()));
    }
    return out;
}

} // namespace quorrix::gui
