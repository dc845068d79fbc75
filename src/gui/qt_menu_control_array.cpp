#include "gui/qt_menu_control_array.h"

#include <QAction>
#include <QMenu>

#include "gui/control_array.h"
#include "gui/qt_language_form.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

QtMenuControlArray::QtMenuControlArray(QMenu& menu, QAction& element0, QObject* parent)
    : QObject(parent)
    , m_menu(&menu)
    , m_arrayName(controlName(element0.objectName()))
{
    m_elements.emplace_back(&element0);
}

int QtMenuControlArray::highestIndex() const
{
    return static_cast<int>(m_elements.size()) - 1;
}

QAction* QtMenuControlArray::element(int index) const
{
    if (index < 0 || index > highestIndex())
        return nullptr;
    return m_elements[static_cast<std::size_t>(index)].data();
}

void QtMenuControlArray::load(int index)
{
    if (!m_menu || index != highestIndex() + 1)
        return;
    auto* action = new QAction(m_menu);
    action->setObjectName(controlArrayMemberName(m_arrayName, index));
    action->setProperty(kUntranslatedProperty, true);
    connect(action, &QAction::triggered, this, [this, index] { emit triggered(index); });

    // Right behind the highest element, so the array stays together above the commands
    // that follow it in the menu.
    const QList<QAction*> actions = m_menu->actions();
    const qsizetype last = actions.indexOf(element(highestIndex()));
    QAction* before = last >= 0 && last + 1 < actions.size() ? actions[last + 1] : nullptr;
    m_menu->insertAction(before, action);
    m_elements.emplace_back(action);
}

void QtMenuControlArray::unload(int index)
{
    if (index <= 0 || index != highestIndex())
        return;
    QPointer<QAction> action = m_elements.back();
    m_elements.pop_back();
    if (!action)
        return;
    if (m_menu)
        m_menu->removeAction(action);
    // The element may be the one whose triggered signal is being handled right now.
    action->deleteLater();
}

void QtMenuControlArray::setCaption(int index, const std::string& caption)
{
    QAction* action = element(index);
    if (!action)
        return;
    const bool separator = caption == "-";
    action->setSeparator(separator);
    // A separator with a text is drawn as a heading with that text. A folder named "A&B"
    // shows its "&": no mnemonic in a data caption.
    action->setText(separator ? QString() : toQString(caption).replace(u'&', QStringLiteral("&&")));
}

void QtMenuControlArray::setVisible(int index, bool visible)
{
    if (QAction* action = element(index))
        action->setVisible(visible);
}

} // namespace quorrix::gui
