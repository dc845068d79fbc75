#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "engine/printlist/assembly_package.h"
#include "engine/settings/app_settings_store.h"
#include "engine/settings/mru_menu.h"
#include "gui/frm_main_list_view.h"
#include "gui/main_window_assembly.h"
#include "gui/main_window_commands.h"
#include "gui/main_window_lists.h"
#include "gui/qt_language_form.h"
#include "gui/qt_list_control.h"
#include "gui/qt_menu_control_array.h"
#include "session_fixture.h"

using namespace quorrix;
using engine::MessageAnswer;
using engine::MessageIcon;

namespace {

// The program's main window with its list commands, started over the stand-in in English.
struct MainWindowListsTest : ::testing::Test, test::SessionFixture {
    MainWindowListsTest() { start(); }

    gui::MainWindowPorts windowPorts()
    {
        return { program(), store, *ports.files, clock, regional, shell, messages(), dialogs(),
            documentManager, dir.path(), dir.path() };
    }

    gui::RowListView* view(const char* name) { return window().control<gui::RowListView>(name); }
    std::vector<std::string> rows() { return window().printList().rows(); }
    // The only message box shown since the last call: text, title and icon.
    std::tuple<std::string, std::string, MessageIcon> onlyMessage()
    {
        EXPECT_EQ(messages().shown().size(), 1u);
        const gui::MessageRequest shown
            = messages().shown().empty() ? gui::MessageRequest {} : messages().shown()[0].request;
        messages().clearShown();
        return { shown.text, shown.title, shown.icon };
    }
    // Menu elements that were removed go at the next turn of the event loop.
    static void flushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::string folder(const std::string& name)
    {
        std::filesystem::create_directory(dir.file(name));
        return QDir::toNativeSeparators(QString::fromStdString(dir.file(name))).toStdString();
    }
    // The folder captions of the favourites menu, in menu order.
    QStringList favoriteCaptions()
    {
        QStringList captions;
        for (QAction* entry : window().favoritesMenu()->actions())
            if (entry->objectName().startsWith(QLatin1String("mnuFavEntry_"))
                && entry->objectName() != QLatin1String("mnuFavEntry_0"))
                captions << entry->objectName() + u'=' + entry->text();
        return captions;
    }
    static QString caption(int index, const std::string& folder)
    {
        return QString("mnuFavEntry_%1=").arg(index) + QString::fromStdString(folder);
    }
};

TEST_F(MainWindowListsTest, MouseAddsDropsRemovesAndClearsRows)
{
    const std::string drawing = document("a.SLDDRW");
    const std::string other = document("b.SLDDRW");
    session->commands()->fillFileList();
    engine::PrintList& list = window().printList();
    list.insertPaths({ "x", "y", "z" });
    list.setCurrentRow(2);
    window().showPrintList();
    gui::RowListView* printList = view("lstPrintliste");

    // A double click in the browser adds the file above the current row.
    emit view("lstAuswahl")->rowDoubleClicked(0);
    EXPECT_EQ(rows(), (std::vector<std::string> { "x", "y", drawing, "z" }));
    // Dropped files and folders go to the end in the order of the drop.
    emit printList->filesDropped(
        { QString::fromStdString(other), QString::fromStdString(dir.path()) });
    // A double click in the print list removes that row.
    emit printList->rowDoubleClicked(1);
    EXPECT_EQ(rows(), (std::vector<std::string> { "x", drawing, "z", other, dir.path() }));

    list.setSelected(0, true);
    list.setSelected(2, true);
    window().showPrintList();
    emit printList->rightButtonReleased();
    EXPECT_EQ(list.selectedCount(), 0);
    EXPECT_EQ(list.currentRow(), engine::PrintList::kNoRow);
    EXPECT_EQ(window().control<QLabel>("lblListcount")->text(), "0 / 5");
    EXPECT_TRUE(messages().shown().empty());

    // A drop that passes the limit adds what fits and names the rest once.
    list.insertPaths(std::vector<std::string>(engine::PrintList::kMaxRows - 6, "p"));
    emit printList->filesDropped({ "/fits", "/left/out", "/left/too" });
    EXPECT_EQ(list.row(engine::PrintList::kMaxRows - 1), "/fits");
    const std::string text = std::get<0>(onlyMessage());
    EXPECT_EQ(text.rfind(info(93), 0), 0u);
    EXPECT_NE(text.find("/left/too"), std::string::npos);
}

// The gear pump of the examples, from the browser's selection or the file dialog, as its
// drawings or its models, in the order of its bill of materials.
TEST_F(MainWindowListsTest, AssemblyAddsItsDrawingsOrModelsInBillOfMaterialsOrder)
{
    const std::string examples = QUORRIX_EXAMPLES_DIR;
    const std::string pump = examples + "/GP25-000 Gear pump.SLDASM";
    const auto names = [](const std::vector<std::string>& paths) {
        std::string out;
        for (const std::string& path : paths)
            out += QFileInfo(QString::fromStdString(path)).completeBaseName().left(8).toStdString()
                + (path.ends_with(".SLDDRW") ? " " : "* ");
        return out;
    };
    struct Row {
        bool fromBrowser;
        bool models;
        std::string expected; // "*" marks a model
    };
    const Row cases[] = {
        // From the browser, with a search folder that holds the driven gear's drawing.
        { true, false,
            "GP25-000 GP25-001 GP25-004 GP25-002 GP25-003 GP25-101 GP25-103 GP25-102 GP25-200 " },
        { false, true,
            "GP25-000* GP25-001* GP25-004* GP25-002* GP25-003* GP25-100* GP25-101* GP25-103* "
            "GP25-102* GP25-104* GP25-200* GP25-201* " },
    };
    for (const Row& row : cases) {
        SCOPED_TRACE(row.expected);
        flushDeletes(); // the window of the row before
        trigger("mnuNew");
        if (row.fromBrowser) {
            window().setCurrentFolder(QString::fromStdString(examples));
            session->commands()->fillFileList();
            engine::FileBrowserList& files = window().fileList();
            const auto at = std::find(
                files.names().begin(), files.names().end(), "GP25-000 Gear pump.SLDASM");
            ASSERT_NE(at, files.names().end());
            files.setSelected(static_cast<int>(at - files.names().begin()), true);
        } else {
            session->commands()->fillFileList(); // nothing selected
            dialogs().queueResult(gui::FileDialogResult { pump, 1 });
        }
        trigger("mnuEditAddAssembly");
        auto* choice = window().findChild<QDialog*>("frmAssemblyPackage");
        ASSERT_TRUE(choice && choice->isVisible());
        if (row.models)
            choice->findChild<QRadioButton*>("optAddWhat_1")->click();
        const std::string folder = dir.file("drawings");
        if (row.fromBrowser) {
            QDir().mkpath(QString::fromStdString(folder));
            test::writeFileBytes(folder + "/GP25-102 Driven gear.SLDDRW", "[Document]\n");
            choice->findChild<QLineEdit*>("txtSearchFolders")
                ->setText(QString::fromStdString(" " + folder + " "));
        }
        QTest::keyClick(choice, Qt::Key_Return);
        EXPECT_EQ(names(rows()), row.expected);
        if (row.models) {
            EXPECT_TRUE(messages().shown().empty());
            ASSERT_EQ(dialogs().requests().size(), 1u);
            EXPECT_EQ(dialogs().requests()[0].title, info(251));
            continue;
        }
        const auto [text, title, icon] = onlyMessage();
        EXPECT_EQ(text,
            info(253)
                + "\r\nGP25-100 Gear set.SLDASM\r\nGP25-104 Idler shaft.SLDPRT\r\n"
                  "GP25-201 Valve spring.SLDPRT");
        EXPECT_EQ(current().DrawingSearchFolders, folder); // kept, without the blanks
        EXPECT_EQ(std::tie(title, icon), std::make_tuple(info(250), MessageIcon::Information));
        EXPECT_TRUE(dialogs().requests().empty());
    }

    // The print list's context menu offers the command; its right button clears first.
    emit view("lstPrintliste")->contextMenuWanted(QPoint(10, 10));
    QMenu* menu = window().printListMenu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->actions().contains(entry("mnuEditAddAssembly")));
    menu->hide();
}

