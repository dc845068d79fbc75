#include "gui/main_window_lists.h"

#include <QAction>
#include <QMenu>

#include "engine/platform/file_system.h"
#include "engine/printlist/print_list.h"
#include "engine/printlist/print_list_file.h"
#include "engine/run/program_start.h"
#include "gui/file_dialogs.h"
#include "gui/frm_main.h"
#include "gui/frm_main_list_view.h"
#include "gui/message_boxes.h"
#include "gui/qt_menu_control_array.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kInfoTitle = 2;
constexpr int kInfoErrorTitle = 4;
constexpr int kInfoListEmpty = 10;
constexpr int kInfoSaveListTitle = 11;
constexpr int kInfoListFilter = 12;
constexpr int kInfoOpenListTitle = 13;
constexpr int kInfoFavoriteGone = 92;
constexpr int kInfoListNotRead = 150;
constexpr int kInfoListNotWritten = 151;

} // namespace

MainWindowLists::MainWindowLists(frmMain& window, const MainWindowPorts& ports)
    : QObject(&window)
    , m_window(window)
    , m_ports(ports)
    , m_favorites(ports.store, &ports.messages)
{
    connectMouse();
    connectListFiles();
    connectFavorites();
}

MainWindowLists::~MainWindowLists() = default;

std::string MainWindowLists::infoText(int number) const
{
    return m_ports.program.language.GetInfoText(number);
}

void tellNotAdded(const MainWindowPorts& ports, const std::vector<std::string>& notAdded)
{
    if (notAdded.empty())
        return;
    engine::clsMultiLanguage& texts = ports.program.language;
    ports.messages.show(
        engine::notAddedMessage(texts.GetInfoText(engine::kInfoPrintListFull), notAdded),
        texts.GetInfoText(kInfoTitle), engine::MessageIcon::Information);
}

FileDialogRequest MainWindowLists::listFileDialog(FileDialogKind kind, int title) const
{
    FileDialogRequest request;
    request.kind = kind;
    request.title = infoText(title);
    request.filter = infoText(kInfoListFilter);
    request.filterIndex = 1;
    return request;
}

void MainWindowLists::connectMouse()
{
    engine::PrintList& list = m_window.printList();
    auto* printList = m_window.control<RowListView>(QStringLiteral("lstPrintliste"));
    auto* files = m_window.control<RowListView>(QStringLiteral("lstAuswahl"));

    connect(printList, &RowListView::filesDropped, this, [this, &list](const QStringList& paths) {
        std::vector<std::string> dropped;
        dropped.reserve(static_cast<std::size_t>(paths.size()));
        for (const QString& path : paths)
            dropped.push_back(toStdString(path));
        tellNotAdded(m_ports, list.addDropped(dropped));
        m_window.showPrintList();
    });
    // The press of a double click already made its row current; taking the row from the
    // signal as well keeps the double-clicked row the one that goes.
    connect(printList, &RowListView::rowDoubleClicked, this, [this, &list](int row) {
        list.setCurrentRow(row);
        list.removeCurrent();
        m_window.showPrintList();
    });
    connect(printList, &RowListView::rightButtonReleased, this, [this, &list] {
        list.clearSelection();
        m_window.showPrintList();
    });
    connect(files, &RowListView::rowDoubleClicked, this, [this, &list](int row) {
        engine::FileBrowserList& browser = m_window.fileList();
        browser.setCurrentRow(row);
        tellNotAdded(m_ports, list.addOne(browser));
        m_window.showFileList();
        m_window.showPrintList();
    });
}

void MainWindowLists::connectListFiles()
{
    const auto on = [this](const char* entry, void (MainWindowLists::*command)()) {
        if (QAction* action = m_window.menuEntry(QLatin1String(entry)))
            connect(action, &QAction::triggered, this, command);
    };
    on("mnuNew", &MainWindowLists::newList);
    on("mnuOpen", &MainWindowLists::openList);
    on("mnuSaveAs", &MainWindowLists::saveListAs);
}

