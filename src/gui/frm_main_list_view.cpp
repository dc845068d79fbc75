#include "gui/frm_main_list_view.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyle>
#include <QUrl>

#include <algorithm>

#include "gui/frm_main_list_model.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

QStringList droppedFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << QDir::toNativeSeparators(url.toLocalFile());
    }
    return paths;
}

RowListView::RowListView(QWidget* parent)
    : QListView(parent)
    , m_model(new RowListModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &RowListView::takeSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) { takeCurrent(current); });
    // Qt reports clicks of the left button only; the right button never reaches the view.
    connect(this, &QAbstractItemView::clicked, this,
        [this](const QModelIndex& index) { emit rowClicked(index.row()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
        [this](const QModelIndex& index) { emit rowDoubleClicked(index.row()); });
}

void RowListView::bind(Rows rows)
{
    m_rows = std::move(rows);
    m_model->setTexts(m_rows.texts ? &m_rows.texts() : nullptr);
    refresh();
}

void RowListView::refresh()
{
    if (!m_rows.texts)
        return;
    m_showing = true;
    m_model->reload(measureRows());
    showSelection();
    m_showing = false;
}

void RowListView::setAcceptsFileDrops(bool accept)
{
    m_acceptsFileDrops = accept;
    setAcceptDrops(accept);
    viewport()->setAcceptDrops(accept);
}

QSize RowListView::measureRows() const
{
    // The widest row decides the width of all; the style adds the item margins.
    const QFontMetrics metrics(font());
    QString widest;
    int widestAdvance = -1;
    for (const std::string& text : m_rows.texts()) {
        const QString row = toQString(text);
        const int advance = metrics.horizontalAdvance(row);
        if (advance > widestAdvance) {
            widestAdvance = advance;
            widest = row;
        }
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = widest.isEmpty() ? QStringLiteral("Xg") : widest;
    const QSize size = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
    return widest.isEmpty() ? QSize(0, size.height()) : size;
}

void RowListView::showSelection()
{
    QItemSelection selection;
    const int count = m_model->rowCount();
    int blockStart = -1;
    for (int row = 0; row <= count; ++row) {
        const bool selected = row < count && m_rows.isSelected(row);
        if (selected && blockStart < 0)
            blockStart = row;
        if (!selected && blockStart >= 0) {
            selection.select(m_model->index(blockStart), m_model->index(row - 1));
            blockStart = -1;
        }
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const int current = m_rows.currentRow();
    if (current >= 0 && current < count)
        selectionModel()->setCurrentIndex(m_model->index(current), QItemSelectionModel::NoUpdate);
    else
        selectionModel()->clearCurrentIndex();
}

void RowListView::takeSelection(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (m_showing || !m_rows.setSelected)
        return;
    for (const QItemSelectionRange& range : deselected)
        for (int row = range.top(); row <= range.bottom(); ++row)
            m_rows.setSelected(row, false);
    for (const QItemSelectionRange& range : selected)
        for (int row = range.top(); row <= range.bottom(); ++row)
            m_rows.setSelected(row, true);
    emit selectionEdited();
}

void RowListView::takeCurrent(const QModelIndex& current)
{
    if (m_showing || !m_rows.setCurrentRow)
        return;
    m_rows.setCurrentRow(current.isValid() ? current.row() : -1);
    emit selectionEdited();
}

void RowListView::focusInEvent(QFocusEvent* event)
{
    // Qt gives a list without a current row the first row when it is tabbed into. Here the
    // current row decides where additions go, so only a click or a key may set it.
    const bool hadCurrent = currentIndex().isValid();
    QListView::focusInEvent(event);
    if (!hadCurrent && currentIndex().isValid())
        selectionModel()->clearCurrentIndex();
}

void RowListView::mousePressEvent(QMouseEvent* event)
{
    // The right button does not select: its release clears the selection instead.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void RowListView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightButtonReleased();
        return;
    }
    QListView::mouseReleaseEvent(event);
}

void RowListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_acceptsFileDrops && !droppedFiles(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void RowListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (m_acceptsFileDrops && !droppedFiles(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void RowListView::dropEvent(QDropEvent* event)
{
    const QStringList paths = m_acceptsFileDrops ? droppedFiles(event->mimeData()) : QStringList();
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit filesDropped(paths);
}

} // namespace quorrix::gui