// Everything that stood in the way, in one message: each list under its heading, cut short
// as the print list's own message is.
TEST_F(MainWindowListsTest, AssemblyMessageListsWhatStoodInTheWay)
{
    using Reason = engine::UnreadableAssembly::Reason;
    engine::AssemblyPackage package;
    package.noDocumentManager = true;
    package.missing = { { "/p/top.SLDASM", "" }, { "C:\\old\\bolt.SLDPRT", "/p/set.SLDASM" } };
    package.unreadable = { { "/p/a.SLDASM", Reason::OpenError, 2, "" },
        { "/p/b.SLDASM", Reason::NoConfiguration, 0, "Big" },
        { "/p/c.SLDASM", Reason::AutomationError, -5, "busy" } };
    package.cycles = { { "/p/x.SLDASM", "/p/y.SLDASM", "/p/x.SLDASM" } };
    package.withoutDrawing = std::vector<std::string>(12, "/p/nut.SLDPRT");
    std::string nuts;
    for (int i = 0; i < 10; ++i)
        nuts += "\r\nnut.SLDPRT";
    EXPECT_EQ(gui::assemblyPackageMessage(program().language, package, { "/full" }),
        info(260) + "\r\n\r\n" + info(93) + "\r\n/full\r\n\r\n" + info(254)
            + "\r\n/p/top.SLDASM\r\nC:\\old\\bolt.SLDPRT (" + info(255) + " set.SLDASM)\r\n\r\n"
            + info(257) + "\r\n/p/a.SLDASM (" + info(258) + " 2)\r\n/p/b.SLDASM (" + info(259)
            + " \"Big\")\r\n/p/c.SLDASM (busy)\r\n\r\n" + info(256)
            + "\r\nx.SLDASM > y.SLDASM > x.SLDASM\r\n\r\n" + info(253) + nuts + "\r\n... (2)");
    EXPECT_EQ(gui::assemblyPackageMessage(program().language, {}, {}), "");
}

