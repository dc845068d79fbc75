#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QPointer>

#include "engine/settings/form_pos.h"

class QWidget;

namespace quorrix::gui {

// Dots per inch of the screen in Qt's device-independent pixels.
struct ScreenDpi {
    double x = 96.0;
    double y = 96.0;
};

// The logical DPI of the primary screen. Every window converts with the same numbers, so
// a position stays where it was whichever screen it was saved on.
ScreenDpi primaryScreenDpi();

// twips = pixels * 1440 / dpi, rounded to the nearest twip (and back).
std::int32_t pixelsToTwips(int pixels, double dpi);
int twipsToPixels(std::int32_t twips, double dpi);

// A top-level widget as CFormPos sees it: the outer frame in twips, the window state, the
// screens' available areas.
class QtPositionedWindow : public engine::PositionedWindow {
public:
    explicit QtPositionedWindow(QWidget& window);
    QtPositionedWindow(QWidget& window, ScreenDpi dpi);

    std::string name() const override;
    std::int32_t left() const override;
    std::int32_t top() const override;
    std::int32_t width() const override;
    std::int32_t height() const override;
    int state() const override;
    void setState(int state) override;
    void move(
        std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
    std::vector<engine::TwipsRect> screens() const override;

private:
    engine::TwipsRect toTwips(const QRect& pixels) const;

    QPointer<QWidget> m_window;
    ScreenDpi m_dpi;
    // The correction of a position set before the window's frame was known.
    QPointer<QObject> m_correction;
};

} // namespace quorrix::gui
