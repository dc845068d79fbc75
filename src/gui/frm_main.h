#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <initializer_list>

#include "engine/printlist/file_browser.h"
#include "engine/printlist/print_list.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QMenu;
class QModelIndex;
class QPushButton;
class QSplitter;
class QToolBar;
class QTreeView;

namespace quorrix::engine {
struct Settings;
} // namespace quorrix::engine

namespace quorrix::gui {

class RowListView;

// The caption of the macro button: the caption up to and including its first blank, then
// " (", the macro slot and ")". Applying it again gives the same caption.
QString runMacroButtonCaption(const QString& caption, int runMacroIndex);

// The main window: the file browser, the print list, the option check boxes, the menus and
// the toolbar. Every control, menu entry and toolbar key carries its name as object name.
//
// Commands: each command is its menu entry (a QAction named mnu...). The buttons and the
// toolbar keys of a command trigger that entry, so a command is wired by connecting to the
// entry's triggered signal once; a command that nobody wired does nothing.
//
// Option check boxes are the masters of their mirrored menu entries: clicking the entry
// toggles the check box, and the check box sets the entry's check mark and its colours.
// Their settings follow the check box's toggled signal.
//
// The window owns the print list and the browser's file list (engine models); after changing
// them call showPrintList or showFileList.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // Limits of the window and its splitters in twips (1440 per inch).
    static constexpr int kMinWidth = 9000;
    static constexpr int kMinHeight = 7600;
    // The vertical splitter (browser | print list) keeps its left edge this far from the left
    // edge of fraTop ...
    static constexpr int kSplitterMinLeft = 3300;
    // ... and this much room to fraTop's right edge.
    static constexpr int kSplitterMinRight = 5300 + 40;
    // The horizontal splitter (folder tree over file list) keeps its top edge this far below
    // the top edge of fraTop and this much room above fraTop's bottom edge.
    static constexpr int kSplitterVMinTop = 500;
    static constexpr int kSplitterVMinBelow = 2000;

    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // A control, menu (QMenu) or toolbar key by its object name; null when there is none of
    // that type. Toolbar keys are left out of translation: they show their entry's caption.
    template <class T> T* control(const QString& name) const { return findChild<T*>(name); }
    // A menu entry, submenus included (the QAction that shows the menu).
    QAction* menuEntry(const QString& name) const;
    QAction* toolbarButton(const QString& key) const;
    // The favourites popup (mnuFavCaption) that cmdFavorites opens. Its first entry is the
    // separator mnuFavEntry_0; the entries for folders go between it and the next separator.
    QMenu* favoritesMenu() const { return m_favoritesMenu; }
    // The context menu of the print list (lstPrintliste); its entries are Edit menu entries.
    QMenu* printListMenu() const { return m_printListMenu; }

    engine::PrintList& printList() { return m_printList; }
    const engine::PrintList& printList() const { return m_printList; }
    engine::FileBrowserList& fileList() { return m_fileList; }
    const engine::FileBrowserList& fileList() const { return m_fileList; }
    // Shows the print list after an engine operation: rows, selection, current row, the
    // horizontal scroll range and lblListcount.
    void showPrintList();
    void showFileList();

    // The folder the browser shows (native separators). Setting it moves the drive list and
    // the folder tree there and emits folderChanged; false when it is no folder.
    QString currentFolder() const { return m_folder; }
    bool setCurrentFolder(const QString& folder);
    // The user chose a drive. A drive that cannot be opened makes the drive list flash red;
    // the drive list then shows the drive of the current folder again.
    bool chooseDrive(const QString& drive);

    // A click on the toolbar key: triggers the key's menu entry; an unknown key does nothing.
    void tbarMenuButtonClick(const QString& key);
    // Refreshes the captions that show the macro slot, the pre/postfix set and the filter set.
    void RunMacroButtonLabel(const engine::Settings& settings);

    // While a run works through the print list the window takes no commands (the run shows
    // its own window with Cancel) and does not close; afterwards every command is as before.
    void setRunning(bool running);
    bool isRunning() const { return m_running; }

    int twipsToPixelsX(int twips) const;
    int twipsToPixelsY(int twips) const;

signals:
    // The browser shows another folder: the file list is to be filled again.
    void folderChanged(const QString& folder);
    // The window became the active window again (after a dialog closed, for instance).
    void activated();
    // The window is closing: the last moment to save what it keeps.
    void unloading();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct MenuItem;

    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildOptionsMenu();
    void buildFavoritesMenu();
    void buildPrintListMenu();
    QMenu* addMenu(QWidget* parent, const char* name, const QString& caption);
    void addItems(QMenu* menu, std::initializer_list<MenuItem> items);
    void buildToolbar();

    void buildCentral();
    QWidget* buildBrowserColumn();
    QWidget* buildPrintListColumn();
    QWidget* buildBottomFrame();
    void applySizeLimits();

    void connectCommands();
    void connectOptions();
    void optionToggled(QCheckBox* check, bool on);
    void setConvertingCommandsEnabled(bool enabled);
    void updatePrintListColours();

    void folderTreeClicked(const QModelIndex& index);
    void revealFolder();
    void folderTreeChanged();
    void showDriveOf(const QString& folder);
    void flashDriveList();
    void setDriveListRed(bool red);

    engine::PrintList m_printList;
    engine::FileBrowserList m_fileList;
    QString m_folder;
    // The tree still opens its way to the folder as the folders arrive.
    bool m_revealing = false;
    bool m_revealQueued = false;

    QToolBar* m_toolbar = nullptr;
    QMenu* m_favoritesMenu = nullptr;
    QMenu* m_printListMenu = nullptr;
    QWidget* m_fraTop = nullptr;
    QSplitter* m_splitter = nullptr;
    QSplitter* m_splitterV = nullptr;
    QWidget* m_browserPane = nullptr;
    QWidget* m_listPane = nullptr;
    QWidget* m_filesPane = nullptr;
    QComboBox* m_drives = nullptr;
    QPushButton* m_favoritesButton = nullptr;
    QTreeView* m_tree = nullptr;
    QFileSystemModel* m_folders = nullptr;
    RowListView* m_files = nullptr;
    RowListView* m_list = nullptr;
    QLabel* m_listCount = nullptr;
    bool m_running = false;
    // The commands that were enabled when the run started.
    QList<QPointer<QAction>> m_pausedCommands;
};

} // namespace quorrix::gui
