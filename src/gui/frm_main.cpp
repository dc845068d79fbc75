#include "gui/frm_main.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileSystemModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <array>

#include "engine/settings/settings.h"
#include "gui/frm_main_list_view.h"
#include "gui/qt_text.h"
#include "gui/volumes.h"

namespace quorrix::gui {

namespace {

struct Command {
    const char* control;
    const char* menuEntry;
};

// Buttons that run the command of a menu entry.
constexpr std::array kButtonCommands {
    Command { "cmdPlot", "mnuEditPrint" },
    Command { "cmdTIFF", "mnuEditTIFF" },
    Command { "cmdDXF", "mnuEditDXF" },
    Command { "cmdDWG", "mnuEditDWG" },
    Command { "cmdExport3D", "mnuEditExport3D" },
    Command { "cmdExportEDrawings", "mnuEditExportEDrawings" },
    Command { "cmdExportDocuments", "mnuEditExportDocuments" },
    Command { "cmdRunMacro", "mnuEditRunMacro" },
    Command { "cmdCallPrinterSettings", "mnuOptPrint" },
    Command { "cmdCallTIFFSettings", "mnuOptTIFF" },
    Command { "cmdCallDXFSettings", "mnuOptDXF" },
    Command { "cmdCallExport3DSettings", "mnuOptExport3D" },
    Command { "cmdCallExportEDrawingsSettings", "mnuOptExportEDrawings" },
    Command { "cmdCallExportDocumentsSettings", "mnuOptExportDocuments" },
    Command { "cmdCallRunMacroSettings", "mnuOptRunMacro" },
    Command { "cmdListFilterSheetNames", "mnuOptFilter" },
    Command { "cmdPrePostEdit", "mnuOptPrePostEdit" },
    Command { "cmdAddSelected", "mnuEditAddSelected" },
    Command { "cmdAddAll", "mnuEditAddAll" },
    Command { "cmdDelSelected", "mnuEditDelSelected" },
    Command { "cmdDelAll", "mnuEditDelAll" },
};

// Option check boxes and the menu entries that mirror them.
constexpr std::array kMirrors {
    Command { "chkOpenViewOnly", "mnuEditOpenViewOnly" },
    Command { "chkOpenReadOnly", "mnuEditOpenReadOnly" },
    Command { "chkWorkWithActiveDrawing", "mnuEditWorkWithActiveDrawing" },
    Command { "chkPrintlistReverse", "mnuPrintlistReverse" },
    Command { "chkAutoConvertViews", "mnuAutoConvertViews" },
    Command { "chkSuppressWarnings", "mnuOptSuppressWarnings" },
    Command { "chkListFilterSheetNames", "mnuOptFilterActive" },
    Command { "chkPrePostUseit", "mnuOptPrePostUseit" },
    Command { "chkAuswahlNurDRW", "mnuShowOnlyDrawings" },
    Command { "chkAuswahlNurModel", "mnuShowOnlyModels" },
};

// What view-only mode switches off: everything that saves a converted file. Printing
// and macros work on a document opened for viewing.
struct ConvertingCommand {
    const char* button;
    const char* menuEntry;
    const char* toolbarKey;
};
constexpr std::array kConvertingCommands {
    ConvertingCommand { "cmdTIFF", "mnuEditTIFF", "TIF" },
    ConvertingCommand { "cmdDXF", "mnuEditDXF", "DXF" },
    ConvertingCommand { "cmdDWG", "mnuEditDWG", "DWG" },
    ConvertingCommand { "cmdExport3D", "mnuEditExport3D", "Export3D" },
    ConvertingCommand { "cmdExportEDrawings", "mnuEditExportEDrawings", "EDr" },
    ConvertingCommand { "cmdExportDocuments", "mnuEditExportDocuments", "PDF" },
};

const QColor kCyan(0, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kLightRed(255, 192, 192);

// A null colour gives the check box the background of its frame again.
void setBackground(QWidget* widget, const QColor& colour)
{
    if (!colour.isValid()) {
        widget->setAutoFillBackground(false);
        widget->setPalette(QPalette());
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

QString runMacroButtonCaption(const QString& caption, int runMacroIndex)
{
    // A caption that is only blanks up to its first blank (one this rule made from a caption
    // without a blank) keeps no head, so the caption does not grow by a blank every time.
    const qsizetype blank = caption.indexOf(QLatin1Char(' '));
    QString head = blank < 0 ? QString() : caption.left(blank + 1);
    if (head.trimmed().isEmpty())
        head.clear();
    return head + QStringLiteral(" (") + QString::number(runMacroIndex) + QLatin1Char(')');
}

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("QUORRIX -Drucken und konvertieren von Zeichnungen"));
    buildMenus();
    buildToolbar();
    buildCentral();

    m_list->bind(RowListView::rowsOf(m_printList, &engine::PrintList::rows));
    m_files->bind(RowListView::rowsOf(m_fileList, &engine::FileBrowserList::names));
    connectCommands();
    connectOptions();

    for (const QString& root : volumeRoots())
        m_drives->addItem(QDir::toNativeSeparators(root), QDir::cleanPath(root));
    setCurrentFolder(QDir::currentPath());
    applySizeLimits();
}

frmMain::~frmMain() = default;

void frmMain::connectCommands()
{
    for (const Command& command : kButtonCommands) {
        auto* button = control<QPushButton>(QLatin1String(command.control));
        QAction* entry = menuEntry(QLatin1String(command.menuEntry));
        connect(button, &QPushButton::clicked, entry, &QAction::trigger);
    }
    connect(m_favoritesButton, &QPushButton::clicked, this, [this] {
        m_favoritesMenu->popup(
            m_favoritesButton->mapToGlobal(QPoint(m_favoritesButton->width(), 0)));
    });
    connect(menuEntry(QStringLiteral("mnuQuit")), &QAction::triggered, this, &QWidget::close);

    connect(m_list, &RowListView::selectionEdited, this,
        [this] { m_listCount->setText(toQString(m_printList.countText())); });
    connect(m_drives, &QComboBox::activated, this,
        [this](int index) { chooseDrive(m_drives->itemData(index).toString()); });
    connect(m_tree, &QTreeView::clicked, this, &frmMain::folderTreeClicked);
    connect(m_tree, &QTreeView::activated, this, &frmMain::folderTreeClicked);
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, &frmMain::folderTreeChanged);
    connect(m_folders, &QFileSystemModel::layoutChanged, this, &frmMain::folderTreeChanged);
    connect(m_folders, &QFileSystemModel::rowsInserted, this, &frmMain::folderTreeChanged);
    auto userMovesTree = [this] { m_revealing = false; };
    connect(m_tree, &QTreeView::pressed, this, userMovesTree);
    connect(m_tree, &QTreeView::expanded, this, userMovesTree);
    connect(m_tree, &QTreeView::collapsed, this, userMovesTree);
    connect(m_tree->verticalScrollBar(), &QScrollBar::actionTriggered, this, userMovesTree);
}

void frmMain::connectOptions()
{
    for (const Command& mirror : kMirrors) {
        auto* check = control<QCheckBox>(QLatin1String(mirror.control));
        QAction* entry = menuEntry(QLatin1String(mirror.menuEntry));
        connect(
            check, &QCheckBox::toggled, this, [this, check](bool on) { optionToggled(check, on); });
        // The entry only asks the check box to change; the check box sets the entry's mark.
        connect(
            entry, &QAction::triggered, check, [check] { check->setChecked(!check->isChecked()); });
    }
}

void frmMain::optionToggled(QCheckBox* check, bool on)
{
    for (const Command& mirror : kMirrors)
        if (check->objectName() == QLatin1String(mirror.control))
            menuEntry(QLatin1String(mirror.menuEntry))->setChecked(on);

    const QString name = check->objectName();
    if (name == QLatin1String("chkOpenReadOnly")) {
        setBackground(check, on ? kCyan : QColor());
    } else if (name == QLatin1String("chkOpenViewOnly")) {
        setBackground(check, on ? kRed : QColor());
        setConvertingCommandsEnabled(!on);
    } else if (name == QLatin1String("chkSuppressWarnings")) {
        setBackground(check, on ? kRed : QColor());
        updatePrintListColours();
    } else if (name == QLatin1String("chkWorkWithActiveDrawing")) {
        updatePrintListColours();
    }
}

void frmMain::setConvertingCommandsEnabled(bool enabled)
{
    for (const ConvertingCommand& command : kConvertingCommands) {
        control<QPushButton>(QLatin1String(command.button))->setEnabled(enabled);
        menuEntry(QLatin1String(command.menuEntry))->setEnabled(enabled);
        toolbarButton(QLatin1String(command.toolbarKey))->setEnabled(enabled);
    }
}

void frmMain::updatePrintListColours()
{
    // The list shows at a glance that warnings are suppressed (light red) and that the
    // active document is used instead of the list (grey text).
    QPalette palette;
    if (control<QCheckBox>(QStringLiteral("chkSuppressWarnings"))->isChecked())
        palette.setColor(QPalette::Base, kLightRed);
    if (control<QCheckBox>(QStringLiteral("chkWorkWithActiveDrawing"))->isChecked())
        palette.setColor(QPalette::Text, this->palette().color(QPalette::Disabled, QPalette::Text));
    m_list->setPalette(palette);
}

void frmMain::showPrintList()
{
    m_list->refresh();
    m_listCount->setText(toQString(m_printList.countText()));
}

void frmMain::showFileList()
{
    m_files->refresh();
}

bool frmMain::setCurrentFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return false;
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    m_folder = QDir::toNativeSeparators(path);
    showDriveOf(path);

