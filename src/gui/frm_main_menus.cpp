// The menu bar and the toolbar of the main window.

#include "gui/frm_main.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <array>

#include "gui/control_array.h"
#include "gui/frm_main_icons.h"
#include "gui/qt_language_form.h"

namespace quorrix::gui {

// One menu entry: its name ("-" for a separator), its design caption and shortcut, and
// whether it carries a check mark.
struct frmMain::MenuItem {
    const char* name;
    const char* caption = "";
    QKeySequence shortcut = {};
    bool checkable = false;
};

namespace {

constexpr bool kCheckable = true;

struct ToolbarKey {
    const char* key;
    const char* menuEntry; // the command the key triggers
};

// The toolbar keys in toolbar order; nullptr stands for a separator.
constexpr std::array kToolbarKeys {
    ToolbarKey { "FileNew", "mnuNew" },
    ToolbarKey { "FileOpen", "mnuOpen" },
    ToolbarKey { "FileSaveAs", "mnuSaveAs" },
    ToolbarKey { nullptr, nullptr },
    ToolbarKey { "AddSel", "mnuEditAddSelected" },
    ToolbarKey { "AddAll", "mnuEditAddAll" },
    ToolbarKey { "DelSel", "mnuEditDelSelected" },
    ToolbarKey { "DelAll", "mnuEditDelAll" },
    ToolbarKey { nullptr, nullptr },
    ToolbarKey { "Print", "mnuEditPrint" },
    ToolbarKey { "PrintSettings", "mnuOptPrint" },
    ToolbarKey { nullptr, nullptr },
    ToolbarKey { "TIF", "mnuEditTIFF" },
    ToolbarKey { "TIFFSettings", "mnuOptTIFF" },
    ToolbarKey { "DXF", "mnuEditDXF" },
    ToolbarKey { "DXFSettings", "mnuOptDXF" },
    ToolbarKey { "DWG", "mnuEditDWG" },
    ToolbarKey { "DWGSettings", "mnuOptDXF" },
    ToolbarKey { nullptr, nullptr },
    ToolbarKey { "Export3D", "mnuEditExport3D" },
    ToolbarKey { "Export3DSettings", "mnuOptExport3D" },
    ToolbarKey { "EDr", "mnuEditExportEDrawings" },
    ToolbarKey { "EDrSettings", "mnuOptExportEDrawings" },
    ToolbarKey { "PDF", "mnuEditExportDocuments" },
    ToolbarKey { "PDFSettings", "mnuOptExportDocuments" },
    ToolbarKey { nullptr, nullptr },
    ToolbarKey { "RunMacro", "mnuEditRunMacro" },
    ToolbarKey { "RunMacroSettings", "mnuOptRunMacro" },
    ToolbarKey { nullptr, nullptr },
    ToolbarKey { "PreviewBitmap", "mnuShowPreview" },
};

// The restart submenu: entry name and the number of documents between restarts.
struct RestartEntry {
    const char* name;
    const char* caption;
    int documents;
};
constexpr std::array kRestartEntries {
    RestartEntry { "mnuOptShutdownEvery000Drawing", "nie", 0 },
    RestartEntry { "mnuOptShutdownEvery050Drawing", "alle  50 Zeichnungen", 50 },
    RestartEntry { "mnuOptShutdownEvery100Drawing", "alle 100 Zeichnungen", 100 },
    RestartEntry { "mnuOptShutdownEvery250Drawing", "alle 250 Zeichnungen", 250 },
    RestartEntry { "mnuOptShutdownEvery500Drawing", "alle 500 Zeichnungen", 500 },
};

// Menu text without its mnemonic marker, for tooltips.
QString plainText(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

} // namespace

QMenu* frmMain::addMenu(QWidget* parent, const char* name, const QString& caption)
{
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(QLatin1String(name));
    if (auto* bar = qobject_cast<QMenuBar*>(parent))
        bar->addMenu(menu);
    else if (auto* owner = qobject_cast<QMenu*>(parent))
        owner->addMenu(menu);
    return menu;
}

void frmMain::addItems(QMenu* menu, std::initializer_list<MenuItem> items)
{
    for (const MenuItem& item : items) {
        if (QLatin1String(item.name) == QLatin1String("-")) {
            menu->addSeparator();
            continue;
        }
        auto* action = new QAction(QString::fromUtf8(item.caption), this);
        action->setObjectName(QLatin1String(item.name));
        action->setShortcut(item.shortcut);
        action->setCheckable(item.checkable);
        menu->addAction(action);
    }
}

void frmMain::buildMenus()
{
    buildFileMenu();
    buildEditMenu();
    buildOptionsMenu();

    QMenu* multiJob = addMenu(menuBar(), "mnuMultiJob", QStringLiteral("MultiJob"));
    addItems(multiJob,
        {
            { "mnuMultiJobSettings", "MultiJob Einstellungen" },
            { "-" },
            { "mnuMultiJobExecute", "MultiJob ausführen" },
        });

    QMenu* help = addMenu(menuBar(), "mnuHelp", QStringLiteral("Hilfe"));
    addItems(help,
        {
            { "mnuHlpContent", "Inhalt", Qt::Key_F1 },
            { "-" },
            { "mnuHlpReadMe", "ReadMe" },
            { "mnuHelpChanges", "Änderungshistorie" },
            { "-" },
            { "mnuHelpAbout", "Über QUORRIX" },
        });

    buildFavoritesMenu();
    buildPrintListMenu();
}

void frmMain::buildFileMenu()
{
    QMenu* file = addMenu(menuBar(), "mnuFile", QStringLiteral("Datei"));
    addItems(file,
        {
            { "mnuNew", "Neu", Qt::CTRL | Qt::Key_N },
            { "mnuOpen", "Öffnen", Qt::CTRL | Qt::Key_O },
            { "mnuSaveAs", "Speichern als ...", Qt::CTRL | Qt::Key_S },
            { "-" },
            { "mnuQuit", "Ende", Qt::CTRL | Qt::Key_Q },
        });
}

void frmMain::buildEditMenu()
{
    QMenu* edit = addMenu(menuBar(), "mnuEdit", QStringLiteral("Bearbeiten"));
    addItems(edit,
        {
            { "mnuEditAddSelected", "Ausgewählte hinzufügen", Qt::CTRL | Qt::Key_Insert },
            { "mnuEditAddAll", "Alle hinzufügen", Qt::SHIFT | Qt::Key_Insert },
            { "mnuEditAddAssembly", "Zeichnungen einer Baugruppe hinzufügen ..." },
            { "mnuEditDelSelected", "Ausgewählte aus Liste entfernen", Qt::Key_Delete },
            { "mnuEditDelAll", "Alle aus Liste entfernen", Qt::SHIFT | Qt::Key_Delete },
            { "-" },
            { "mnuEditOpenViewOnly", "Öffne Dateien im Nur-Ansicht-Modus", {}, kCheckable },
            { "mnuEditOpenReadOnly", "Öffne Dateien im Nur-Lese-Modus", {}, kCheckable },
            { "mnuEditWorkWithActiveDrawing", "Drucke/Konvertiere aktives Dokument",
                Qt::CTRL | Qt::Key_A, kCheckable },
            { "-" },
            { "mnuEditPrint", "&Drucken", Qt::CTRL | Qt::Key_P },
            { "mnuEditTIFF", "&TIFF erzeugen", Qt::CTRL | Qt::Key_T },
            { "mnuEditDXF", "DX&F erzeugen", Qt::CTRL | Qt::Key_F },
            { "mnuEditDWG", "DW&G erzeugen", Qt::CTRL | Qt::Key_G },
            { "mnuEditExport3D", "3D Exportdateien erzeugen", Qt::CTRL | Qt::Key_E },
            { "mnuEditExportEDrawings", "EDrawings erzeugen" },
            { "mnuEditExportDocuments", "eingestellte Exportdateien erzeugen" },
            { "mnuEditRunMacro", "Makro ausführen" },
        });
}

void frmMain::buildOptionsMenu()
{
    QMenu* options = addMenu(menuBar(), "mnuOptions", QStringLiteral("Optionen"));
    addItems(options,
        {
            { "mnuShowOnlyDrawings", "Zeichnungen anzeigen", Qt::Key_F3, kCheckable },
            { "mnuShowOnlyModels", "Modelle anzeigen", {}, kCheckable },
            { "mnuShowPreview", "Vorschaubild zeigen", Qt::Key_F12, kCheckable },
            { "mnuPrintlistReverse", "QRX-Liste umgekehrt ausgeben", Qt::Key_F4, kCheckable },
            { "mnuAutoConvertViews", "Immer Anzeigeart \"Hohe Qualität\"", {}, kCheckable },
            { "-" },
            { "mnuOptSuppressWarnings", "Warnmeldungen unterdrücken", {}, kCheckable },
            { "-" },
            { "mnuOptSwAppVersion", "Benutze SolidWorks-Version ..." },
            { "mnuOptShutdownWhenDone", "Schließe SolidWorks nach Listenbearbeitung", {},
                kCheckable },
        });

    // Exactly one restart entry carries the check mark.
    QMenu* restart = addMenu(
        options, "mnuOptShutdownEveryXXDrawing", QStringLiteral("SolidWorks alle ... neu starten"));
    auto* restartGroup = new QActionGroup(this);
    restartGroup->setExclusive(true);
    for (const RestartEntry& entry : kRestartEntries) {
        auto* action = new QAction(QString::fromUtf8(entry.caption), restartGroup);
        action->setObjectName(QLatin1String(entry.name));
        action->setCheckable(true);
        action->setData(entry.documents);
        restart->addAction(action);
    }
    restartGroup->actions().constFirst()->setChecked(true);

    addItems(options,
        {
            { "-" },
            { "mnuOptPrint", "Druckoptionen einstellen", Qt::Key_F5 },
            { "mnuOptTIFF", "TIFF Optionen einstellen", Qt::Key_F6 },
            { "mnuOptDXF", "DXF/DWG Optionen einstellen", Qt::Key_F7 },
            { "mnuOptExport3D", "3D Export Optionen einstellen", Qt::Key_F8 },
            { "mnuOptExportEDrawings", "EDrawings Export Optionen einstellen" },
            { "mnuOptExportDocuments", "Dateityp Export Optionen einstellen" },
            { "mnuOptRunMacro", "Makro ausführen Optionen einstellen" },
            { "-" },
            { "mnuOptFilter", "Filter für Blattnamen einstellen", Qt::Key_F9 },
            { "mnuOptFilterActive", "Filter für Blattnamen benutzen", Qt::SHIFT | Qt::Key_F9,
                kCheckable },
            { "mnuOptPrePostEdit", "Pre/Postfix einstellen", Qt::Key_F11 },
            { "mnuOptPrePostUseit", "Pre/Postfix benutzen", Qt::SHIFT | Qt::Key_F11, kCheckable },
            { "-" },
        });

    QMenu* language = addMenu(options, "mnuLanguage", QStringLiteral("Sprache"));
    addItems(language,
        {
            { "mnuLngGerman", "Deutsch", {}, kCheckable },
            { "mnuLngEnglish", "Englisch", {}, kCheckable },
            { "mnuLngUser", "benutzerdefiniert", {}, kCheckable },
        });
    auto* languageGroup = new QActionGroup(this);
    for (QAction* action : language->actions())
        languageGroup->addAction(action);

    addItems(options,
        {
            { "mnuAlwaysOnTop", "Immer im Vordergrund", {}, kCheckable },
            { "-" },
            { "mnuSaveSettings", "Einstellungen speichern (User)" },
            { "mnuSaveSettingsFile", "Einstellungen speichern in Datei" },
            { "mnuLoadSettingsFile", "Einstellungen laden von Datei" },
        });
}

void frmMain::buildFavoritesMenu()
{
    // The menu bar never shows the favourites; cmdFavorites opens them as a popup.
    QMenu* favorites = addMenu(menuBar(), "mnuFavorites", QStringLiteral("Favoriten"));
    favorites->menuAction()->setVisible(false);
    m_favoritesMenu = addMenu(favorites, "mnuFavCaption", QStringLiteral("Verzeichnis Favoriten"));

    // Element 0 of the entry array: the separator above the folders, shown while there are
    // any. The folders are inserted below it at run time.
    QAction* entry0 = m_favoritesMenu->addSeparator();
    entry0->setObjectName(controlArrayMemberName(QStringLiteral("mnuFavEntry"), 0));
    entry0->setVisible(false);

    addItems(m_favoritesMenu,
        {
            { "-" },
            { "mnuFavAdd", "Favorit hinzufügen" },
            { "mnuFavDel", "Favorit löschen" },
            { "mnuFavClear", "Alle Favoriten löschen" },
            { "-" },
            { "mnuFavLoad", "Favoritenliste laden" },
            { "mnuFavSave", "Favoritenliste speichern" },
        });
}

void frmMain::buildPrintListMenu()
{
    // The print list's context menu shares its entries with the Edit menu, so the language
    // files translate them once and a run disables them in both places.
    m_printListMenu = new QMenu(this);
    m_printListMenu->addAction(menuEntry(QStringLiteral("mnuEditAddAssembly")));
}

void frmMain::buildToolbar()
{
    m_toolbar = addToolBar(QString());
    m_toolbar->setObjectName(QStringLiteral("tbarMenu"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->toggleViewAction()->setEnabled(false);
    for (const ToolbarKey& entry : kToolbarKeys) {
        if (!entry.key) {
            m_toolbar->addSeparator();
            continue;
        }
        const QString key = QLatin1String(entry.key);
        QAction* target = menuEntry(QLatin1String(entry.menuEntry));
        auto* button = new QAction(commandIcon(key, style()), plainText(target->text()), this);
        button->setObjectName(key);
        button->setData(key);
        // The preview key is a two-state button that shows whether the preview is on.
        if (target->isCheckable()) {
            button->setCheckable(true);
            connect(target, &QAction::toggled, button, &QAction::setChecked);
        }
        // The languages translate the menu entry; the key shows the entry's caption.
        button->setProperty(kUntranslatedProperty, true);
        // The tooltip is the command's caption, so it follows the language of the menus.
        connect(target, &QAction::changed, button,
            [button, target] { button->setText(plainText(target->text())); });
        m_toolbar->addAction(button);
    }
    connect(m_toolbar, &QToolBar::actionTriggered, this,
        [this](QAction* button) { tbarMenuButtonClick(button->data().toString()); });
}

void frmMain::tbarMenuButtonClick(const QString& key)
{
    for (const ToolbarKey& entry : kToolbarKeys)
        if (entry.key && key == QLatin1String(entry.key)) {
            if (QAction* target = menuEntry(QLatin1String(entry.menuEntry)))
                target->trigger();
            return;
        }
}

QAction* frmMain::menuEntry(const QString& name) const
{
    if (!name.startsWith(QLatin1String("mnu")))
        return nullptr;
    if (auto* entry = findChild<QAction*>(name))
        return entry;
    auto* menu = findChild<QMenu*>(name);
    return menu ? menu->menuAction() : nullptr;
}

QAction* frmMain::toolbarButton(const QString& key) const
{
    for (QAction* button : m_toolbar->actions())
        if (!button->isSeparator() && button->objectName() == key)
            return button;
    return nullptr;
}

} // namespace quorrix::gui
