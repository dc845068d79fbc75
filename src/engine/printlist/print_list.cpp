#include "engine/printlist/print_list.h"

#include <algorithm>
#include <stdexcept>

#include "engine/platform/regional_format.h"
#include "engine/printlist/file_browser.h"

namespace quorrix::engine {

namespace {

// A full list can leave thousands of paths out; the message names the first ones only.
constexpr std::size_t kListedNotAdded = 10;

} // namespace

const std::string& PrintList::row(int index) const
{
    if (!isRow(index))
        throw std::out_of_range("print list row " + std::to_string(index));
    return m_rows[static_cast<std::size_t>(index)];
}

bool PrintList::isSelected(int index) const
{
    return isRow(index) && m_selected[static_cast<std::size_t>(index)] != 0;
}

void PrintList::setSelected(int index, bool selected)
{
    if (isRow(index))
        m_selected[static_cast<std::size_t>(index)] = selected ? 1 : 0;
}

int PrintList::selectedCount() const
{
    return static_cast<int>(std::count(m_selected.begin(), m_selected.end(), 1));
}

std::vector<int> PrintList::selectedRows() const
{
    std::vector<int> selected;
    for (int i = 0; i < count(); ++i) {
        if (m_selected[static_cast<std::size_t>(i)])
            selected.push_back(i);
    }
    return selected;
}

void PrintList::setCurrentRow(int index)
{
    if (index == kNoRow || isRow(index))
        m_current = index;
}

std::string PrintList::countText() const
{
    return std::to_string(selectedCount()) + " / " + std::to_string(count());
}

std::vector<std::string> PrintList::insertAt(int index, const std::vector<std::string>& paths)
{
    const std::size_t room = static_cast<std::size_t>(kMaxRows - count());
    const std::size_t taken = std::min(room, paths.size());
    const auto takenEnd = paths.begin() + static_cast<std::ptrdiff_t>(taken);
    // One insertion for all paths: row by row would shift the rows below once per path.
    m_rows.insert(m_rows.begin() + index, paths.begin(), takenEnd);
    m_selected.insert(m_selected.begin() + index, taken, 0);
    if (m_current != kNoRow && m_current >= index)
        m_current += static_cast<int>(taken);
    return std::vector<std::string>(takenEnd, paths.end());
}

std::vector<std::string> PrintList::insertAtCurrent(const std::vector<std::string>& paths)
{
    return insertAt(m_current == kNoRow ? count() : m_current, paths);
}

std::vector<std::string> PrintList::addSelected(FileBrowserList& files)
{
    std::vector<int> chosen;
    std::vector<std::string> paths;
    for (int i = 0; i < files.count(); ++i) {
        if (files.isSelected(i)) {
            chosen.push_back(i);
            paths.push_back(files.fullPath(i));
        }
    }
    std::vector<std::string> notAdded = insertAtCurrent(paths);
    const std::size_t added = paths.size() - notAdded.size();
    for (std::size_t k = 0; k < added; ++k)
        files.setSelected(chosen[k], false);
    return notAdded;
}

std::vector<std::string> PrintList::addAll(const FileBrowserList& files)
{
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(files.count()));
    for (const std::string& name : files.names())
        paths.push_back(files.MakeFullPath(name));
    return insertAtCurrent(paths);
}

std::vector<std::string> PrintList::addOne(const FileBrowserList& files)
{
    if (files.currentRow() == FileBrowserList::kNoRow)
        return {};
    return insertAtCurrent({ files.fullPath(files.currentRow()) });
}

std::vector<std::string> PrintList::insertPaths(const std::vector<std::string>& paths)
{
    return insertAtCurrent(paths);
}

std::vector<std::string> PrintList::addDropped(const std::vector<std::string>& paths)
{
    return insertAt(count(), paths);
}

void PrintList::removeSelected()
{
    std::size_t kept = 0;
    std::size_t currentAt = 0;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (static_cast<int>(i) == m_current)
            currentAt = kept;
        if (!m_selected[i]) {
            if (kept != i)
                m_rows[kept] = std::move(m_rows[i]);
            ++kept;
        }
    }
    m_rows.resize(kept);
    m_selected.assign(kept, 0);
    if (m_current != kNoRow)
        m_current = kept == 0 ? kNoRow : static_cast<int>(std::min(currentAt, kept - 1));
}

void PrintList::removeAll()
{
    m_rows.clear();
    m_selected.clear();
    m_current = kNoRow;
}

void PrintList::removeCurrent()
{
    if (m_current == kNoRow)
        return;
    m_rows.erase(m_rows.begin() + m_current);
    m_selected.erase(m_selected.begin() + m_current);
    if (m_current >= count())
        m_current = count() - 1;
}

void PrintList::clearSelection()
{
    std::fill(m_selected.begin(), m_selected.end(), 0);
    m_current = kNoRow;
}

void PrintList::swapRows(int a, int b)
{
    std::swap(m_rows[static_cast<std::size_t>(a)], m_rows[static_cast<std::size_t>(b)]);
    std::swap(m_selected[static_cast<std::size_t>(a)], m_selected[static_cast<std::size_t>(b)]);
}