void MainWindowLists::newList()
{
    m_window.printList().removeAll();
    m_window.showPrintList();
}

void MainWindowLists::openList()
{
    const std::optional<FileDialogResult> chosen
        = m_ports.fileDialogs.openFile(listFileDialog(FileDialogKind::Open, kInfoOpenListTitle));
    if (!chosen)
        return;

    const engine::ListFileLoad load
        = engine::loadPrintListFile(m_ports.files, chosen->path, m_window.printList());
    if (!load.file.ok()) {
        tellFileFailed(kInfoListNotRead, chosen->path, load.file.errorText());
        return;
    }
    tellNotAdded(m_ports, load.notAdded);
    m_window.showPrintList();
}

void MainWindowLists::saveListAs()
{
    const engine::PrintList& list = m_window.printList();
    if (list.isEmpty()) {
        m_ports.messages.show(
            infoText(kInfoListEmpty), infoText(kInfoTitle), engine::MessageIcon::Information);
        return;
    }

    const std::optional<FileDialogResult> chosen
        = m_ports.fileDialogs.saveFile(listFileDialog(FileDialogKind::Save, kInfoSaveListTitle));
    if (!chosen)
        return;

    const engine::ListFileResult written
        = engine::writePrintListFile(m_ports.files, chosen->path, list.rows());
    if (!written.ok())
        tellFileFailed(kInfoListNotWritten, chosen->path, written.errorText());
}

void MainWindowLists::tellFileFailed(int text, const std::string& path, const std::string& error)
{
    std::string message = infoText(text) + "\n" + path;
    if (!error.empty())
        message += "\n\n" + error;
    m_ports.messages.show(message, infoText(kInfoErrorTitle), engine::MessageIcon::Critical);
}

void MainWindowLists::connectFavorites()
{
    QMenu* menu = m_window.favoritesMenu();
    auto* element0 = menu ? menu->findChild<QAction*>(QStringLiteral("mnuFavEntry_0")) : nullptr;
    if (element0) {
        m_favoritesMenu = std::make_unique<QtMenuControlArray>(*menu, *element0);
        connect(m_favoritesMenu.get(), &QtMenuControlArray::triggered, this,
            &MainWindowLists::chooseFavorite);
        m_favorites.Init(*m_favoritesMenu, kFavoritesApplication, kFavoritesSection);
        m_favorites.ReadSettings(kFavoritesApplication, kFavoritesSection);
    }

    const auto on = [this](const char* entry, auto handler) {
        if (QAction* action = m_window.menuEntry(QLatin1String(entry)))
            connect(action, &QAction::triggered, this, handler);
    };
    on("mnuFavAdd", [this] {
        const std::string folder = toStdString(m_window.currentFolder());
        if (!folder.empty())
            engine::addFavoriteSorted(m_favorites, folder, m_ports.regional);
    });
    on("mnuFavDel",
        [this] { engine::deleteFavorite(m_favorites, toStdString(m_window.currentFolder())); });
    on("mnuFavClear", [this] {
        m_favorites.Clear();
        m_favorites.Refresh();
    });
    on("mnuFavLoad",
        [this] { m_favorites.ReadSettings(kFavoritesApplication, kFavoritesSection); });
    on("mnuFavSave",
        [this] { m_favorites.StoreSettings(kFavoritesApplication, kFavoritesSection); });
}

void MainWindowLists::chooseFavorite(int index)
{
    engine::FileSystem& files = m_ports.files;
    const engine::FavoriteChoice choice = engine::chooseFavorite(
        m_favorites, index,
        [&files](const std::string& folder) { return files.folderExists(folder); },
        m_ports.messages, infoText(kInfoFavoriteGone), infoText(kInfoTitle));
    if (choice.action == engine::FavoriteChoice::Action::SwitchFolder)
        m_window.setCurrentFolder(toQString(choice.folder));
}

} // namespace quorrix::gui
