#include "gui/qt_positioned_window.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QMetaObject>
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

// Until the window system has put its frame around a window, Qt reports the frame as the
// inside of the window: before the window is first shown, and on X11 until the window
// manager has taken the shown window in, which happens some time after show().
bool frameKnown(const QWidget& window)
{
    return window.frameGeometry() != window.geometry();
}

// Gives the window the outer frame, with the frame's borders as they are now.
void setFrame(QWidget& window, const QRect& frame)
{
    const QRect inside = window.geometry();
    const QRect outside = window.frameGeometry();
    const QMargins borders(inside.left() - outside.left(), inside.top() - outside.top(),
        outside.right() - inside.right(), outside.bottom() - inside.bottom());
    const QRect target = frame.marginsRemoved(borders);
    window.setGeometry(
        target.x(), target.y(), std::max(1, target.width()), std::max(1, target.height()));
}

// Corrects the place of a window whose frame was not known when it was placed, once the
// frame is there. Left as placed, the inside would keep the stored outer size, and on X11
// the stored outer position too: the window would grow and move by its frame at every start.
// A window placed at the size it already had (centred, say) keeps its inside size.
class FrameCorrection : public QObject {
public:
    FrameCorrection(QWidget& window, const QRect& frame, bool keepInsideSize)
        : QObject(&window)
        , m_window(window)
        , m_frame(frame)
        , m_keepInsideSize(keepInsideSize)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window && !m_scheduled && watchedType(event->type())
            && frameKnown(m_window)) {
            // Not from inside the window's own paint or show handling.
            m_scheduled = true;
            QMetaObject::invokeMethod(
                this, [this] { apply(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    static bool watchedType(QEvent::Type type)
    {
        switch (type) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Paint:
        case QEvent::UpdateRequest:
        case QEvent::WindowActivate:
            return true;
        default:
            return false;
        }
    }

    void apply()
    {
        m_window.removeEventFilter(this);
        if (frameKnown(m_window)) {
            QRect frame = m_frame;
            if (m_keepInsideSize)
                frame.setSize(m_window.frameGeometry().size());
            setFrame(m_window, frame);
        }
        deleteLater();
    }

    QWidget& m_window;
    QRect m_frame;
    bool m_keepInsideSize;
    bool m_scheduled = false;
};

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
    delete m_correction;
    const QRect frame(twipsToPixels(left, m_dpi.x), twipsToPixels(top, m_dpi.y),
        std::max(1, twipsToPixels(width, m_dpi.x)), std::max(1, twipsToPixels(height, m_dpi.y)));
    if (frameKnown(*m_window)) {
        setFrame(*m_window, frame);
        return;
    }
    const bool sameSize = frame.size() == m_window->size();
    m_window->move(frame.topLeft());
    m_window->resize(frame.size());
    if (!m_window->windowFlags().testFlag(Qt::FramelessWindowHint))
        m_correction = new FrameCorrection(*m_window, frame, sameSize);
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
