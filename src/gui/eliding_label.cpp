#include "gui/eliding_label.h"

#include <QPainter>
#include <QStyle>

namespace quorrix::gui {

QStringList ElidingLabel::shownLines() const
{
    const int width = contentsRect().width() - 2 * margin();
    QStringList lines = text().split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = fontMetrics().elidedText(line, Qt::ElideMiddle, width);
    return lines;
}

void ElidingLabel::paintEvent(QPaintEvent* event)
{
    // The frame and the background as QLabel draws them, then the shortened lines in place
    // of the text.
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(),
        shownLines().join(QLatin1Char('\n')), foregroundRole());
}

} // namespace quorrix::gui
