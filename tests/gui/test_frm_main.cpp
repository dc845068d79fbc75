#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRubberBand>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <utility>

#include "engine/platform/ini_document.h"
#include "engine/settings/settings.h"
#include "gui/frm_main.h"
#include "gui/frm_main_list_view.h"
#include "gui/qt_language_form.h"
#include "support/fakes.h"
#include "window_fixture.h"

using quorrix::gui::frmMain;
using quorrix::gui::RowListView;

namespace {

// Counts how often each of the window's menu entries runs.
class CommandRecorder {
public:
    explicit CommandRecorder(frmMain& window)
    {
        for (QAction* action : window.findChildren<QAction*>())
            if (action->objectName().startsWith("mnu"))
                QObject::connect(action, &QAction::triggered,
                    [this, name = action->objectName()] { ++m_counts[name]; });
    }
    std::map<QString, int> takeCounts() { return std::exchange(m_counts, {}); }

private:
    std::map<QString, int> m_counts;
};

void sendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button)
{
    const Qt::MouseButtons held
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(local), QPointF(widget->mapToGlobal(local)), button,
        type == QEvent::MouseMove ? held
                                  : (type == QEvent::MouseButtonPress ? button : Qt::NoButton),
        Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void showLaidOut(QWidget& window)
{
    window.show();
    for (int round = 0; round < 3; ++round)
        QApplication::processEvents();
}

// Every command with a button, a toolbar key or a shortcut: its menu entry, the button and
// the key that run it, its shortcut, and whether view-only mode switches it off. DXF and
// DWG share their options window, so mnuOptDXF has two keys.
struct Command {
    const char* entry;
    const char* button;
    const char* key;
    const char* shortcut;
    bool converting = false;
};
const Command kCommands[] = { { "mnuNew", nullptr, "FileNew", "Ctrl+N" },
    { "mnuOpen", nullptr, "FileOpen", "Ctrl+O" }, { "mnuSaveAs", nullptr, "FileSaveAs", "Ctrl+S" },
    { "mnuQuit", nullptr, nullptr, "Ctrl+Q" },
    { "mnuEditAddSelected", "cmdAddSelected", "AddSel", "Ctrl+Ins" },
    { "mnuEditAddAll", "cmdAddAll", "AddAll", "Shift+Ins" },
    { "mnuEditDelSelected", "cmdDelSelected", "DelSel", "Del" },
    { "mnuEditDelAll", "cmdDelAll", "DelAll", "Shift+Del" },
    { "mnuEditWorkWithActiveDrawing", nullptr, nullptr, "Ctrl+A" },
    { "mnuEditPrint", "cmdPlot", "Print", "Ctrl+P" },
    { "mnuEditTIFF", "cmdTIFF", "TIF", "Ctrl+T", true },
    { "mnuEditDXF", "cmdDXF", "DXF", "Ctrl+F", true },
    { "mnuEditDWG", "cmdDWG", "DWG", "Ctrl+G", true },
    { "mnuEditExport3D", "cmdExport3D", "Export3D", "Ctrl+E", true },
    { "mnuEditExportEDrawings", "cmdExportEDrawings", "EDr", "", true },
    { "mnuEditExportDocuments", "cmdExportDocuments", "PDF", "", true },
    { "mnuEditRunMacro", "cmdRunMacro", "RunMacro", "" },
    { "mnuShowOnlyDrawings", nullptr, nullptr, "F3" },
    { "mnuShowPreview", nullptr, "PreviewBitmap", "F12" },
    { "mnuPrintlistReverse", nullptr, nullptr, "F4" },
    { "mnuOptPrint", "cmdCallPrinterSettings", "PrintSettings", "F5" },
    { "mnuOptTIFF", "cmdCallTIFFSettings", "TIFFSettings", "F6" },
    { "mnuOptDXF", "cmdCallDXFSettings", "DXFSettings", "F7" },
    { "mnuOptDXF", nullptr, "DWGSettings", "F7" },
    { "mnuOptExport3D", "cmdCallExport3DSettings", "Export3DSettings", "F8" },
    { "mnuOptExportEDrawings", "cmdCallExportEDrawingsSettings", "EDrSettings", "" },
    { "mnuOptExportDocuments", "cmdCallExportDocumentsSettings", "PDFSettings", "" },
    { "mnuOptRunMacro", "cmdCallRunMacroSettings", "RunMacroSettings", "" },
    { "mnuOptFilter", "cmdListFilterSheetNames", nullptr, "F9" },
    { "mnuOptFilterActive", nullptr, nullptr, "Shift+F9" },
    { "mnuOptPrePostEdit", "cmdPrePostEdit", nullptr, "F11" },
    { "mnuOptPrePostUseit", nullptr, nullptr, "Shift+F11" },
    { "mnuHlpContent", nullptr, nullptr, "F1" } };

} // namespace

