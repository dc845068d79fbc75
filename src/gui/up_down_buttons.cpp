#include "gui/up_down_buttons.h"

#include <QEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorrix::gui {

namespace {

QToolButton* arrowButton(Qt::ArrowType arrow, const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus); // the text box beside takes the arrow keys
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    button->setMaximumHeight(12);
    return button;
}

} // namespace

UpDownButtons::UpDownButtons(QWidget* parent)
    : QWidget(parent)
    , m_up(arrowButton(Qt::UpArrow, "up", this))
    , m_down(arrowButton(Qt::DownArrow, "down", this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { emit stepped(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit stepped(-1); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

} // namespace quorrix::gui
