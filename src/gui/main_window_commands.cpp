#include "gui/main_window_commands.h"

#include <cstdlib>

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>

#include "engine/printlist/print_list.h"
#include "engine/run/batch_run.h"
#include "engine/run/multi_job.h"
#include "engine/run/program_start.h"
#include "engine/run/run_thread.h"
#include "engine/settings/language_files.h"
#include "engine/settings/settings_file.h"
#include "engine/settings/shell_execute.h"
#include "engine/settings/windows_handling.h"
#include "engine/swlink/sw_versions.h"
#include "gui/file_dialogs.h"
#include "gui/frm_main.h"
#include "gui/frm_progress.h"
#include "gui/main_window_dialogs.h"
#include "gui/message_boxes.h"
#include "gui/qt_language_form.h"
#include "gui/qt_text.h"
#include "gui/window_thread.h"

namespace quorrix::gui {

namespace {

// The menu entries of the runs and their action codes.
struct RunCommand {
    const char* menuEntry;
    const char* action;
};
constexpr RunCommand kRuns[] = {
    { "mnuEditPrint", "Plot" },
    { "mnuEditTIFF", "TIFF" },
    { "mnuEditDXF", "DXF" },
    { "mnuEditDWG", "DWG" },
    { "mnuEditExport3D", "EXPORT3D" },
    { "mnuEditExportDocuments", "EXPORTDOC" },
    { "mnuEditExportEDrawings", "EXPORTEDRAWINGS" },
    { "mnuEditRunMacro", "RUNMACRO" },
};

// The option check boxes kept in the settings record, and the value each stores when on.
struct StoredOption {
    const char* checkBox;
    const char* menuEntry;
    std::int16_t engine::Settings::*setting;
    std::int16_t onValue;
};
constexpr StoredOption kStoredOptions[] = {
    { "chkAuswahlNurDRW", "mnuShowOnlyDrawings", &engine::Settings::ShowOnlyDrawings,
        engine::kTrue },
    { "chkAuswahlNurModel", "mnuShowOnlyModels", &engine::Settings::ShowOnlyModels, engine::kTrue },
    { "chkPrintlistReverse", "mnuPrintlistReverse", &engine::Settings::PrintlistReverse,
        engine::kTrue },
    { "chkAutoConvertViews", "mnuAutoConvertViews", &engine::Settings::AutoConvertViews, 1 },
    { "chkSuppressWarnings", "mnuOptSuppressWarnings", &engine::Settings::SuppressWarnings, 1 },
    { "chkListFilterSheetNames", "mnuOptFilterActive", &engine::Settings::FilterActive, 1 },
    { "chkPrePostUseit", "mnuOptPrePostUseit", &engine::Settings::PrePostUseit, 1 },
};

// The restart submenu: its entries carry their number of documents as data.
constexpr const char* kRestartEntries[] = {
    "mnuOptShutdownEvery000Drawing",
    "mnuOptShutdownEvery050Drawing",
    "mnuOptShutdownEvery100Drawing",
    "mnuOptShutdownEvery250Drawing",
    "mnuOptShutdownEvery500Drawing",
};

// A value the submenu has no entry for (one written by hand) restarts never.
int restartEntryFor(int documents)
{
    return documents == 50 || documents == 100 || documents == 250 || documents == 500 ? documents
                                                                                       : 0;
}

constexpr const char* kLanguageEntries[] = { "mnuLngGerman", "mnuLngEnglish", "mnuLngUser" };

constexpr int kInfoTitle = 2;
constexpr int kInfoErrorTitle = 4;
constexpr int kInfoSwVersionUsed = 233;
constexpr int kInfoSettingsFilter = 17;
constexpr int kInfoSettingsTitle = 19;
constexpr int kInfoWarningsSuppressed = 90;
constexpr int kInfoWarningsNotReported = 91;
constexpr int kInfoSolidWorksNotEnded = 148;

// The window takes no commands while a run lasts, however the run ends.
class WindowRunning {
public:
    explicit WindowRunning(frmMain& window)
        : m_window(window)
    {
        m_window.setRunning(true);
    }
    ~WindowRunning() { m_window.setRunning(false); }
    WindowRunning(const WindowRunning&) = delete;
    WindowRunning& operator=(const WindowRunning&) = delete;

private:
    frmMain& m_window;
};

std::string utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace

MainWindowCommands::MainWindowCommands(
    frmMain& window, const MainWindowPorts& ports, frmProgress& progress)
    : QObject(&window)
    , m_window(window)
    , m_ports(ports)
    , m_program(ports.program)
    , m_progress(progress)
    , m_runView(progress, this)
    , m_context { m_program.settings, m_program.counters, m_program.connection, m_runView,
        m_program.language, ports.clock, ports.files, m_program.cancelFlag, m_program.defaultLines,
        m_program.pdfAddInPath }
    , m_environment { m_context, m_program.registry, ports.regional, ports.shell,
        ports.programFolder, ports.userDataFolder, {},
        [this] { onThreadOf(m_window, [this] { showProcessed(); }); },
        [this] { return m_program.cancelFlag != 0; }, [this] { solidWorksNotEnded(); },
        ports.pdfCombiner, {} }
    , m_positioned(window)
    , m_position(ports.store, "QUORRIX")
    , m_zOrder(window)
{
    engine::bindToProgramKey(m_position, m_positioned, engine::kProgramKey);
    connect(&m_window, &frmMain::folderChanged, this, [this] { fillFileList(); });
    connect(&m_window, &frmMain::activated, this,
        [this] { m_window.RunMacroButtonLabel(m_program.settings); });
    connect(&m_window, &frmMain::unloading, this, &MainWindowCommands::unload);
    connectOptions();
    connectMenuOptions();
    connectListCommands();
    connectRuns();
    connectSettingsCommands();
    connectHelp();
    m_dialogs = new MainWindowDialogs(m_window, m_ports, [this] {
        showSettings();
        showSwAppVersion();
        m_window.RunMacroButtonLabel(m_program.settings);
    });
    fillFileList();
    showProcessed();
}

MainWindowCommands::~MainWindowCommands() = default;

void MainWindowCommands::connectOptions()
{
    for (const StoredOption& option : kStoredOptions) {
        auto* check = m_window.control<QCheckBox>(QLatin1String(option.checkBox));
        connect(
            check, &QCheckBox::toggled, this, [this, check](bool on) { optionToggled(check, on); });
    }
}

void MainWindowCommands::optionToggled(QCheckBox* check, bool on)
{
    const QString name = check->objectName();
    for (const StoredOption& option : kStoredOptions)
        if (name == QLatin1String(option.checkBox))
            m_program.settings.*option.setting = on ? option.onValue : std::int16_t { 0 };

    if (name == QLatin1String("chkAuswahlNurDRW") || name == QLatin1String("chkAuswahlNurModel"))
        fillFileList();
    if (name == QLatin1String("chkSuppressWarnings") && on && !m_quietOptions) {
        engine::clsMultiLanguage& texts = m_program.language;
        m_ports.messages.show(texts.GetInfoText(kInfoWarningsSuppressed) + "\n\n"
                + texts.GetInfoText(kInfoWarningsNotReported),
            texts.GetInfoText(kInfoTitle), engine::MessageIcon::Information);
    }
}

void MainWindowCommands::connectMenuOptions()
{
    engine::Settings& settings = m_program.settings;
    connect(m_window.menuEntry(QStringLiteral("mnuAlwaysOnTop")), &QAction::toggled, this,
        [this, &settings](bool on) {
            settings.AlwaysOnTop = on ? engine::kTrue : engine::kFalse;
            engine::SetAlwaysOnTop(m_zOrder, on);
        });
    connect(m_window.menuEntry(QStringLiteral("mnuOptShutdownWhenDone")), &QAction::toggled, this,
        [&settings](bool on) { settings.ShutdownWhenDone = on ? engine::kTrue : engine::kFalse; });
    for (const char* name : kRestartEntries) {
        QAction* entry = m_window.menuEntry(QLatin1String(name));
        connect(entry, &QAction::triggered, this,
            [this, entry] { setRestartEntry(entry->data().toInt()); });
    }
    for (int language = 0; language < 3; ++language)
        connect(m_window.menuEntry(QLatin1String(kLanguageEntries[language])), &QAction::triggered,
            this, [this, language] { switchLanguage(language); });
}

void MainWindowCommands::setRestartEntry(int documents)
{
    m_program.settings.ShutdownEveryXXDrawingValue = static_cast<std::int16_t>(documents);
    for (const char* name : kRestartEntries) {
        QAction* entry = m_window.menuEntry(QLatin1String(name));
        entry->setChecked(entry->data().toInt() == documents);
    }
}

void MainWindowCommands::switchLanguage(int language)
{
    engine::clsMultiLanguage& texts = m_program.language;
    m_program.helpFile
        = engine::SwitchLanguage(language, m_program.settings, texts, m_ports.programFolder);
    for (int entry = 0; entry < 3; ++entry)
        m_window.menuEntry(QLatin1String(kLanguageEntries[entry]))->setChecked(entry == language);
    QtLanguageForm form(m_window);
    texts.GetAllControlText(form);
    m_window.setWindowTitle(toQString(texts.GetInfoText(1)));
    m_window.RunMacroButtonLabel(m_program.settings);
    // Labels the program writes itself rather than the language file.
    showProcessed();
    showSwAppVersion();
}

void MainWindowCommands::restoreStartup()
{
    const engine::Settings stored = m_program.settings;
    const auto click
        = [this](const char* entry) { m_window.menuEntry(QLatin1String(entry))->trigger(); };
    m_quietOptions = true;
    switchLanguage(stored.Language == engine::kLanguageGerman ? engine::kLanguageGerman
            : stored.Language == engine::kLanguageUser        ? engine::kLanguageUser
                                                              : engine::kLanguageEnglish);
    if (stored.AlwaysOnTop != 0)
        click("mnuAlwaysOnTop");
    if (stored.ShowOnlyDrawings != 0)
        click("mnuShowOnlyDrawings");
    if (stored.ShowOnlyModels != 0)
        click("mnuShowOnlyModels");
    if (stored.PrintlistReverse != 0)
        click("mnuPrintlistReverse");
    // The stored value is in force from the start, so the check box shows it.
    if (stored.AutoConvertViews != 0)
        click("mnuAutoConvertViews");
    if (stored.ShutdownWhenDone != 0)
        click("mnuOptShutdownWhenDone");
    setRestartEntry(restartEntryFor(stored.ShutdownEveryXXDrawingValue));
    if (stored.FilterActive != 0)
        click("mnuOptFilterActive");
    if (stored.PrePostUseit != 0)
        click("mnuOptPrePostUseit");
    if (stored.PreviewBitmap == 1)
        click("mnuShowPreview");
    if (stored.SuppressWarnings != 0)
        click("mnuOptSuppressWarnings");
    m_quietOptions = false;

    showSwAppVersion();
    m_window.RunMacroButtonLabel(m_program.settings);
    m_window.printList().setCurrentRow(-1);
    m_window.showPrintList();
}

void MainWindowCommands::restorePosition()
{
    engine::restoreOrCenter(m_position);
}

void MainWindowCommands::showSettings()
{
    const engine::Settings stored = m_program.settings;
    m_quietOptions = true;
    for (const StoredOption& option : kStoredOptions)
        m_window.control<QCheckBox>(QLatin1String(option.checkBox))
            ->setChecked(stored.*option.setting != 0);
    m_window.menuEntry(QStringLiteral("mnuAlwaysOnTop"))->setChecked(stored.AlwaysOnTop != 0);
    m_window.menuEntry(QStringLiteral("mnuOptShutdownWhenDone"))
        ->setChecked(stored.ShutdownWhenDone != 0);
    m_quietOptions = false;
    // The check boxes store their own values; keep the ones the file gave (-1 or 1).
    for (const StoredOption& option : kStoredOptions)
        m_program.settings.*option.setting = stored.*option.setting;
    setRestartEntry(restartEntryFor(stored.ShutdownEveryXXDrawingValue));
    // The preview window opens or closes with the loaded option.
    QAction* preview = m_window.menuEntry(QStringLiteral("mnuShowPreview"));
    if ((stored.PreviewBitmap == 1) != preview->isChecked())
        preview->trigger();
    showSwAppVersion();
    m_window.RunMacroButtonLabel(m_program.settings);
}

void MainWindowCommands::showSwAppVersion()
{
    if (auto* label = m_window.control<QLabel>(QStringLiteral("lblSwAppVersionUsed")))
        label->setText(toQString(m_program.language.GetInfoText(kInfoSwVersionUsed) + " "
            + engine::SwAppVersionName(m_program.settings.UseSolidWorksVersion)));
}

engine::MainWindowFlags MainWindowCommands::flags() const
{
    const auto ticked = [this](const char* name) -> std::int16_t {
        const auto* check = m_window.control<QCheckBox>(QLatin1String(name));
        return check && check->isChecked() ? 1 : 0;
    };
    return { ticked("chkOpenReadOnly"), ticked("chkOpenViewOnly"),
        ticked("chkWorkWithActiveDrawing") };
}

void MainWindowCommands::fillFileList()
{
    const auto ticked = [this](const char* name) {
        const auto* check = m_window.control<QCheckBox>(QLatin1String(name));
        return check && check->isChecked();
    };
    const engine::BrowserFilter filter { ticked("chkAuswahlNurDRW"), ticked("chkAuswahlNurModel") };
    m_window.fileList().fill(
        m_ports.files, utf8(m_window.currentFolder()), filter, m_ports.regional);
    m_window.showFileList();
}

void MainWindowCommands::connectListCommands()
{
    engine::PrintList& list = m_window.printList();
    const auto on = [this](const char* entry, auto handler) {
        if (QAction* action = m_window.menuEntry(QLatin1String(entry)))
            connect(action, &QAction::triggered, this, handler);
    };
    const auto onButton = [this](const char* button, auto handler) {
        if (auto* push = m_window.control<QPushButton>(QLatin1String(button)))
            connect(push, &QPushButton::clicked, this, handler);
    };
    on("mnuEditAddSelected", [this, &list] {
        tellNotAdded(m_ports, list.addSelected(m_window.fileList()));
        m_window.showFileList();
        m_window.showPrintList();
    });
    on("mnuEditAddAll", [this, &list] {
        tellNotAdded(m_ports, list.addAll(m_window.fileList()));
        m_window.showPrintList();
    });
    on("mnuEditDelSelected", [this, &list] {
        list.removeSelected();
        m_window.showPrintList();
    });
    on("mnuEditDelAll", [this, &list] {
        list.removeAll();
        m_window.showPrintList();
    });
    onButton("cmdListSelectedUp", [this, &list] {
        list.moveSelectedUp();
        m_window.showPrintList();
    });
    onButton("cmdListSelectedDown", [this, &list] {
        list.moveSelectedDown();
        m_window.showPrintList();
    });
    onButton("cmdListSelectedTop", [this, &list] {
        list.moveSelectedToTop();
        m_window.showPrintList();
    });
    onButton("cmdListSelectedBottom", [this, &list] {
        list.moveSelectedToBottom();
        m_window.showPrintList();
    });
    onButton("cmdListSortUp", [this, &list] {
        list.sortAscending(m_ports.regional);
        m_window.showPrintList();
    });
    onButton("cmdListSortDown", [this, &list] {
        list.sortDescending(m_ports.regional);
        m_window.showPrintList();
    });
}

void MainWindowCommands::connectRuns()
{
    for (const RunCommand& run : kRuns) {
        if (QAction* action = m_window.menuEntry(QLatin1String(run.menuEntry))) {
            const QString code = QLatin1String(run.action);
            connect(action, &QAction::triggered, this, [this, code] { runAction(code); });
        }
    }
    if (QAction* multiJob = m_window.menuEntry(QStringLiteral("mnuMultiJobExecute"))) {
        connect(multiJob, &QAction::triggered, this, [this] {
            if (m_window.isRunning())
                return;
            m_environment.flags = flags();
            const WindowRunning running(m_window);
            // The window keeps showing its list while the run's thread works on a copy.
            engine::PrintList list = m_window.printList();
            runOnOwnThread([this, &list] { return engine::RunMultiJob(m_environment, list); });
            m_window.printList() = std::move(list);
            m_window.showPrintList();
            // A multi-job may load settings files; the window shows what is in force again.
            showSettings();
        });
    }
}

engine::RunReport MainWindowCommands::runAction(const QString& action)
{
    if (m_window.isRunning())
        return {};
    m_environment.flags = flags();
    // The run keeps its own copy of the rows it works through.
    const std::vector<std::string> rows = m_window.printList().rows();
    const WindowRunning running(m_window);
    return runOnOwnThread([this, &action, &rows] {
        return engine::RunActionCommand(m_environment, utf8(action), rows);
    });
}

engine::RunReport MainWindowCommands::runOnOwnThread(const std::function<engine::RunReport()>& run)
{
    QEventLoop loop;
    engine::RunThread thread(m_program.connection, run,
        [&loop] { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); });
    loop.exec();
    return thread.wait();
}

// Called on the watchdog's thread: the run's thread is held by a call that may never return
// and owns what a new run would need, so the program can only tell the user and end.
void MainWindowCommands::solidWorksNotEnded()
{
    QMetaObject::invokeMethod(
        &m_window,
        [this] {
            m_ports.messages.show(m_program.language.GetInfoText(kInfoSolidWorksNotEnded),
                m_program.language.GetInfoText(kInfoErrorTitle), engine::MessageIcon::Critical);
            std::_Exit(EXIT_FAILURE);
        },
        Qt::QueuedConnection);
}

void MainWindowCommands::showProcessed()
{
    if (auto* label = m_window.control<QLabel>(QStringLiteral("lblProcessed")))
        label->setText(QString::fromStdString(engine::processedLabelText(m_context)));
}

void MainWindowCommands::connectSettingsCommands()
{
    connect(m_window.menuEntry(QStringLiteral("mnuSaveSettings")), &QAction::triggered, this,
        [this] { m_program.registry.SaveRegistrySettings(m_program.settings); });

    const auto request = [this](FileDialogKind kind) {
        FileDialogRequest dialog;
        dialog.kind = kind;
        dialog.title = m_program.language.GetInfoText(kInfoSettingsTitle);
        dialog.filter = m_program.language.GetInfoText(kInfoSettingsFilter);
        dialog.filterIndex = 1;
        return dialog;
    };
    connect(m_window.menuEntry(QStringLiteral("mnuSaveSettingsFile")), &QAction::triggered, this,
        [this, request] {
            const auto chosen = m_ports.fileDialogs.saveFile(request(FileDialogKind::Save));
            if (!chosen)
                return;
            engine::SettingsFiles files(m_program.language, m_ports.messages, m_ports.regional);
            files.SaveNewSettingsFile(chosen->path, m_program.settings, m_ports.clock.now());
        });
    connect(m_window.menuEntry(QStringLiteral("mnuLoadSettingsFile")), &QAction::triggered, this,
        [this, request] {
            const auto chosen = m_ports.fileDialogs.openFile(request(FileDialogKind::Open));
            if (!chosen)
                return;
            engine::SettingsFiles files(m_program.language, m_ports.messages, m_ports.regional);
            files.LoadSettingsFile(chosen->path, false, m_program.settings);
            showSettings();
        });
}

void MainWindowCommands::connectHelp()
{
    const auto owner = [this] { return static_cast<engine::NativeWindow>(m_window.winId()); };
    const auto tellIfNotOpened = [this](std::int32_t result, const std::string& path) {
        engine::clsMultiLanguage& texts = m_program.language;
        const std::string text = engine::OpenFailureText(texts, result, path);
        if (!text.empty())
            m_ports.messages.show(
                text, texts.GetInfoText(kInfoErrorTitle), engine::MessageIcon::Critical);
    };
    const auto openDocument = [this, owner, tellIfNotOpened](const char* baseName) {
        engine::CShellExecute shell(m_ports.shell);
        const int language = m_program.settings.Language;
        tellIfNotOpened(engine::OpenTextDocument(baseName, language, m_ports.programFolder, shell,
                            owner(), utf8(QDir::currentPath())),
            engine::TextDocumentPath(m_ports.programFolder, baseName, language));
    };
    connect(m_window.menuEntry(QStringLiteral("mnuHlpReadMe")), &QAction::triggered, this,
        [openDocument] { openDocument("readme"); });
    connect(m_window.menuEntry(QStringLiteral("mnuHelpChanges")), &QAction::triggered, this,
        [openDocument] { openDocument("changes"); });
    // The help of the language; where there is no help file (no compiled help outside
    // Windows), the read-me of the language.
    connect(m_window.menuEntry(QStringLiteral("mnuHlpContent")), &QAction::triggered, this,
        [this, owner, openDocument, tellIfNotOpened] {
            const std::string& help = m_program.helpFile;
            if (m_ports.files.isPlainFile(help))
                tellIfNotOpened(engine::ShellOpen(m_ports.shell, owner(), help), help);
            else
                openDocument("readme");
        });
}

void MainWindowCommands::unload()
{
    // Errors here must not keep the window from closing.
    m_position.SaveForm();
    m_program.registry.SaveProcessedCounters(m_program.counters);
}

} // namespace quorrix::gui
