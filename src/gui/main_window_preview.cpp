#include "gui/main_window_preview.h"

#include <QAction>

#include "engine/run/program_start.h"
#include "engine/swlink/document_manager.h"
#include "gui/frm_main.h"
#include "gui/frm_main_list_view.h"
#include "gui/frm_preview_bitmap.h"

namespace quorrix::gui {

namespace {

constexpr const char* kToggleEntry = "mnuShowPreview";
constexpr std::int16_t kPreviewOn = 1;
constexpr std::int16_t kPreviewOff = 0;

} // namespace

MainWindowPreview::MainWindowPreview(frmMain& window, const MainWindowPorts& ports)
    : QObject(&window)
    , m_window(window)
    , m_ports(ports)
    // A child of the main window, so it goes with it, yet a window of its own (it sets the
    // window flag itself).
    , m_preview(new frmPreviewBitmap(ports.documentManager, engine::kDocumentManagerAccessString,
          ports.store, ports.messages, &window))
{
    // triggered reports the entry's new check state; the toolbar key follows the entry.
    connect(m_window.menuEntry(QLatin1String(kToggleEntry)), &QAction::triggered, this,
        &MainWindowPreview::toggled);
    connect(m_preview, &frmPreviewBitmap::closedByUser, this, &MainWindowPreview::closedByUser);
    if (auto* files = m_window.control<RowListView>(QStringLiteral("lstAuswahl")))
        connect(files, &RowListView::rowClicked, this, &MainWindowPreview::fileRowClicked);
    if (auto* list = m_window.control<RowListView>(QStringLiteral("lstPrintliste")))
        connect(list, &RowListView::rowClicked, this, &MainWindowPreview::printListRowClicked);
    // Quit closes the main window, so this also unloads the preview when the user quits.
    connect(&m_window, &frmMain::unloading, this, &MainWindowPreview::unload);
}

MainWindowPreview::~MainWindowPreview() = default;

void MainWindowPreview::toggled(bool on)
{
    m_ports.program.settings.PreviewBitmap = on ? kPreviewOn : kPreviewOff;
    if (!m_preview)
        return;
    if (on)
        m_preview->show();
    else
        m_preview->unload();
}

void MainWindowPreview::closedByUser()
{
    // Closing the window switches the option off: clicks would otherwise read previews for a
    // window nobody sees.
    m_ports.program.settings.PreviewBitmap = kPreviewOff;
    m_window.menuEntry(QLatin1String(kToggleEntry))->setChecked(false);
}

bool MainWindowPreview::isOn() const
{
    // A settings file can set the option without opening the window; only an open window
    // takes previews.
    return m_ports.program.settings.PreviewBitmap == kPreviewOn && m_preview
        && m_preview->isLoaded();
}

void MainWindowPreview::fileRowClicked(int row)
{
    const engine::FileBrowserList& files = m_window.fileList();
    if (isOn() && row >= 0 && row < files.count())
        m_preview->SWXShowPreviewBitmap(files.fullPath(row));
}

void MainWindowPreview::printListRowClicked(int row)
{
    const engine::PrintList& list = m_window.printList();
    if (isOn() && row >= 0 && row < list.count())
        m_preview->SWXShowPreviewBitmap(list.row(row));
}

void MainWindowPreview::unload()
{
    if (m_preview)
        m_preview->unload();
}

} // namespace quorrix::gui
