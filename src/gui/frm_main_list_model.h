#pragma once

#include <QAbstractListModel>
#include <QSize>

#include <string>
#include <vector>

namespace quorrix::gui {

// The rows of one engine list (the print list or the browser's file list) as a Qt model. The
// engine keeps the rows; the model only hands them to the view. Every row reports the same
// size, the width of the widest row, so the view lays out tens of thousands of rows without
// measuring each one and shows a horizontal scroll bar whenever a row is wider than the list.
class RowListModel : public QAbstractListModel {
public:
    explicit RowListModel(QObject* parent = nullptr);

    // The texts must outlive the model.
    void setTexts(const std::vector<std::string>* texts);
    // Shows the texts anew after the engine changed them.
    void reload(QSize rowSize);
    QSize rowSize() const { return m_rowSize; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const std::vector<std::string>* m_texts = nullptr;
    QSize m_rowSize;
};

} // namespace quorrix::gui
