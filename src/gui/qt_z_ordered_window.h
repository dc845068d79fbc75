#pragma once

#include <QPointer>

#include "engine/settings/windows_handling.h"

class QWidget;

namespace quorrix::gui {

// Keeps a top-level widget above all other windows (Qt::WindowStaysOnTopHint).
class QtZOrderedWindow : public engine::ZOrderedWindow {
public:
    explicit QtZOrderedWindow(QWidget& window);

    void setTopmost(bool on) override;

private:
    QPointer<QWidget> m_window;
};

} // namespace quorrix::gui