    const QString root = volumeRootOf(path);
    m_folders->setRootPath(root);
    m_tree->setRootIndex(m_folders->index(root));
    m_revealing = true;
    revealFolder();
    emit folderChanged(m_folder);
    return true;
}

void frmMain::revealFolder()
{
    const QModelIndex index = m_folders->index(QDir::fromNativeSeparators(m_folder));
    const QSignalBlocker blocker(m_tree);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
}

void frmMain::folderTreeChanged()
{
    // The tree reads and sorts folders in the background: the path to the current folder
    // can be opened and shown only as its folders arrive. Once the user works in the tree
    // it stays where the user put it.
    if (!m_revealing || m_revealQueued)
        return;
    m_revealQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_revealQueued = false;
        if (m_revealing)
            revealFolder();
    });
}

void frmMain::folderTreeClicked(const QModelIndex& index)
{
    const QString folder = QDir::toNativeSeparators(m_folders->filePath(index));
    if (!index.isValid() || folder == m_folder)
        return;
    m_folder = folder;
    emit folderChanged(m_folder);
}

bool frmMain::chooseDrive(const QString& drive)
{
    const QDir dir(drive);
    if (drive.isEmpty() || !dir.exists() || !dir.isReadable()) {
        // No words for a drive that is not ready: the list flashes and shows the drive in use.
        showDriveOf(QDir::fromNativeSeparators(m_folder));
        flashDriveList();
        return false;
    }
    if (volumeRootOf(QDir::fromNativeSeparators(m_folder)) == dir.absolutePath())
        return true;
    return setCurrentFolder(dir.absolutePath());
}

