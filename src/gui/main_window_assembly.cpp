#include "gui/main_window_assembly.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>

#include "engine/printlist/assembly_package.h"
#include "engine/printlist/print_list.h"
#include "engine/run/program_start.h"
#include "engine/swlink/document_manager.h"
#include "engine/swlink/document_type.h"
#include "engine/swlink/solidworks.h"
#include "gui/file_dialogs.h"
#include "gui/frm_main.h"
#include "gui/frm_main_list_view.h"
#include "gui/message_boxes.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr const char* kEntry = "mnuEditAddAssembly";

constexpr int kInfoTitle = 250;
constexpr int kInfoChooseTitle = 251;
constexpr int kInfoFilter = 252;
constexpr int kInfoWithoutDrawing = 253;
constexpr int kInfoMissing = 254;
constexpr int kInfoNamedIn = 255;
constexpr int kInfoCycles = 256;
constexpr int kInfoUnreadable = 257;
constexpr int kInfoOpenError = 258;
constexpr int kInfoNoConfiguration = 259;
constexpr int kInfoNoDocumentManager = 260;

std::string fileName(const std::string& path)
{
    return toStdString(QFileInfo(toQString(path)).fileName());
}

std::string unreadableLine(engine::clsMultiLanguage& texts, const engine::UnreadableAssembly& item)
{
    using Reason = engine::UnreadableAssembly::Reason;
    std::string why;
    switch (item.reason) {
    case Reason::OpenError:
        why = texts.GetInfoText(kInfoOpenError) + " " + std::to_string(item.code);
        break;
    case Reason::NoConfiguration:
        why = texts.GetInfoText(kInfoNoConfiguration) + " \"" + item.text + "\"";
        break;
    case Reason::AutomationError:
        why = item.text.empty() ? std::to_string(item.code) : item.text;
        break;
    }
    return item.path + " (" + why + ")";
}

// The file as the assembly names it, and which assembly that is.
std::string missingLine(engine::clsMultiLanguage& texts, const engine::MissingComponent& item)
{
    if (item.assembly.empty())
        return item.file;
    return item.file + " (" + texts.GetInfoText(kInfoNamedIn) + " " + fileName(item.assembly) + ")";
}

// A heading and its lines, the long lists cut short as for a full print list.
void addSection(
    std::string& message, const std::string& heading, const std::vector<std::string>& lines)
{
    if (lines.empty())
        return;
    if (!message.empty())
        message += "\r\n\r\n";
    message += engine::notAddedMessage(heading, lines);
}

} // namespace

std::string assemblyPackageMessage(engine::clsMultiLanguage& texts,
    const engine::AssemblyPackage& package, const std::vector<std::string>& notAdded)
{
    std::string message;
    if (package.noDocumentManager)
        message = texts.GetInfoText(kInfoNoDocumentManager);
    addSection(message, texts.GetInfoText(engine::kInfoPrintListFull), notAdded);

    std::vector<std::string> lines;
    for (const engine::MissingComponent& missing : package.missing)
        lines.push_back(missingLine(texts, missing));
    addSection(message, texts.GetInfoText(kInfoMissing), lines);

    lines.clear();
    for (const engine::UnreadableAssembly& unreadable : package.unreadable)
        lines.push_back(unreadableLine(texts, unreadable));
    addSection(message, texts.GetInfoText(kInfoUnreadable), lines);

    lines.clear();
    for (const std::vector<std::string>& cycle : package.cycles) {
        std::string line;
        for (const std::string& assembly : cycle)
            line += (line.empty() ? "" : " > ") + fileName(assembly);
        lines.push_back(line);
    }
    addSection(message, texts.GetInfoText(kInfoCycles), lines);

    // The drawings are missing beside their models, so the names say enough.
    lines.clear();
    for (const std::string& model : package.withoutDrawing)
        lines.push_back(fileName(model));
    addSection(message, texts.GetInfoText(kInfoWithoutDrawing), lines);
    return message;
}

MainWindowAssembly::MainWindowAssembly(frmMain& window, const MainWindowPorts& ports)
    : QObject(&window)
    , m_window(window)
    , m_ports(ports)
{
    connect(m_window.menuEntry(QLatin1String(kEntry)), &QAction::triggered, this,
        &MainWindowAssembly::addAssembly);
    if (auto* list = m_window.control<RowListView>(QStringLiteral("lstPrintliste")))
        connect(list, &RowListView::contextMenuWanted, this,
            [this](const QPoint& at) { m_window.printListMenu()->popup(at); });
}

MainWindowAssembly::~MainWindowAssembly() = default;

void MainWindowAssembly::addAssembly()
{
    std::string assembly = selectedAssembly();
    if (assembly.empty())
        assembly = askForAssembly();
    if (assembly.empty())
        return;

    auto* dialog = new frmAssemblyPackage(m_ports, assembly, m_choice, &m_window);
    connect(dialog, &QDialog::accepted, this, [this, dialog, assembly] {
        m_choice = dialog->choice();
        addPackage(assembly, m_choice);
    });
    dialog->open();
}

std::string MainWindowAssembly::selectedAssembly() const
{
    const auto isAssembly = [](const std::string& path) {
        return engine::GetDocTypeFromPath(path) == engine::kSwDocAssembly;
    };
    const engine::FileBrowserList& files = m_window.fileList();
    for (int row = 0; row < files.count(); ++row)
        if (files.isSelected(row) && isAssembly(files.fullPath(row)))
            return files.fullPath(row);
    const engine::PrintList& list = m_window.printList();
    for (int row = 0; row < list.count(); ++row)
        if (list.isSelected(row) && isAssembly(list.row(row)))
            return list.row(row);
    return {};
}

std::string MainWindowAssembly::askForAssembly() const
{
    engine::clsMultiLanguage& texts = m_ports.program.language;
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = texts.GetInfoText(kInfoChooseTitle);
    request.filter = texts.GetInfoText(kInfoFilter);
    request.filterIndex = 1;
    request.startFolder = toStdString(m_window.currentFolder());
    const std::optional<FileDialogResult> chosen = m_ports.fileDialogs.openFile(request);
    return chosen ? chosen->path : std::string();
}

void MainWindowAssembly::addPackage(const std::string& assembly, AssemblyPackageChoice choice)
{
    engine::AssemblyPackageOptions options;
    options.models = choice.models;
    options.everyOccurrence = choice.everyOccurrence;
    options.searchFolders
        = engine::splitSearchFolders(m_ports.program.settings.DrawingSearchFolders);

    // A large assembly takes a moment to read.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const engine::AssemblyPackage package = engine::ExpandAssembly(m_ports.documentManager,
        engine::kDocumentManagerAccessString, m_ports.files, assembly, options);
    const std::vector<std::string> notAdded = m_window.printList().insertPaths(package.documents);
    m_window.showPrintList();
    QGuiApplication::restoreOverrideCursor();

    engine::clsMultiLanguage& texts = m_ports.program.language;
    const std::string message = assemblyPackageMessage(texts, package, notAdded);
    if (message.empty())
        return;
    // Models without a drawing are a fact to know, not a fault.
    const bool onlyFacts = !package.noDocumentManager && notAdded.empty() && package.missing.empty()
        && package.unreadable.empty() && package.cycles.empty();
    m_ports.messages.show(message, texts.GetInfoText(kInfoTitle),
        onlyFacts ? engine::MessageIcon::Information : engine::MessageIcon::Exclamation);
}

} // namespace quorrix::gui
