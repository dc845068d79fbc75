#pragma once

#include <QLabel>

namespace quorrix::gui {

// A plain-text label that shows each line of its text shortened in the middle when the line
// is wider than the label: a long path keeps its drive and its file name. text() stays the
// whole text.
class ElidingLabel : public QLabel {
public:
    using QLabel::QLabel;

    // The lines as the label shows them at its current width.
    QStringList shownLines() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quorrix::gui
