#include "gui/frm_export_3d_options.h"
#include "ui_frm_export_3d_options.h"

#include "engine/actions/export_model_3d.h"
#include "engine/settings/settings.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 82;

} // namespace

frmExport3DOptions::frmExport3DOptions(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmExport3DOptions", kTitleInfoText, { 5355, 2595 }, ports, parent)
    , m_ui(std::make_unique<Ui::frmExport3DOptions>())
{
    m_ui->setupUi(this);
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();

    const engine::Settings& current = settings();
    for (const engine::ExportFormat& format : engine::kExport3DFormats)
        m_ui->cmbExportType->addItem(QString::fromUtf8(format.description));
    m_ui->cmbExportType->setCurrentIndex(
        engine::formatIndex(engine::kExport3DFormats, current.ThreeDSaveFormat));
    m_ui->chkTS_SaveInDocFolder->setChecked(current.ThreeDSaveInModelFolder == 1);
    m_ui->txtTS_SaveDirectory->setText(toQString(current.ThreeDSaveFolder));
    connectFolderFrame(
        m_ui->chkTS_SaveInDocFolder, m_ui->txtTS_SaveDirectory, m_ui->cmdTS_ChooseSaveDirectory);
}

frmExport3DOptions::~frmExport3DOptions() = default;

bool frmExport3DOptions::apply()
{
    warnIfFolderMissing(m_ui->txtTS_SaveDirectory);
    engine::Settings& target = settings();
    target.ThreeDSaveInModelFolder = m_ui->chkTS_SaveInDocFolder->isChecked() ? 1 : 0;
    target.ThreeDSaveFolder = toStdString(m_ui->txtTS_SaveDirectory->text());
    target.ThreeDSaveFormat = engine::chosenExtension(
        engine::kExport3DFormats, m_ui->cmbExportType->currentIndex(), target.ThreeDSaveFormat);
    return true;
}

} // namespace quorrix::gui