// The design captions are checked against the German language file below.
TEST(frmMain, StartsWithEveryOptionOffAndAPictureAndTipOnEveryBareButton)
{
    frmMain window;
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        SCOPED_TRACE(button->objectName().toStdString());
        if (button->text().isEmpty()) {
            EXPECT_FALSE(button->icon().isNull());
            EXPECT_FALSE(button->toolTip().isEmpty());
        }
    }
    for (const QCheckBox* check : window.findChildren<QCheckBox*>())
        EXPECT_FALSE(check->isChecked()) << check->objectName().toStdString();
}

TEST(frmMain, MenuEntriesHaveTheirShortcutsAndSeparatorsNoText)
{
    std::map<QString, QString> shortcuts;
    for (const Command& command : kCommands)
        shortcuts[command.entry] = command.shortcut;
    frmMain window;
    for (QAction* action : window.findChildren<QAction*>()) {
        const QString name = action->objectName();
        if (!name.startsWith("mnu"))
            continue;
        EXPECT_EQ(action->shortcut(), QKeySequence(shortcuts[name])) << name.toStdString();
        // A text on a separator shows as a heading.
        EXPECT_EQ(action->text().isEmpty(), action->isSeparator()) << name.toStdString();
    }
    // The favourites pop up from their button, and their separator shows only with entries.
    EXPECT_FALSE(window.control<QMenu>("mnuFavorites")->menuAction()->isVisible());
    EXPECT_FALSE(window.control<QAction>("mnuFavEntry_0")->isVisible());
    EXPECT_EQ(window.favoritesMenu(), window.control<QMenu>("mnuFavCaption"));
}

TEST(frmMain, ButtonsAndToolbarKeysRunTheirMenuEntries)
{
    frmMain window;
    CommandRecorder recorder(window);
    std::set<QString> toolbarKeys;
    for (QAction* button : window.control<QToolBar>("tbarMenu")->actions())
        if (!button->isSeparator())
            toolbarKeys.insert(button->objectName());
    std::vector<std::pair<const char*, QImage>> pictures;
    for (const Command& command : kCommands) {
        const std::map<QString, int> once { { command.entry, 1 } };
        if (command.button) {
            window.control<QPushButton>(command.button)->click();
            EXPECT_EQ(recorder.takeCounts(), once) << command.button;
        }
        if (!command.key)
            continue;
        QAction* button = window.toolbarButton(command.key);
        ASSERT_NE(button, nullptr) << command.key;
        EXPECT_EQ(toolbarKeys.erase(command.key), 1u) << command.key;
        button->trigger();
        EXPECT_EQ(recorder.takeCounts(), once) << command.key;
        // The key shows its command's caption.
        EXPECT_EQ(button->text(), window.menuEntry(command.entry)->text().remove('&'))
            << command.key;
        pictures.emplace_back(command.key, button->icon().pixmap(16, 16).toImage());
    }
    EXPECT_TRUE(toolbarKeys.empty()); // no key without its row
    // Every key has a picture of its own.
    for (std::size_t a = 0; a < pictures.size(); ++a)
        for (std::size_t b = a + 1; b < pictures.size(); ++b)
            EXPECT_NE(pictures[a].second, pictures[b].second)
                << pictures[a].first << " " << pictures[b].first;

    // The key is compared exactly; any other key does nothing.
    for (const char* key : { "print", "Print ", "", "DXFsettings", "Unknown" }) {
        window.tbarMenuButtonClick(key);
        EXPECT_TRUE(recorder.takeCounts().empty()) << key;
    }
    // The tooltip follows the entry's caption, as a language switch changes it.
    window.menuEntry("mnuEditPrint")->setText("&Print");
    EXPECT_EQ(window.toolbarButton("Print")->text(), "Print");
}

