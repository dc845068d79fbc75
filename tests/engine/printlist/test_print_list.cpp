#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/printlist/file_browser.h"
#include "engine/printlist/print_list.h"
#include "support/fakes.h"

#include "list_notation.h"

namespace quorrix::engine {
namespace {

using test::listFromNotation;
using test::notationOf;
using Paths = std::vector<std::string>;

struct OperationCase {
    const char* name;
    std::function<void(PrintList&)> operation;
    const char* before;
    const char* after;
};

void runCases(const std::vector<OperationCase>& cases)
{
    for (const OperationCase& c : cases) {
        PrintList list = listFromNotation(c.before);
        c.operation(list);
        EXPECT_EQ(notationOf(list), c.after) << c.name << ": " << c.before;
    }
}

const auto up = [](PrintList& list) { list.moveSelectedUp(); };
const auto down = [](PrintList& list) { list.moveSelectedDown(); };
const auto top = [](PrintList& list) { list.moveSelectedToTop(); };
const auto bottom = [](PrintList& list) { list.moveSelectedToBottom(); };
const auto removeSelected = [](PrintList& list) { list.removeSelected(); };
const auto removeCurrent = [](PrintList& list) { list.removeCurrent(); };
const auto removeAll = [](PrintList& list) { list.removeAll(); };
const auto clearSelection = [](PrintList& list) { list.clearSelection(); };

TEST(PrintListMoveTest, MovedRowsGoAsBlocksAndRemovedOnesCloseUp)
{
    runCases({
        { "block at the top stays", up, "a* b* c d", "a* b* c d" },
        { "nothing moved keeps the current row", up, "a* b >c", "a* b >c" },
        { "rows 1 and 3 of five", up, "a b* c d* e", "b* a >d* c e" },
        { "block keeps its order", up, "a b* c* d e*", "b* c* a >e* d" },
        { "top block stays, the other rises", up, "a* b c*", "a* >c* b" },
        { "nothing selected", up, "a >b c", "a >b c" },
        { "empty list", up, "", "" },
        { "last row stays", down, "a b c d e*", "a b c d e*" },
        { "two blocks sink, topmost moved is current", down, "a* b c* d", "b >a* d c*" },
        { "block keeps its order", down, "a* b* c d", "c >a* b* d" },
        { "single row", down, "a*", "a*" },
        { "to the top", top, "a b c* >d e*", "c* e* a b d" },
        { "to the top, nothing selected", top, "a >b c", "a b c" },
        { "to the top, all selected", top, "a* b* c*", "a* b* c*" },
        { "to the bottom", bottom, "a* b c* d >e", "b d e a* c*" },
        { "to the bottom, last already there", bottom, "a b c*", "a b c*" },
        // Removing keeps the current row or closes up to the next.
        { "selected, current survives", removeSelected, "a* >b c* d", ">b d" },
        { "selected, current goes", removeSelected, "a >b* c", "a >c" },
        { "selected, current was last", removeSelected, "a >b*", ">a" },
        { "selected, duplicates each go", removeSelected, "x* y x* x", "y x" },
        { "selected, all", removeSelected, "a* >b*", "" },
        { "selected, none", removeSelected, "a >b", "a >b" },
        { "current", removeCurrent, "a >b* c", "a >c" },
        { "current, the last", removeCurrent, "a >b", ">a" },
        { "current, the only", removeCurrent, ">a", "" },
        { "current, none", removeCurrent, "a* b", "a* b" },
        { "all", removeAll, "a* >b c", "" },
        { "clear selection", clearSelection, "a* >b* c", "a b c" },
    });
}

TEST(PrintListMoveTest, MoveListItem)
{
    struct Case {
        const char* before;
        int from;
        int to;
        int selectMode;
        int result;
        const char* after;
    };
    // The moved row loses its selection; another current row keeps its row. Refused moves
    // and moves to where the row already is change nothing.
    const std::vector<Case> cases { { "a b c d", 0, 2, 2, 1, "b >a c d" },
        { "a b c d", 3, 1, 2, 1, "a >d b c" }, { "a b c d", 0, 4, 2, 3, "b c d >a" },
        { "a b c", 0, -1, 1, 2, "b c a" }, { "a b c", 2, -1, 2, 2, "a b >c" },
        { "a b c", 0, 3, 0, 2, "b c a" }, { "a* b c", 0, 3, 0, 2, "b c a" },
        { "a b* c", 0, 3, 0, 2, "b* c a" }, { "a b c d", 0, 3, 3, 2, ">b c a d" },
        { "a >b c", 0, 2, 1, 1, "b a c" }, { "a >b c d", 3, 0, 0, 0, "d a >b c" },
        { ">a b c", 0, 3, 7, 2, "b c >a" }, { "a b >c", 0, 2, 9, 1, "b a >c" },
        { "a* >b c", -1, 2, 2, 0, "a* >b c" }, { "a* >b c", 0, 4, 2, -1, "a* >b c" },
        { "a* >b c", 0, -2, 2, -1, "a* >b c" }, { "a* >b c", 1, 1, 2, 0, "a* >b c" },
        { "a* >b c", 1, 2, 2, 0, "a* >b c" }, { "a* >b c", 3, 0, 2, -1, "a* >b c" },
        { "", 0, -1, 2, -1, "" } };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " from " + std::to_string(c.from) + " to "
            + std::to_string(c.to));
        PrintList list = listFromNotation(c.before);
        EXPECT_EQ(list.MoveListItem(c.from, c.to, c.selectMode), c.result);
        EXPECT_EQ(notationOf(list), c.after);
    }
}

