#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>

#include "engine/settings/mru_menu.h"
#include "gui/qt_language_form.h"
#include "gui/qt_list_control.h"
#include "gui/qt_menu_control_array.h"
#include "support/memory_key_value_store.h"

using namespace quorrix;

namespace {

struct FavouritesMenuTest : ::testing::Test {
    test::MemoryKeyValueStore store;
    QMenu menu;
    QAction* element0;
    QAction* add;

    FavouritesMenuTest()
    {
        element0 = menu.addSeparator();
        element0->setObjectName("mnuFavEntry_0");
        menu.addSeparator();
        add = menu.addAction("Favorit hinzufügen");
        add->setObjectName("mnuFavAdd");
    }

    // What the menu shows: "-" for a separator, "(hidden)" before an invisible entry.
    std::vector<std::string> shown()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::vector<std::string> out;
        for (const QAction* action : menu.actions()) {
            std::string text = action->isSeparator() ? "-" : action->text().toStdString();
            out.push_back((action->isVisible() ? "" : "(hidden)") + text);
        }
        return out;
    }
};

} // namespace

TEST_F(FavouritesMenuTest, EntriesFollowTheListBetweenElementZeroAndTheCommands)
{
    gui::QtMenuControlArray array(menu, *element0);
    engine::clsMRUMenu favourites(store);
    favourites.Init(array, "QUORRIX", "DirFavorites");
    EXPECT_EQ(shown(), (std::vector<std::string> { "(hidden)-", "-", "Favorit hinzufügen" }));

    favourites.Add("/data/b");
    favourites.Add("/data/a&z");
    EXPECT_EQ(shown(),
        (std::vector<std::string> { "-", "/data/a&&z", "/data/b", "-", "Favorit hinzufügen" }));
    ASSERT_EQ(array.highestIndex(), 2);
    EXPECT_EQ(array.element(2)->objectName(), "mnuFavEntry_2");
    EXPECT_TRUE(array.element(2)->property(gui::kUntranslatedProperty).toBool());

    std::vector<int> chosen;
    QObject::connect(
        &array, &gui::QtMenuControlArray::triggered, [&](int i) { chosen.push_back(i); });
    array.element(2)->trigger();
    array.element(1)->trigger();
    EXPECT_EQ(chosen, (std::vector<int> { 2, 1 }));

    favourites.Remove(1);
    EXPECT_EQ(shown(), (std::vector<std::string> { "-", "/data/b", "-", "Favorit hinzufügen" }));

    QComboBox combo;
    gui::QtListControl list(combo);
    combo.addItem("old");
    favourites.Add("/data/c");
    favourites.FillListCombo(list);
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), "/data/c");
    EXPECT_EQ(combo.itemText(1), "/data/b");
}

TEST_F(FavouritesMenuTest, TheListTakesItsEntriesAlongWhenItGoes)
{
    gui::QtMenuControlArray array(menu, *element0);
    {
        engine::clsMRUMenu favourites(store);
        favourites.Init(array, "", "");
        favourites.Add("/x");
        favourites.Add("/y");
        EXPECT_EQ(shown().size(), 5u);
    }
    EXPECT_EQ(array.highestIndex(), 0);
    EXPECT_EQ(shown().size(), 3u);
    // Element 0 is the window's and is never removed.
    array.unload(0);
    EXPECT_EQ(array.element(0), element0);
}