TEST(frmMain, CheckBoxesLeadTheirMirroredMenuEntries)
{
    const std::pair<const char*, const char*> mirrors[] {
        { "chkOpenViewOnly", "mnuEditOpenViewOnly" }, { "chkOpenReadOnly", "mnuEditOpenReadOnly" },
        { "chkWorkWithActiveDrawing", "mnuEditWorkWithActiveDrawing" },
        { "chkPrintlistReverse", "mnuPrintlistReverse" },
        { "chkAutoConvertViews", "mnuAutoConvertViews" },
        { "chkSuppressWarnings", "mnuOptSuppressWarnings" },
        { "chkListFilterSheetNames", "mnuOptFilterActive" },
        { "chkPrePostUseit", "mnuOptPrePostUseit" }, { "chkAuswahlNurDRW", "mnuShowOnlyDrawings" },
        { "chkAuswahlNurModel", "mnuShowOnlyModels" }
    };
    frmMain window;
    for (const auto& [checkName, entryName] : mirrors) {
        auto* check = window.control<QCheckBox>(checkName);
        QAction* entry = window.menuEntry(entryName);
        int toggles = 0;
        QObject::connect(check, &QCheckBox::toggled, [&toggles] { ++toggles; });

        entry->trigger();
        EXPECT_TRUE(check->isChecked()) << entryName;
        EXPECT_TRUE(entry->isChecked()) << entryName;
        check->click();
        EXPECT_FALSE(check->isChecked()) << checkName;
        EXPECT_FALSE(entry->isChecked()) << checkName;
        check->setChecked(true); // as a dialog's follow-up sets it
        EXPECT_TRUE(entry->isChecked()) << checkName;
        entry->trigger();
        EXPECT_FALSE(check->isChecked()) << entryName;
        EXPECT_FALSE(entry->isChecked()) << entryName;
        // Each change reached the check box once: its toggled signal carries the setting.
        EXPECT_EQ(toggles, 4) << checkName;
    }
}

TEST(frmMain, ViewOnlyModeSwitchesOffTheConvertingCommandsOnly)
{
    frmMain window;
    auto* viewOnly = window.control<QCheckBox>("chkOpenViewOnly");
    for (const bool on : { true, false, true }) {
        viewOnly->setChecked(on);
        for (const Command& command : kCommands) {
            SCOPED_TRACE(testing::Message() << command.entry << " view-only " << on);
            const bool enabled = !(on && command.converting);
            EXPECT_EQ(window.menuEntry(command.entry)->isEnabled(), enabled);
            if (command.button) {
                EXPECT_EQ(window.control<QPushButton>(command.button)->isEnabled(), enabled);
            }
            if (command.key) {
                EXPECT_EQ(window.toolbarButton(command.key)->isEnabled(), enabled);
            }
        }
    }
    // A switched-off command does not run from its button, key or shortcut either.
    CommandRecorder recorder(window);
    window.tbarMenuButtonClick("TIF");
    window.control<QPushButton>("cmdDXF")->click();
    window.tbarMenuButtonClick("Print");
    EXPECT_EQ(recorder.takeCounts(), (std::map<QString, int> { { "mnuEditPrint", 1 } }));
}

