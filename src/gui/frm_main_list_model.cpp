#include "gui/frm_main_list_model.h"

#include "gui/qt_text.h"

namespace quorrix::gui {

RowListModel::RowListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void RowListModel::setTexts(const std::vector<std::string>* texts)
{
    beginResetModel();
    m_texts = texts;
    endResetModel();
}

void RowListModel::reload(QSize rowSize)
{
    beginResetModel();
    m_rowSize = rowSize;
    endResetModel();
}

int RowListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_texts)
        return 0;
    return static_cast<int>(m_texts->size());
}

QVariant RowListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return toQString((*m_texts)[static_cast<std::size_t>(index.row())]);
    case Qt::SizeHintRole:
        return m_rowSize.isValid() ? QVariant(m_rowSize) : QVariant();
    default:
        return {};
    }
}

} // namespace quorrix::gui
