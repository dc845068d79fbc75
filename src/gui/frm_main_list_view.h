#pragma once

#include <QListView>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

namespace quorrix::gui {

class RowListModel;

// A list box of the main window over an engine list: the print list (lstPrintliste) or the
// file list of the browser (lstAuswahl). The engine list owns the rows, the selection and the
// current row; the view shows them after each engine operation (refresh) and writes the
// user's clicks and keys back at once, so the engine always knows what the user sees.
class RowListView : public QListView {
    Q_OBJECT

public:
    // How the view reaches the engine list.
    struct Rows {
        std::function<const std::vector<std::string>&()> texts;
        std::function<bool(int)> isSelected;
        std::function<void(int, bool)> setSelected;
        std::function<int()> currentRow;
        std::function<void(int)> setCurrentRow;
    };

    // Adapts an engine list whose rows are read by texts (PrintList::rows,
    // FileBrowserList::names); the list must outlive the view.
    template <class List>
    static Rows rowsOf(List& list, const std::vector<std::string>& (List::*texts)() const)
    {
        return Rows {
            [&list, texts]() -> const std::vector<std::string>& { return (list.*texts)(); },
            [&list](int row) { return list.isSelected(row); },
            [&list](int row, bool selected) { list.setSelected(row, selected); },
            [&list]() { return list.currentRow(); },
            [&list](int row) { list.setCurrentRow(row); },
        };
    }

    explicit RowListView(QWidget* parent = nullptr);

    void bind(Rows rows);
    // Shows the engine list's rows, selection and current row.
    void refresh();
    // Only the print list takes files dropped from the shell.
    void setAcceptsFileDrops(bool accept);

signals:
    // The user changed the selection or the current row; the engine list already follows.
    void selectionEdited();
    // A left click on a row (press and release on the same row).
    void rowClicked(int row);
    void rowDoubleClicked(int row);
    void rightButtonReleased();
    // The user asks for the list's context menu: after the right button's release (and its
    // rightButtonReleased), or with the menu key or Shift+F10. At: screen position.
    void contextMenuWanted(const QPoint& at);
    // Files and folders dropped from the shell, in the order of the drop, as native paths.
    void filesDropped(const QStringList& paths);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QSize measureRows() const;
    void showSelection();
    void takeSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void takeCurrent(const QModelIndex& current);

    RowListModel* m_model;
    Rows m_rows;
    bool m_showing = false;
    bool m_acceptsFileDrops = false;
};

// The local files of a drag, as native paths; empty when the drag carries anything else.
QStringList droppedFiles(const QMimeData* data);

} // namespace quorrix::gui