TEST(PrintListTest, CountTextGivesSelectedAndRows)
{
    EXPECT_EQ(listFromNotation("").countText(), "0 / 0");
    EXPECT_EQ(listFromNotation("a* b c* >d").countText(), "2 / 4");
    PrintList list = listFromNotation(">a*");
    list.removeCurrent();
    EXPECT_EQ(list.countText(), "0 / 0");
    EXPECT_EQ(list.currentRow(), PrintList::kNoRow);
}

class PrintListAddTest : public ::testing::Test {
protected:
    // A browser on folder "f" with these names, the ones marked "*" selected.
    FileBrowserList browser(const std::string& notation)
    {
        FileBrowserList files;
        PrintList marks = listFromNotation(notation);
        files.show("f", marks.rows(), {}, regional);
        for (int i = 0; i < files.count(); ++i)
            files.setSelected(i, marks.isSelected(i));
        files.setCurrentRow(marks.currentRow());
        return files;
    }
    static std::string browserNotation(const FileBrowserList& files)
    {
        PrintList marks;
        marks.addDropped(files.names());
        for (int i = 0; i < files.count(); ++i)
            marks.setSelected(i, files.isSelected(i));
        marks.setCurrentRow(files.currentRow());
        return notationOf(marks);
    }

    test::FixedRegionalFormat regional;
};

TEST_F(PrintListAddTest, AdditionsGoAboveTheCurrentRowOrToTheEnd)
{
    struct Case {
        const char* name;
        const char* list;
        const char* files;
        std::function<Paths(PrintList&, FileBrowserList&)> add;
        const char* listAfter;
        const char* filesAfter;
    };
    const auto selected
        = [](PrintList& list, FileBrowserList& files) { return list.addSelected(files); };
    const auto all = [](PrintList& list, FileBrowserList& files) { return list.addAll(files); };
    const auto one = [](PrintList& list, FileBrowserList& files) { return list.addOne(files); };
    const auto dropped = [](PrintList& list, FileBrowserList&) {
        return list.addDropped({ "d1", "d2" });
    };
    const auto loaded = [](PrintList& list, FileBrowserList&) {
        return list.insertPaths({ "l1", "l2" });
    };
    const std::vector<Case> cases {
        { "selected, no current row", "a b", "x* y z*", selected, "a b f/x f/z", "x y z" },
        { "selected, current row", "a b >c", "x* y* z", selected, "a b f/x f/y >c", "x y z" },
        { "selected into an empty list", "", "x* y", selected, "f/x", "x y" },
        { "selected, nothing selected", "a >b", "x y", selected, "a >b", "x y" },
        { "selected twice is two rows", "f/x", "x*", selected, "f/x f/x", "x" },
        { "all, current row", "a >b", "x y* >z", all, "a f/x f/y f/z >b", "x y* >z" },
        { "all, no current row", "a*", "x y", all, "a* f/x f/y", "x y" },
        { "one, current row", "a >b", "x y* >z", one, "a f/z >b", "x y* >z" },
        { "one, no current file", "a", "x* y", one, "a", "x* y" },
        // Dropped files go to the end, a loaded list above the current row.
        { "dropped", "a >b", "", dropped, "a >b d1 d2", "" },
        { "loaded, current row", "a >b", "", loaded, "a l1 l2 >b", "" },
        { "loaded, no current row", "a* b", "", loaded, "a* b l1 l2", "" },
    };
    for (const Case& c : cases) {
        PrintList list = listFromNotation(c.list);
        FileBrowserList files = browser(c.files);
        EXPECT_TRUE(c.add(list, files).empty()) << c.name;
        EXPECT_EQ(notationOf(list), c.listAfter) << c.name;
        EXPECT_EQ(browserNotation(files), c.filesAfter) << c.name;
    }
}

