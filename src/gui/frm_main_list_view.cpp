#include "gui/frm_main_list_view.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QHash>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyle>
#include <QUrl>

#include <algorithm>
#include <array>
#include <utility>

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
    // The widest row decides the width of all; the style adds the item margins. Laying out
    // every row costs far too much for tens of thousands of rows, so each row is estimated
    // by the sum of its characters' advances and only the rows that come out widest are
    // measured exactly.
    const QFontMetrics metrics(font());
    std::array<int, 128> asciiAdvance {};
    for (int c = 0; c < 128; ++c)
        asciiAdvance[static_cast<std::size_t>(c)] = metrics.horizontalAdvance(QChar(c));
    QHash<char16_t, int> otherAdvance;
    const auto estimate = [&](const std::string& text) {
        int width = 0;
        bool ascii = true;
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 128) {
                ascii = false;
                break;
            }
            width += asciiAdvance[byte];
        }
        if (ascii)
            return width;
        width = 0;
        const QString row = toQString(text);
        for (qsizetype i = 0; i < row.size(); ++i) {
            const QChar c = row[i];
            if (c.isHighSurrogate() && i + 1 < row.size()) {
                width += metrics.horizontalAdvance(row.mid(i, 2));
                ++i;
                continue;
            }
            auto known = otherAdvance.constFind(c.unicode());
            if (known == otherAdvance.cend())
                known = otherAdvance.insert(c.unicode(), metrics.horizontalAdvance(c));
            width += *known;
        }
        return width;
    };

    // The widest estimates, widest first.
    constexpr std::size_t kMeasured = 16;
    const std::vector<std::string>& texts = m_rows.texts();
    std::vector<std::pair<int, std::size_t>> widest;
    widest.reserve(kMeasured + 1);
    for (std::size_t row = 0; row < texts.size(); ++row) {
        const int width = estimate(texts[row]);
        if (widest.size() == kMeasured && width <= widest.back().first)
            continue;
        const auto place = std::upper_bound(widest.begin(), widest.end(), width,
            [](int w, const std::pair<int, std::size_t>& other) { return w > other.first; });
        widest.insert(place, { width, row });
        if (widest.size() > kMeasured)
            widest.pop_back();
    }
    QString widestRow;
    int widestAdvance = -1;
    for (const auto& candidate : widest) {
        const QString row = toQString(texts[candidate.second]);
        const int advance = metrics.horizontalAdvance(row);
        if (advance > widestAdvance) {
            widestAdvance = advance;
            widestRow = row;
        }
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = widestRow.isEmpty() ? QStringLiteral("Xg") : widestRow;
    QSize size = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
    if (widestRow.isEmpty())
        return QSize(0, size.height());
    // Kerning makes a row a little narrower than its estimate; a row left out for that may
    // still be a few pixels wider than the widest measured one, so the estimate is the least.
    size.rwidth() += std::max(0, widest.front().first - widestAdvance);
    return size;
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
        emit contextMenuWanted(event->globalPosition().toPoint());
        return;
    }
    QListView::mouseReleaseEvent(event);
}

void RowListView::contextMenuEvent(QContextMenuEvent* event)
{
    // Qt asks for the menu on the press on some platforms and on the release on others; the
    // release is the moment here on all of them, after the selection was cleared.
    event->accept();
    if (event->reason() == QContextMenuEvent::Mouse)
        return;
    const QModelIndex current = currentIndex();
    const QRect row = current.isValid() ? visualRect(current) : QRect();
    const QPoint at
        = row.isValid() && viewport()->rect().intersects(row) ? row.bottomLeft() : QPoint(0, 0);
    emit contextMenuWanted(viewport()->mapToGlobal(at));
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
