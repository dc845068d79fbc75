#include "gui/main_window_dialogs.h"

#include <QAction>
#include <QDialog>

#include "gui/frm_about.h"
#include "gui/frm_dxf_options.h"
#include "gui/frm_export_3d_options.h"
#include "gui/frm_export_documents.h"
#include "gui/frm_export_edrawings_options.h"
#include "gui/frm_list_filter.h"
#include "gui/frm_main.h"
#include "gui/frm_multijob_settings.h"
#include "gui/frm_pre_post_filenames.h"
#include "gui/frm_printer_settings.h"
#include "gui/frm_run_macro_settings.h"
#include "gui/frm_sw_app_version_options.h"
#include "gui/frm_tiff_options.h"

namespace quorrix::gui {

namespace {

using MakeDialog = QDialog* (*)(const MainWindowPorts& ports, QWidget* parent);

template <typename Dialog> QDialog* make(const MainWindowPorts& ports, QWidget* parent)
{
    return new Dialog(ports, parent);
}

// The menu entry of each option window, the window's name and whether it blocks the main
// window while it is open.
struct WindowEntry {
    const char* menuEntry;
    const char* name;
    bool modal;
    MakeDialog make;
};
const WindowEntry kWindows[] = {
    { "mnuOptPrint", "frmPrinterSettings", false, &make<frmPrinterSettings> },
    { "mnuOptTIFF", "frmTIFFOptions", true, &make<frmTIFFOptions> },
    { "mnuOptDXF", "frmDXFOptions", true, &make<frmDXFOptions> },
    { "mnuOptRunMacro", "frmRunMacroSettings", true, &make<frmRunMacroSettings> },
    { "mnuMultiJobSettings", "frmMultijobSettings", true, &make<frmMultijobSettings> },
    { "mnuOptSwAppVersion", "frmSwAppVersionOptions", true, &make<frmSwAppVersionOptions> },
    { "mnuHelpAbout", "frmAbout", true, &make<frmAbout> },
    { "mnuOptExport3D", "frmExport3DOptions", true, &make<frmExport3DOptions> },
    { "mnuOptExportEDrawings", "frmExportEDrawingsOptions", true,
        &make<frmExportEDrawingsOptions> },
    { "mnuOptExportDocuments", "frmExportDocuments", true, &make<frmExportDocuments> },
    { "mnuOptFilter", "frmListFilter", true, &make<frmListFilter> },
    { "mnuOptPrePostEdit", "frmPrePostFilenames", true, &make<frmPrePostFilenames> },
};

} // namespace

MainWindowDialogs::MainWindowDialogs(
    frmMain& window, const MainWindowPorts& ports, std::function<void()> afterOk)
    : QObject(&window)
    , m_window(window)
    , m_ports(ports)
    , m_afterOk(std::move(afterOk))
{
    for (const WindowEntry& entry : kWindows)
        connect(m_window.menuEntry(QLatin1String(entry.menuEntry)), &QAction::triggered, this,
            [this, &entry] {
                open(entry.name, entry.modal,
                    [this, &entry](QWidget* parent) { return entry.make(m_ports, parent); });
            });
}

QDialog* MainWindowDialogs::openWindow(const QString& name) const
{
    QDialog* dialog = m_window.findChild<QDialog*>(name, Qt::FindDirectChildrenOnly);
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

void MainWindowDialogs::open(
    const char* name, bool modal, const std::function<QDialog*(QWidget*)>& make)
{
    if (QDialog* existing = openWindow(QLatin1String(name))) {
        existing->raise();
        existing->activateWindow();
        return;
    }
    QDialog* dialog = make(&m_window);
    connect(dialog, &QDialog::accepted, this, [this] {
        if (m_afterOk)
            m_afterOk();
    });
    if (modal)
        dialog->open();
    else
        dialog->show();
}

} // namespace quorrix::gui