TEST(frmMain, OptionColoursComeAndGoWithTheirCheckBoxes)
{
    frmMain window;
    auto* list = window.control<RowListView>("lstPrintliste");
    const QColor listBase = list->palette().color(QPalette::Base);
    const QColor listText = list->palette().color(QPalette::Text);
    auto background = [&window](const char* name) {
        auto* check = window.control<QCheckBox>(name);
        return check->autoFillBackground() ? check->palette().color(QPalette::Window) : QColor();
    };

    window.control<QCheckBox>("chkOpenReadOnly")->setChecked(true);
    window.control<QCheckBox>("chkOpenViewOnly")->setChecked(true);
    window.control<QCheckBox>("chkSuppressWarnings")->setChecked(true);
    window.control<QCheckBox>("chkWorkWithActiveDrawing")->setChecked(true);
    EXPECT_EQ(background("chkOpenReadOnly"), QColor(0, 255, 255));
    EXPECT_EQ(background("chkOpenViewOnly"), QColor(255, 0, 0));
    EXPECT_EQ(background("chkSuppressWarnings"), QColor(255, 0, 0));
    EXPECT_EQ(background("chkPrintlistReverse"), QColor());
    EXPECT_EQ(list->palette().color(QPalette::Base), QColor(255, 192, 192));
    EXPECT_EQ(list->palette().color(QPalette::Text),
        window.palette().color(QPalette::Disabled, QPalette::Text));

    // Each flag takes back its own colours only.
    window.control<QCheckBox>("chkSuppressWarnings")->setChecked(false);
    EXPECT_EQ(background("chkSuppressWarnings"), QColor());
    EXPECT_EQ(list->palette().color(QPalette::Base), listBase);
    EXPECT_NE(list->palette().color(QPalette::Text), listText);
    window.control<QCheckBox>("chkWorkWithActiveDrawing")->setChecked(false);
    EXPECT_EQ(list->palette().color(QPalette::Text), listText);
    window.control<QCheckBox>("chkOpenReadOnly")->setChecked(false);
    window.control<QCheckBox>("chkOpenViewOnly")->setChecked(false);
    EXPECT_EQ(background("chkOpenReadOnly"), QColor());
    EXPECT_EQ(background("chkOpenViewOnly"), QColor());
}

TEST(frmMain, RestartEntriesCarryOneCheckMark)
{
    frmMain window;
    const std::pair<const char*, int> entries[] { { "mnuOptShutdownEvery000Drawing", 0 },
        { "mnuOptShutdownEvery050Drawing", 50 }, { "mnuOptShutdownEvery100Drawing", 100 },
        { "mnuOptShutdownEvery250Drawing", 250 }, { "mnuOptShutdownEvery500Drawing", 500 } };
    auto checked = [&] {
        QStringList names;
        for (const auto& [name, documents] : entries)
            if (window.menuEntry(name)->isChecked())
                names << name;
        return names;
    };
    EXPECT_EQ(checked(), QStringList { "mnuOptShutdownEvery000Drawing" });
    for (const auto& [name, documents] : entries) {
        window.menuEntry(name)->trigger();
        window.menuEntry(name)->trigger(); // a second click keeps the mark
        EXPECT_EQ(checked(), QStringList { name });
        EXPECT_EQ(window.menuEntry(name)->data().toInt(), documents);
    }
}

TEST(frmMain, MacroButtonCaptionKeepsTheFirstWordAndTheSlot)
{
    using quorrix::gui::runMacroButtonCaption;
    const std::tuple<const char*, int, const char*> rows[] {
        { "Makro ...", 3, "Makro  (3)" },
        { "Makro  (3)", 7, "Makro  (7)" },
        { "Macro ...", 0, "Macro  (0)" },
        { "Run macro", 12, "Run  (12)" },
        { "Macro", 3, " (3)" },
        { " (3)", 4, " (4)" }, // a caption made from one without a blank stays as it is
        { "", 0, " (0)" },
    };
    for (const auto& [caption, slot, expected] : rows) {
        EXPECT_EQ(runMacroButtonCaption(caption, slot), expected) << caption;
        EXPECT_EQ(runMacroButtonCaption(expected, slot), expected) << caption;
    }

    frmMain window;
    quorrix::engine::Settings settings;
    settings.RunMacroIndex = 3;
    settings.PrePostIndex = 5;
    settings.FilterNameIndex = 9;
    window.RunMacroButtonLabel(settings);
    window.RunMacroButtonLabel(settings);
    EXPECT_EQ(window.control<QPushButton>("cmdRunMacro")->text(), "Makro  (3)");
    EXPECT_EQ(window.control<QCheckBox>("chkPrePostUseit")->text(), "5");
    EXPECT_EQ(window.control<QCheckBox>("chkListFilterSheetNames")->text(), "9");
}