TEST_F(PrintListAddTest, FullListTakesWhatFitsAndReturnsTheRest)
{
    Paths filler;
    for (int i = 0; i < PrintList::kMaxRows - 2; ++i)
        filler.push_back("r" + std::to_string(i));

    PrintList list;
    ASSERT_TRUE(list.addDropped(filler).empty());
    list.setCurrentRow(0);
    FileBrowserList files = browser("v w* x* y z*");
    EXPECT_EQ(list.addSelected(files), Paths { MakeFullPath("f", "z") });
    EXPECT_EQ(list.count(), PrintList::kMaxRows);
    EXPECT_EQ(list.row(0), MakeFullPath("f", "w"));
    EXPECT_EQ(list.row(1), MakeFullPath("f", "x"));
    EXPECT_EQ(list.currentRow(), 2);
    // The file left out stays selected, so the user sees which one it was.
    EXPECT_EQ(browserNotation(files), "v w x y z*");

    EXPECT_EQ(list.addDropped({ "p", "q" }), (Paths { "p", "q" }));
    EXPECT_EQ(list.insertPaths({ "p" }), Paths { "p" });
    EXPECT_EQ(list.addAll(files).size(), 5u);
    EXPECT_EQ(list.MoveListItem(0, -1, 2), PrintList::kMaxRows - 1);
    EXPECT_EQ(list.count(), PrintList::kMaxRows);

    list.setCurrentRow(PrintList::kNoRow);
    list.setSelected(5, true);
    list.removeSelected();
    EXPECT_EQ(list.addDropped({ "p", "q" }), Paths { "q" });
    EXPECT_EQ(list.row(PrintList::kMaxRows - 1), "p");
}

TEST(PrintListMessageTest, NotAddedMessageNamesTheFirstPaths)
{
    // Paths not added, line breaks, the last line.
    for (const auto& c : std::vector<std::tuple<int, int, const char*>> { { 1, 1, "p0" },
             { 10, 10, "p9" }, { 11, 11, "... (1)" }, { 30000, 11, "... (29990)" } }) {
        const auto& [notAdded, lines, lastLine] = c;
        Paths paths;
        for (int i = 0; i < notAdded; ++i)
            paths.push_back("p" + std::to_string(i));
        const std::string message = notAddedMessage("Full:", paths);
        EXPECT_EQ(message.rfind("Full:\r\np0", 0), 0u) << notAdded;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), lines) << notAdded;
        EXPECT_EQ(message.substr(message.rfind("\r\n") + 2), lastLine) << notAdded;
    }
}

TEST(PrintListSortTest, SortsWholePathsWithoutLetterCase)
{
    const std::vector<std::pair<Paths, Paths>> cases {
        // rows and their ascending order
        { { "D:\\b\\a.slddrw", "C:\\z\\y.slddrw", "c:\\a\\x.SLDDRW" },
            { "c:\\a\\x.SLDDRW", "C:\\z\\y.slddrw", "D:\\b\\a.slddrw" } },
        // the folder decides before the file name
        { { "b\\a.slddrw", "a\\z.slddrw", "A\\y.slddrw" },
            { "A\\y.slddrw", "a\\z.slddrw", "b\\a.slddrw" } },
        // text beyond ASCII goes to the locale as it is (the fake orders it after ASCII)
        { { "\xC3\x84rger", "Zebra", "apfel", "\xC3\xA4rger" },
            { "apfel", "Zebra", "\xC3\x84rger", "\xC3\xA4rger" } },
        // duplicates stay; texts equal to the locale keep their order
        { { "x", "B", "X", "b", "x" }, { "B", "b", "x", "X", "x" } },
        { {}, {} },
    };
    test::FixedRegionalFormat regional;
    for (const auto& [rows, ascending] : cases) {
        PrintList list;
        list.addDropped(rows);
        list.sortAscending(regional);
        EXPECT_EQ(list.rows(), ascending);
        list.sortDescending(regional);
        EXPECT_EQ(list.rows(), Paths(ascending.rbegin(), ascending.rend()));
    }
    // Sorting drops the selection and the current row.
    PrintList list = listFromNotation("c* >b a*");
    list.sortAscending(regional);
    EXPECT_EQ(notationOf(list), "a b c");
}

} // namespace
} // namespace quorrix::engine
