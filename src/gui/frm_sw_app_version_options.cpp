#include "gui/frm_sw_app_version_options.h"
#include "ui_frm_sw_app_version_options.h"

#include <algorithm>

#include "engine/run/program_start.h"
#include "engine/settings/settings.h"
#include "engine/swlink/sw_versions.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 89;
constexpr int kInfoNoVersionRegistered = 191;

} // namespace

frmSwAppVersionOptions::frmSwAppVersionOptions(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmSwAppVersionOptions", kTitleInfoText, { 5355, 0 }, ports, parent)
    , m_ui(std::make_unique<Ui::frmSwAppVersionOptions>())
{
    m_ui->setupUi(this);
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();

    const engine::SwAppVersionChoice choice = engine::InstalledSwAppVersions(
        ports.program.connection.connector(), settings().UseSolidWorksVersion);
    for (const std::string& name : choice.names)
        m_ui->cmbSwAppVersion->addItem(toQString(name));
    m_ui->cmbSwAppVersion->setCurrentIndex(choice.selected);
    const bool none = choice.names.empty();
    m_ui->cmbSwAppVersion->setEnabled(!none);
    m_ui->lblSwAppVersionNone->setText(
        none ? toQString(info(kInfoNoVersionRegistered)) : QString());
    m_ui->lblSwAppVersionNone->setVisible(none);
    m_ui->txtDocumentTimeLimit->setValue(
        std::clamp(settings().DocumentTimeLimit, 0, m_ui->txtDocumentTimeLimit->maximum()));
}

frmSwAppVersionOptions::~frmSwAppVersionOptions() = default;

bool frmSwAppVersionOptions::apply()
{
    settings().DocumentTimeLimit = m_ui->txtDocumentTimeLimit->value();
    // With nothing registered there is nothing to choose, and the version the user set
    // before stays for the day SolidWorks is installed again.
    if (m_ui->cmbSwAppVersion->count() == 0)
        return true;
    settings().UseSolidWorksVersion
        = engine::SwAppVersionSuffixForName(toStdString(m_ui->cmbSwAppVersion->currentText()));
    return true;
}

} // namespace quorrix::gui