TEST(frmMain, WindowAndSplittersKeepTheirLimits)
{
    frmMain window;
    showLaidOut(window);
    window.resize(10, 10);
    QApplication::processEvents();
    EXPECT_GE(window.width(), window.twipsToPixelsX(frmMain::kMinWidth));
    EXPECT_GE(window.height(), window.twipsToPixelsY(frmMain::kMinHeight));
    window.resize(window.twipsToPixelsX(12000), window.twipsToPixelsY(9000));
    QApplication::processEvents();

    auto* fraTop = window.control<QWidget>("fraTop");
    auto* splitter = window.control<QSplitter>("imgSplitter");
    auto* splitterV = window.control<QSplitter>("imgSplitterV");
    auto barLeft = [&] { return splitter->handle(1)->mapTo(fraTop, QPoint()).x(); };
    auto barTop = [&] { return splitterV->handle(1)->mapTo(fraTop, QPoint()).y(); };

    splitter->setSizes({ 0, 100000 });
    EXPECT_GE(barLeft(), window.twipsToPixelsX(frmMain::kSplitterMinLeft));
    splitter->setSizes({ 100000, 0 });
    EXPECT_GE(fraTop->width() - barLeft(), window.twipsToPixelsX(frmMain::kSplitterMinRight));
    EXPECT_GT(barLeft(), window.twipsToPixelsX(frmMain::kSplitterMinLeft));
    splitterV->setSizes({ 0, 100000 });
    EXPECT_GE(barTop(), window.twipsToPixelsY(frmMain::kSplitterVMinTop));
    splitterV->setSizes({ 100000, 0 });
    EXPECT_GE(fraTop->height() - barTop(), window.twipsToPixelsY(frmMain::kSplitterVMinBelow));
    EXPECT_GT(barTop(), window.twipsToPixelsY(frmMain::kSplitterVMinTop));

    // Dragging: only the drag bar moves until the mouse is released, and the controls then
    // follow as far as the limit.
    splitter->setSizes({ window.twipsToPixelsX(5000), 100000 });
    const QList<int> before = splitter->sizes();
    QWidget* handle = splitter->handle(1);
    const QPoint grip(handle->width() / 2, handle->height() / 2);
    sendMouse(handle, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    const QPoint farLeft = handle->mapFromGlobal(splitter->mapToGlobal(QPoint(-200, grip.y())));
    sendMouse(handle, QEvent::MouseMove, farLeft, Qt::NoButton);
    EXPECT_EQ(splitter->sizes(), before);
    QPointer<QRubberBand> dragBar = splitter->findChild<QRubberBand*>();
    ASSERT_NE(dragBar, nullptr);
    EXPECT_TRUE(dragBar->isVisible());
    sendMouse(handle, QEvent::MouseButtonRelease, farLeft, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(!dragBar || !dragBar->isVisible());
    EXPECT_LT(splitter->sizes()[0], before[0]);
    EXPECT_GE(barLeft(), window.twipsToPixelsX(frmMain::kSplitterMinLeft));
    // The browser column's own minimum may lie beyond the limit.
    EXPECT_LE(barLeft(),
        std::max(window.twipsToPixelsX(frmMain::kSplitterMinLeft),
            window.control<QWidget>("lstAuswahl")->parentWidget()->minimumWidth())
            + 1);

    // A wider window widens the print list and leaves the browser column as it was.
    const int browser = splitter->sizes()[0];
    window.resize(window.width() + 100, window.height());
    QApplication::processEvents();
    EXPECT_EQ(splitter->sizes()[0], browser);
}

TEST(frmMain, PrintListShowsTheModelAndTakesTheUsersSelection)
{
    frmMain window;
    auto* view = window.control<RowListView>("lstPrintliste");
    auto* count = window.control<QLabel>("lblListcount");
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::ExtendedSelection); // Shift and Ctrl
    showLaidOut(window);

    quorrix::engine::PrintList& list = window.printList();
    const std::string longPath = "C:\\" + std::string(400, 'x') + "\\part.sldprt";
    list.insertPaths({ "C:\\a.slddrw", "C:\\b.slddrw", "C:\\c.slddrw", longPath, "C:\\e.sldasm" });
    list.setSelected(1, true);
    list.setSelected(3, true);
    list.setCurrentRow(2);
    window.showPrintList();
    QApplication::processEvents();

    ASSERT_EQ(view->model()->rowCount(), 5);
    EXPECT_EQ(view->model()->index(3, 0).data().toString().toStdString(), longPath);
    auto selectedRows = [view] {
        std::vector<int> rows;
        for (const QModelIndex& index : view->selectionModel()->selectedIndexes())
            rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    EXPECT_EQ(selectedRows(), (std::vector<int> { 1, 3 }));
    EXPECT_EQ(view->currentIndex().row(), 2);
    EXPECT_EQ(count->text(), "2 / 5");
    // The widest row decides the horizontal scroll range.
    EXPECT_GT(view->horizontalScrollBar()->maximum(), 0);

    // A click makes its row the only selected and the current one, in the model too.
    const QPoint onRow4 = view->visualRect(view->model()->index(4, 0)).center();
    sendMouse(view->viewport(), QEvent::MouseButtonPress, onRow4, Qt::LeftButton);
    sendMouse(view->viewport(), QEvent::MouseButtonRelease, onRow4, Qt::LeftButton);
    EXPECT_EQ(list.selectedRows(), (std::vector<int> { 4 }));
    EXPECT_EQ(list.currentRow(), 4);
    EXPECT_EQ(count->text(), "1 / 5");

    // Code makes a row current without touching the selection; the view follows.
    view->selectionModel()->select(view->model()->index(0, 0), QItemSelectionModel::Select);
    EXPECT_EQ(list.selectedRows(), (std::vector<int> { 0, 4 }));
    list.moveSelectedToTop();
    window.showPrintList();
    EXPECT_EQ(view->model()->index(1, 0).data().toString(), "C:\\e.sldasm");
    EXPECT_EQ(selectedRows(), (std::vector<int> { 0, 1 }));
    EXPECT_FALSE(view->currentIndex().isValid());

    // The right button selects nothing; its release asks for the selection to be cleared.
    int clears = 0;
    QObject::connect(view, &RowListView::rightButtonReleased, [&clears] { ++clears; });
    const QPoint onRow3 = view->visualRect(view->model()->index(3, 0)).center();
    sendMouse(view->viewport(), QEvent::MouseButtonPress, onRow3, Qt::RightButton);
    sendMouse(view->viewport(), QEvent::MouseButtonRelease, onRow3, Qt::RightButton);
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(list.selectedRows(), (std::vector<int> { 0, 1 }));

    // Tabbing into the list gives it no current row: additions still go to the end.
    view->clearFocus();
    view->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(list.currentRow(), quorrix::engine::PrintList::kNoRow);

    list.removeAll();
    window.showPrintList();
    EXPECT_EQ(view->model()->rowCount(), 0);
    EXPECT_EQ(count->text(), "0 / 0");
}

TEST(frmMain, PrintListTakesFilesDroppedFromTheShellOnly)
{
    frmMain window;
    auto* view = window.control<RowListView>("lstPrintliste");
    QStringList dropped;
    QObject::connect(view, &RowListView::filesDropped,
        [&dropped](const QStringList& paths) { dropped = paths; });

    QTemporaryDir dir;
    const QString file = dir.filePath("part.sldprt");
    struct Row {
        const char* what;
        QList<QUrl> urls;
        const char* text;
        bool accepted;
    };
    const Row rows[] {
        { "files and folders", { QUrl::fromLocalFile(file), QUrl::fromLocalFile(dir.path()) },
            nullptr, true },
        { "text", {}, "C:\\a.slddrw", false },
        { "a web address", { QUrl("https://example.com/a.slddrw") }, nullptr, false },
    };
    for (const Row& row : rows) {
        dropped.clear();
        QMimeData data;
        if (!row.urls.isEmpty())
            data.setUrls(row.urls);
        if (row.text)
            data.setText(row.text);
        QDragEnterEvent enter(
            QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &enter);
        EXPECT_EQ(enter.isAccepted(), row.accepted) << row.what;
        QDropEvent drop(
            QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &drop);
        EXPECT_EQ(drop.isAccepted(), row.accepted) << row.what;
        if (row.accepted) {
            EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
            EXPECT_EQ(dropped,
                QStringList(
                    { QDir::toNativeSeparators(file), QDir::toNativeSeparators(dir.path()) }));
        } else {
            EXPECT_TRUE(dropped.isEmpty()) << row.what;
        }
    }
    // The browser's file list is no drop target.
    EXPECT_FALSE(window.control<RowListView>("lstAuswahl")->viewport()->acceptDrops());
}

TEST(frmMain, BrowserShowsTheFolderAndKeepsItsDriveWhenAnotherFails)
{
    frmMain window;
    EXPECT_EQ(window.currentFolder(), QDir::toNativeSeparators(QDir::currentPath()));
    QStringList changes;
    QObject::connect(
        &window, &frmMain::folderChanged, [&changes](const QString& folder) { changes << folder; });

    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    const QString sub = QDir(dir.path()).filePath("sub");
    EXPECT_TRUE(window.setCurrentFolder(sub + "/"));
    EXPECT_EQ(window.currentFolder(), QDir::toNativeSeparators(sub));
    EXPECT_FALSE(window.setCurrentFolder(QDir(dir.path()).filePath("missing")));
    EXPECT_FALSE(window.setCurrentFolder(""));
    EXPECT_EQ(changes, QStringList { QDir::toNativeSeparators(sub) });
    EXPECT_EQ(window.currentFolder(), QDir::toNativeSeparators(sub));

    auto* drives = window.control<QComboBox>("drvAuswahl");
    QDir root(sub);
    while (root.cdUp()) { }
    const QString drive = drives->currentData().toString();
    EXPECT_EQ(drive, root.absolutePath());
    EXPECT_FALSE(window.chooseDrive(QDir(dir.path()).filePath("no-such-drive")));
    EXPECT_EQ(drives->currentData().toString(), drive);
    EXPECT_EQ(window.currentFolder(), QDir::toNativeSeparators(sub));
    // The folder's own drive again: the folder stays.
    EXPECT_TRUE(window.chooseDrive(drive));
    EXPECT_EQ(window.currentFolder(), QDir::toNativeSeparators(sub));
    EXPECT_EQ(changes.size(), 1);

    // A click in the folder tree opens that folder; a click on the open folder changes nothing.
    auto* tree = window.control<QTreeView>("dirAuswahl");
    const QModelIndex parent = static_cast<QFileSystemModel*>(tree->model())->index(dir.path());
    emit tree->clicked(parent);
    emit tree->clicked(parent);
    EXPECT_EQ(window.currentFolder(), QDir::toNativeSeparators(dir.path()));
    EXPECT_EQ(changes,
        QStringList({ QDir::toNativeSeparators(sub), QDir::toNativeSeparators(dir.path()) }));

    // The file list shows the engine's names.
    window.fileList().show(QDir::toNativeSeparators(sub).toStdString(),
        { "b.SLDDRW", "a.txt", "c.sldprt" }, {}, quorrix::test::FixedRegionalFormat());
    window.showFileList();
    EXPECT_EQ(window.control<RowListView>("lstAuswahl")->model()->rowCount(), 3);
}

namespace {

// Every text a language file can change: captions, titles and tooltips by object name.
std::map<QString, QString> windowTexts(frmMain& window)
{
    std::map<QString, QString> texts;
    for (QObject* object : window.findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (name.isEmpty() || name.startsWith("qt_"))
            continue;
        if (auto* action = qobject_cast<QAction*>(object))
            texts[name + ".Caption"] = action->text();
        else if (auto* menu = qobject_cast<QMenu*>(object))
            texts[name + ".Caption"] = menu->title();
        else if (auto* frame = qobject_cast<QGroupBox*>(object))
            texts[name + ".Caption"] = frame->title();
        else if (auto* button = qobject_cast<QAbstractButton*>(object))
            texts[name + ".Caption"] = button->text();
        else if (auto* label = qobject_cast<QLabel*>(object))
            texts[name + ".Caption"] = label->text();
        if (auto* widget = qobject_cast<QWidget*>(object))
            texts[name + ".ToolTipText"] = widget->toolTip();
    }
    return texts;
}

// The keys of the window's section in a shipped language file.
QStringList sectionKeys(const char* file)
{
    QStringList keys;
    const std::string path = std::string(QUORRIX_LANG_DIR) + "/" + file;
    for (const auto& [key, text] :
        quorrix::engine::IniDocument::parse(quorrix::test::readFileBytes(path))
            .sectionEntries("frmMain"))
        keys << QString::fromStdString(key);
    return keys;
}

struct frmMainLanguage : ::testing::Test, quorrix::test::WindowFixture {
    frmMain window;

    void apply(const char* file)
    {
        language.IniFile(std::string(QUORRIX_LANG_DIR) + "/" + file);
        ASSERT_FALSE(language.IniFile().empty()) << file;
        quorrix::gui::QtLanguageForm form(window);
        language.GetAllControlText(form);
    }
};

} // namespace

TEST_F(frmMainLanguage, GermanFileHoldsTheDesignTexts)
{
    const std::map<QString, QString> design = windowTexts(window);
    const QStringList keys = sectionKeys("QUORRIX-lng_de.ini");
    EXPECT_GT(keys.size(), 100);
    // Each key names a text of the window: no key is misspelt or left over.
    for (const QString& key : keys)
        EXPECT_TRUE(design.count(key)) << key.toStdString();
    EXPECT_EQ(keys, sectionKeys("QUORRIX-lng_us.ini"));
    // Texts that code writes are not in the files: a language switch must not wipe them.
    for (const char* key : { "lblListcount.Caption", "lblProcessed.Caption",
             "lblSwAppVersionUsed.Caption", "chkPrePostUseit.Caption",
             "chkListFilterSheetNames.Caption", "drvAuswahl.Caption", "mnuFavEntry.Caption" })
        EXPECT_FALSE(keys.contains(key)) << key;

    apply("QUORRIX-lng_de.ini");
    EXPECT_EQ(windowTexts(window), design);
}

TEST_F(frmMainLanguage, EnglishFileTranslatesTheWindowAndKeepsItsData)
{
    window.printList().insertPaths({ "C:\\a.slddrw" });
    window.showPrintList();
    auto* drives = window.control<QComboBox>("drvAuswahl");
    const int driveCount = drives->count();

    apply("QUORRIX-lng_us.ini");
    EXPECT_EQ(window.control<QPushButton>("cmdPlot")->text(), "Print");
    // The toolbar follows its menu entries.
    EXPECT_EQ(window.toolbarButton("Print")->text(), "Print");
    EXPECT_EQ(window.toolbarButton("DWGSettings")->text(), "DXF/DWG options ...");
    EXPECT_EQ(window.control<QLabel>("lblListcount")->text(), "0 / 1");
    EXPECT_EQ(window.control<RowListView>("lstPrintliste")->model()->rowCount(), 1);
    EXPECT_EQ(drives->count(), driveCount);
    EXPECT_FALSE(window.control<QAction>("mnuFavEntry_0")->isVisible());
    EXPECT_TRUE(window.control<QAction>("mnuFavEntry_0")->isSeparator());

    window.RunMacroButtonLabel(quorrix::engine::Settings());
    EXPECT_EQ(window.control<QPushButton>("cmdRunMacro")->text(), "Macro  (0)");
}

using quorrix::engine::PrintList;

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