TEST_F(MainWindowListsTest, ListFilesSaveOpenMergeAndReportFailures)
{
    engine::PrintList& list = window().printList();
    const std::string file = dir.file("two.qrx");

    // Nothing to save: the notice, no dialog.
    trigger("mnuSaveAs");
    EXPECT_EQ(onlyMessage(), std::make_tuple(info(10), info(2), MessageIcon::Information));
    EXPECT_TRUE(dialogs().requests().empty());

    list.insertPaths({ "C:\\A\\one.SLDDRW", "C:\\B\\two.sldprt" });
    dialogs().queueResult(gui::FileDialogResult { dir.file("two"), 1 }); // typed without ".qrx"
    trigger("mnuSaveAs");
    EXPECT_EQ(test::readFileBytes(file), "\"C:\\A\\one.SLDDRW\"\r\n\"C:\\B\\two.sldprt\"\r\n");
    ASSERT_EQ(dialogs().requests().size(), 1u);
    EXPECT_EQ(dialogs().requests()[0].title + dialogs().requests()[0].filter, info(11) + info(12));

    // Opened into a list with a current row: above it, in file order.
    trigger("mnuNew");
    EXPECT_TRUE(list.isEmpty());
    list.insertPaths({ "p", "q" });
    list.setCurrentRow(1);
    dialogs().queueResult(gui::FileDialogResult { file, 1 });
    trigger("mnuOpen");
    EXPECT_EQ(
        rows(), (std::vector<std::string> { "p", "C:\\A\\one.SLDDRW", "C:\\B\\two.sldprt", "q" }));
    EXPECT_EQ(dialogs().requests()[1].title + dialogs().requests()[1].filter, info(13) + info(12));
    EXPECT_TRUE(messages().shown().empty());

    // Cancelling either dialog changes nothing.
    const std::vector<std::string> before = rows();
    for (const char* entry : { "mnuOpen", "mnuSaveAs" }) {
        dialogs().queueResult(std::nullopt);
        trigger(entry);
    }
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(test::readFileBytes(file), "\"C:\\A\\one.SLDDRW\"\r\n\"C:\\B\\two.sldprt\"\r\n");
    EXPECT_TRUE(messages().shown().empty());

    // A file that cannot be read or written is reported, naming the file.
    struct Row {
        const char* entry;
        std::string path;
        int text;
    };
    const Row failures[] = {
        { "mnuOpen", dir.file("missing.qrx"), 150 },
        { "mnuSaveAs", dir.file("no-folder") + "/list.qrx", 151 },
    };
    for (const Row& row : failures) {
        dialogs().queueResult(gui::FileDialogResult { row.path, 1 });
        trigger(row.entry);
        const auto [text, title, icon] = onlyMessage();
        EXPECT_EQ(text.rfind(info(row.text) + "\n" + row.path, 0), 0u) << text;
        EXPECT_EQ(std::tie(title, icon), std::make_tuple(info(4), MessageIcon::Critical));
        EXPECT_EQ(rows(), before);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("no-folder")));
}