void frmMain::showDriveOf(const QString& folder)
{
    const QString root = volumeRootOf(folder);
    int index = m_drives->findData(root);
    if (index < 0) {
        m_drives->addItem(QDir::toNativeSeparators(root), root);
        index = m_drives->count() - 1;
    }
    const QSignalBlocker blocker(m_drives);
    m_drives->setCurrentIndex(index);
}

void frmMain::flashDriveList()
{
    // Red, back, red, back, red, 250 ms each, then back for good.
    constexpr int kPhases = 6;
    constexpr int kPhaseMs = 250;
    for (int phase = 0; phase < kPhases; ++phase)
        QTimer::singleShot(phase * kPhaseMs, this,
            [this, phase] { setDriveListRed(phase % 2 == 0 && phase < kPhases - 1); });
}

void frmMain::setDriveListRed(bool red)
{
    setBackground(m_drives, red ? kRed : QColor());
}

void frmMain::RunMacroButtonLabel(const engine::Settings& settings)
{
    auto* runMacro = control<QPushButton>(QStringLiteral("cmdRunMacro"));
    runMacro->setText(runMacroButtonCaption(runMacro->text(), settings.RunMacroIndex));
    control<QCheckBox>(QStringLiteral("chkPrePostUseit"))
        ->setText(QString::number(settings.PrePostIndex));
    control<QCheckBox>(QStringLiteral("chkListFilterSheetNames"))
        ->setText(QString::number(settings.FilterNameIndex));
}

int frmMain::twipsToPixelsX(int twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0);
}

int frmMain::twipsToPixelsY(int twips) const
{
    return qRound(twips * logicalDpiY() / 1440.0);
}

void frmMain::showEvent(QShowEvent* event)
{
    // The screen the window opens on decides the logical DPI.
    applySizeLimits();
    QMainWindow::showEvent(event);
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit activated();
}

void frmMain::setRunning(bool running)
{
    if (running == m_running)
        return;
    m_running = running;
    centralWidget()->setEnabled(!running);
    if (running) {
        for (QAction* command : findChildren<QAction*>())
            if (command->isEnabled() && !command->menu()) {
                m_pausedCommands.append(command);
                command->setEnabled(false);
            }
        return;
    }
    for (const QPointer<QAction>& command : std::as_const(m_pausedCommands))
        if (command)
            command->setEnabled(true);
    m_pausedCommands.clear();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (m_running) {
        // Cancel ends a run; the window stays until it has.
        event->ignore();
        return;
    }
    emit unloading();
    QMainWindow::closeEvent(event);
}

} // namespace quorrix::gui