// A selected row moves one place past an unselected neighbour, which is what moving it with
// MoveListItem and selecting it again does, without shifting the rest of the list each time.
void PrintList::moveSelectedUp()
{
    int moved = kNoRow;
    for (int i = 1; i < count(); ++i) {
        if (isSelected(i) && !isSelected(i - 1)) {
            swapRows(i - 1, i);
            moved = i - 1;
        }
    }
    if (moved != kNoRow)
        m_current = moved;
}

void PrintList::moveSelectedDown()
{
    int moved = kNoRow;
    for (int i = count() - 2; i >= 0; --i) {
        if (isSelected(i) && !isSelected(i + 1)) {
            swapRows(i, i + 1);
            moved = i + 1;
        }
    }
    if (moved != kNoRow)
        m_current = moved;
}

void PrintList::moveSelectedToEnd(bool top)
{
    const auto moved = static_cast<std::ptrdiff_t>(selectedCount());
    std::vector<std::string> reordered;
    reordered.reserve(m_rows.size());
    for (const bool takeSelected : { top, !top }) {
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            if ((m_selected[i] != 0) == takeSelected)
                reordered.push_back(std::move(m_rows[i]));
        }
    }
    m_rows = std::move(reordered);
    std::fill(m_selected.begin(), m_selected.end(), 0);
    std::fill_n(top ? m_selected.begin() : m_selected.end() - moved, moved, 1);
    m_current = kNoRow;
}

void PrintList::moveSelectedToTop()
{
    moveSelectedToEnd(true);
}

void PrintList::moveSelectedToBottom()
{
    moveSelectedToEnd(false);
}

void PrintList::sortRows(const RegionalFormat& regional, bool descending)
{
    // Asking the locale for every comparison costs more than building each row's sort key
    // once. The rows stay untouched until the order is known, so a locale that fails in
    // the middle leaves the list as it was.
    std::vector<std::string> keys;
    keys.reserve(m_rows.size());
    for (const std::string& path : m_rows)
        keys.push_back(regional.sortKey(path));
    // Paths of one list mostly share their folder; comparing past the part that every key
    // shares saves most of the work.
    std::size_t shared = keys.empty() ? 0 : keys.front().size();
    for (const std::string& key : keys) {
        const std::size_t length = std::min(shared, key.size());
        shared = static_cast<std::size_t>(
            std::mismatch(key.begin(), key.begin() + static_cast<std::ptrdiff_t>(length),
                keys.front().begin())
                .first
            - key.begin());
    }
    std::vector<std::size_t> order(m_rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return keys[a].compare(shared, std::string::npos, keys[b], shared, std::string::npos) < 0;
    });
    if (descending)
        std::reverse(order.begin(), order.end());
    std::vector<std::string> sorted;
    sorted.reserve(order.size());
    for (std::size_t index : order)
        sorted.push_back(std::move(m_rows[index]));
    m_rows = std::move(sorted);
    std::fill(m_selected.begin(), m_selected.end(), 0);
    m_current = kNoRow;
}

void PrintList::sortAscending(const RegionalFormat& regional)
{
    sortRows(regional, false);
}

void PrintList::sortDescending(const RegionalFormat& regional)
{
    sortRows(regional, true);
}

int PrintList::MoveListItem(int from, int to, int selectMode)
{
    if (from < 0)
        return 0;
    const int rows = count();
    if (from >= rows)
        return -1;
    int target = rows - 1;
    if (to != -1) {
        if (to > rows || to < 0)
            return -1;
        if (from == to || from == to - 1)
            return 0;
        target = from < to ? to - 1 : to;
    }

    const auto moveWithin = [&](auto& items) {
        const auto at = [&](int index) { return items.begin() + index; };
        if (from < target)
            std::rotate(at(from), at(from + 1), at(target + 1));
        else
            std::rotate(at(target), at(from), at(from + 1));
    };
    moveWithin(m_rows);
    moveWithin(m_selected);
    m_selected[static_cast<std::size_t>(target)] = 0;

    switch (selectMode) {
    case 1:
        m_current = kNoRow;
        break;
    case 2:
        m_current = target;
        break;
    case 3:
        m_current = from;
        break;
    default:
        if (m_current == from)
            m_current = target;
        else if (from < target && m_current > from && m_current <= target)
            --m_current;
        else if (from > target && m_current >= target && m_current < from)
            ++m_current;
        break;
    }
    return target;
}

std::string notAddedMessage(const std::string& text, const std::vector<std::string>& notAdded)
{
    std::string message = text;
    const std::size_t listed = std::min(notAdded.size(), kListedNotAdded);
    for (std::size_t i = 0; i < listed; ++i)
        message += "\r\n" + notAdded[i];
    if (notAdded.size() > listed)
        message += "\r\n... (" + std::to_string(notAdded.size() - listed) + ")";
    return message;
}

} // namespace quorrix::engine