TEST_F(MainWindowListsTest, FavoritesFollowTheBrowserTheMenuAndTheStore)
{
    const std::string b = folder("b");
    const std::string a = folder("a");
    document("b/inside.SLDDRW");
    engine::clsMRUMenu& favorites = session->lists()->favorites();
    ASSERT_EQ(favorites.Count(), 0);

    for (const std::string& path : { b, a, b }) {
        window().setCurrentFolder(QString::fromStdString(path));
        trigger("mnuFavAdd");
    }
    EXPECT_EQ(favorites.entries(), (std::vector<std::string> { a, b }));
    EXPECT_EQ(favoriteCaptions(), QStringList({ caption(1, a), caption(2, b) }));
    EXPECT_TRUE(window().menuEntry("mnuFavEntry_0")->isVisible());

    // Kept only when saved; read again on load and by the next window at start.
    trigger("mnuFavSave");
    EXPECT_EQ(engine::getAllSettings(store, "QUORRIX", "DirFavorites"),
        (std::vector<engine::AppSetting> {
            { "Max", "20" }, { "DirFavorites1", a }, { "DirFavorites2", b } }));
    trigger("mnuFavClear");
    flushDeletes();
    EXPECT_EQ(favorites.Count(), 0);
    EXPECT_TRUE(favoriteCaptions().isEmpty());
    EXPECT_FALSE(window().menuEntry("mnuFavEntry_0")->isVisible());
    trigger("mnuFavLoad");
    EXPECT_EQ(favorites.entries(), (std::vector<std::string> { a, b }));
    {
        gui::frmMain other;
        gui::MainWindowLists started(other, windowPorts());
        EXPECT_EQ(started.favorites().entries(), favorites.entries());
        EXPECT_NE(other.findChild<QAction*>("mnuFavEntry_2"), nullptr);
    }

    // Choosing an existing folder shows it in the browser, with its files.
    trigger("mnuFavEntry_2");
    EXPECT_EQ(window().currentFolder().toStdString(), b);
    ASSERT_EQ(window().fileList().count(), 1);
    EXPECT_EQ(window().fileList().names()[0], "inside.SLDDRW");

    // A folder that is gone: "no" keeps the entry, "yes" removes it.
    window().setCurrentFolder(QString::fromStdString(a));
    std::filesystem::remove_all(b);
    for (MessageAnswer answer : { MessageAnswer::No, MessageAnswer::Yes }) {
        messages().queueAnswer(answer);
        trigger("mnuFavEntry_2");
        flushDeletes();
        EXPECT_EQ(onlyMessage(), std::make_tuple(info(92), info(2), MessageIcon::Question));
        EXPECT_EQ(window().currentFolder().toStdString(), a);
    }
    EXPECT_EQ(favorites.entries(), (std::vector<std::string> { a }));
    EXPECT_EQ(favoriteCaptions(), QStringList({ caption(1, a) }));

    trigger("mnuFavDel"); // the browser's folder
    EXPECT_EQ(favorites.Count(), 0);
}

// The favourites menu as the list shows it, without a main window.
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

} // namespace
