#pragma once

#include <string>
#include <vector>

namespace quorrix::engine {

class FileBrowserList;
class RegionalFormat;

// Info text that tells the user the print list is full and which documents were left out.
inline constexpr int kInfoPrintListFull = 93;

// The print list: the full paths of the documents the next batch action processes, one row
// each, top to bottom. Rows are plain text, never checked and never merged: the same path
// added twice is processed twice. Besides the rows the list has an extended selection (any
// set of rows) and a current row or none; the current row decides where additions go.
//
// Whenever rows are removed or inserted the current row stays on the same row; when that
// row itself goes, the row that takes its place becomes current (the new last row when it
// was the last, none when the list is empty).
class PrintList {
public:
    // Row counts and indexes are 16-bit signed numbers wherever the list is handed on, so
    // the list stops growing at the largest of them.
    static constexpr int kMaxRows = 32767;
    static constexpr int kNoRow = -1;

    int count() const { return static_cast<int>(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    const std::vector<std::string>& rows() const { return m_rows; }
    // Throws std::out_of_range for a bad index.
    const std::string& row(int index) const;

    // Out-of-range indexes are ignored.
    bool isSelected(int index) const;
    void setSelected(int index, bool selected);
    int selectedCount() const;
    std::vector<int> selectedRows() const;
    int currentRow() const { return m_current; }
    // -1 or a row; anything else is ignored. Does not change the selection.
    void setCurrentRow(int index);

    // "selected / rows", e.g. "3 / 120".
    std::string countText() const;

    // Additions. Each takes what fits below kMaxRows, in order, and returns the paths that
    // did not fit (empty when everything was added), so the caller can tell the user once.

    // The selected files of the browser, in its order, at the current row (above it, which
    // stays current) or at the end when there is none. Each file that was added is
    // deselected in the browser; the ones that did not fit stay selected.
    std::vector<std::string> addSelected(FileBrowserList& files);
    // Every file of the browser the same way; the browser's selection stays as it is.
    std::vector<std::string> addAll(const FileBrowserList& files);
    // The browser's current file (the double-clicked one); nothing when it has none.
    std::vector<std::string> addOne(const FileBrowserList& files);
    // Paths at the current row, or at the end when there is none: the rows of a list file.
    std::vector<std::string> insertPaths(const std::vector<std::string>& paths);
    // Files dropped from the shell: always at the end, in the order of the drop.
    std::vector<std::string> addDropped(const std::vector<std::string>& paths);

    void removeSelected();
    // Empties the list: no rows, no current row.
    void removeAll();
    // Removes the current row (the double-clicked one); nothing when there is none.
    void removeCurrent();
    // Deselects every row and leaves no current row.
    void clearSelection();

    // Every selected block that does not touch the top rises by one row, keeping its order;
    // the rows stay selected and the last row moved becomes current.
    void moveSelectedUp();
    // Every selected block that does not touch the bottom sinks by one row; the rows stay
    // selected and the last row moved (the topmost) becomes current.
    void moveSelectedDown();
    // The selected rows, in their order, above all others (below for the bottom), and
    // selected; the list is built anew, so there is no current row.
    void moveSelectedToTop();
    void moveSelectedToBottom();
    // Whole path texts in the order of the user's locale, letter case ignored. Selection
    // and current row are gone afterwards.
    void sortAscending(const RegionalFormat& regional);
    void sortDescending(const RegionalFormat& regional);

    // Moves the row at from so that it lands before the row now at to (to == count appends;
    // to == -1 appends too). The moved row is no longer selected. selectMode 1: no current
    // row; 2: the moved row becomes current; 3: the row now at from becomes current; any
    // other value keeps the current row. Returns the moved row's new index; 0 without change
    // when from is negative or the row is already in place; -1 without change when to is out
    // of range or from is beyond the list.
    int MoveListItem(int from, int to, int selectMode);

private:
    bool isRow(int index) const { return index >= 0 && index < count(); }
    std::vector<std::string> insertAt(int index, const std::vector<std::string>& paths);
    std::vector<std::string> insertAtCurrent(const std::vector<std::string>& paths);
    void swapRows(int a, int b);
    void moveSelectedToEnd(bool top);
    void sortRows(const RegionalFormat& regional, bool descending);

    std::vector<std::string> m_rows;
    // One flag per row. Kept apart from the rows so rows() can hand out the paths without a
    // copy.
    std::vector<unsigned char> m_selected;
    int m_current = kNoRow;
};

// The message that tells the user which paths did not fit: text (the info text that says
// so), then the first paths one per line and, when there are more, "..." and their number.
std::string notAddedMessage(const std::string& text, const std::vector<std::string>& notAdded);

} // namespace quorrix::engine
