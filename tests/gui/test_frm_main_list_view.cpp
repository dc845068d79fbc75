#include <gtest/gtest.h>

#include <QFontMetrics>

#include <string>
#include <vector>

#include "engine/printlist/print_list.h"
#include "gui/frm_main_list_view.h"

using quorrix::engine::PrintList;
using quorrix::gui::RowListView;

namespace {

int rowWidth(const RowListView& view)
{
    return view.model()->index(0, 0).data(Qt::SizeHintRole).toSize().width();
}

int textWidth(const RowListView& view, const std::string& text)
{
    return QFontMetrics(view.font()).horizontalAdvance(QString::fromStdString(text));
}

} // namespace

// The rows are as wide as the widest one, found among thousands, also where it is not the
// one with the most characters, and whatever characters it holds.
TEST(RowListView, RowsTakeTheWidthOfTheWidestRow)
{
    std::vector<std::string> paths(3000, "C:\\" + std::string(70, 'i') + ".SLDDRW");
    const std::string wide = "C:\\Geh\xC3\xA4use\\" + std::string(30, 'W') + ".SLDDRW";
    const std::string symbols = "C:\\\xF0\x9F\x93\x90\xE2\x82\xAC" + std::string(24, 'M');
    paths[1234] = wide;
    paths[2000] = symbols;
    PrintList list;
    list.addDropped(paths);
    RowListView view;
    view.bind(RowListView::rowsOf(list, &PrintList::rows));

    const int widest = textWidth(view, wide);
    ASSERT_GT(widest, textWidth(view, paths[0]));
    EXPECT_GE(rowWidth(view), widest);
    EXPECT_GE(rowWidth(view), textWidth(view, symbols));
    EXPECT_LT(rowWidth(view), widest + 40); // the item's margins, no more

    list.setSelected(1234, true);
    list.removeSelected();
    view.refresh();
    EXPECT_LT(rowWidth(view), widest);
    EXPECT_GE(rowWidth(view), textWidth(view, symbols));

    list.removeAll();
    view.refresh();
    EXPECT_EQ(view.model()->rowCount(), 0);
}
