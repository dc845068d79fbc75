#include "gui/qt_list_control.h"

#include <QComboBox>
#include <QListWidget>

#include "gui/qt_text.h"

namespace quorrix::gui {

QtListControl::QtListControl(QComboBox& combo)
    : m_combo(&combo)
{
}

QtListControl::QtListControl(QListWidget& list)
    : m_list(&list)
{
}

void QtListControl::clear()
{
    if (m_combo)
        m_combo->clear();
    if (m_list)
        m_list->clear();
}

void QtListControl::addItem(const std::string& text)
{
    if (m_combo)
        m_combo->addItem(toQString(text));
    if (m_list)
        m_list->addItem(toQString(text));
}

} // namespace quorrix::gui
