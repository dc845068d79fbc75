#pragma once

#include <QWidget>

class QToolButton;

namespace quorrix::gui {

// A pair of small arrow buttons beside a text box, stepping its value up or down; a held
// button repeats.
class UpDownButtons : public QWidget {
    Q_OBJECT

public:
    explicit UpDownButtons(QWidget* parent = nullptr);

signals:
    // +1 for up, -1 for down.
    void stepped(int steps);

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace quorrix::gui
