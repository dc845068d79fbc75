#include "gui/main_window_commands.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "engine/printlist/print_list.h"
#include "engine/run/batch_run.h"
#include "engine/run/multi_job.h"
#include "engine/run/program_start.h"
#include "gui/frm_main.h"
#include "gui/frm_progress.h"
#include "gui/message_boxes.h"

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

std::string utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace

MainWindowCommands::MainWindowCommands(frmMain& window, engine::Program& program,
    engine::FileSystem& files, engine::Clock& clock, const engine::RegionalFormat& regional,
    engine::Shell& shell, MessageBoxes& messages, frmProgress& progress,
    const std::string& programFolder, const std::string& userDataFolder)
    : QObject(&window)
    , m_window(window)
    , m_program(program)
    , m_files(files)
    , m_regional(regional)
    , m_messages(messages)
    , m_progress(progress)
    , m_context { program.settings, program.counters, program.connection, progress,
        program.language, clock, files, program.cancelFlag, program.defaultLines,
        program.pdfAddInPath }
    , m_environment { m_context, program.registry, regional, shell, programFolder, userDataFolder,
        {}, [this] { showProcessed(); } }
{
    connect(&m_window, &frmMain::folderChanged, this, [this] { fillFileList(); });
    // The browser's two filters start as stored and are stored as flags when switched.
    const std::pair<const char*, engine::FlagInt*> filters[] = {
        { "chkAuswahlNurDRW", &program.settings.ShowOnlyDrawings },
        { "chkAuswahlNurModel", &program.settings.ShowOnlyModels },
    };
    for (const auto& [name, flag] : filters) {
        auto* check = m_window.control<QCheckBox>(QLatin1String(name));
        if (check == nullptr)
            continue;
        check->setChecked(*flag != 0);
        connect(check, &QCheckBox::toggled, this, [this, flag = flag](bool on) {
            *flag = on ? engine::kTrue : engine::kFalse;
            fillFileList();
        });
    }
    connectListCommands();
    connectRuns();
    fillFileList();
    showProcessed();
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
    m_window.fileList().fill(m_files, utf8(m_window.currentFolder()), filter, m_regional);
    m_window.showFileList();
}

void MainWindowCommands::tellNotAdded(const std::vector<std::string>& notAdded)
{
    if (notAdded.empty())
        return;
    m_messages.show(engine::notAddedMessage(
                        m_program.language.GetInfoText(engine::kInfoPrintListFull), notAdded),
        m_program.language.GetInfoText(2), engine::MessageIcon::Information);
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
        tellNotAdded(list.addSelected(m_window.fileList()));
        m_window.showFileList();
        m_window.showPrintList();
    });
    on("mnuEditAddAll", [this, &list] {
        tellNotAdded(list.addAll(m_window.fileList()));
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
        list.sortAscending(m_regional);
        m_window.showPrintList();
    });
    onButton("cmdListSortDown", [this, &list] {
        list.sortDescending(m_regional);
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
            m_environment.flags = flags();
            engine::RunMultiJob(m_environment, m_window.printList());
            m_window.showPrintList();
        });
    }
}

engine::RunReport MainWindowCommands::runAction(const QString& action)
{
    m_environment.flags = flags();
    return engine::RunActionCommand(m_environment, utf8(action), m_window.printList().rows());
}

void MainWindowCommands::showProcessed()
{
    if (auto* label = m_window.control<QLabel>(QStringLiteral("lblProcessed")))
        label->setText(QString::fromStdString(engine::processedLabelText(m_context)));
}

} // namespace quorrix::gui
