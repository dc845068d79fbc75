#pragma once

#include <algorithm>
#include <sstream>
#include <string>

#include "engine/platform/path_text.h"
#include "engine/printlist/print_list.h"

namespace quorrix::test {

// A print list written as one line: rows separated by blanks, "*" after a selected row and
// ">" before the current row, e.g. "a >b* c". Paths show "/" for the platform's separator.
inline engine::PrintList listFromNotation(const std::string& notation)
{
    engine::PrintList list;
    std::istringstream in(notation);
    std::string token;
    std::vector<std::string> rows;
    std::vector<int> selected;
    int current = engine::PrintList::kNoRow;
    while (in >> token) {
        const int index = static_cast<int>(rows.size());
        if (token.front() == '>') {
            current = index;
            token.erase(0, 1);
        }
        if (token.back() == '*') {
            selected.push_back(index);
            token.pop_back();
        }
        std::replace(token.begin(), token.end(), '/', engine::kPathSeparator);
        rows.push_back(token);
    }
    list.addDropped(rows);
    for (int index : selected)
        list.setSelected(index, true);
    list.setCurrentRow(current);
    return list;
}

inline std::string notationOf(const engine::PrintList& list)
{
    std::string notation;
    for (int i = 0; i < list.count(); ++i) {
        if (!notation.empty())
            notation += ' ';
        if (i == list.currentRow())
            notation += '>';
        std::string row = list.row(i);
        std::replace(row.begin(), row.end(), engine::kPathSeparator, '/');
        notation += row.empty() ? std::string("\"\"") : row;
        if (list.isSelected(i))
            notation += '*';
    }
    return notation;
}

} // namespace quorrix::test
