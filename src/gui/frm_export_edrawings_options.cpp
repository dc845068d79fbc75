#include "gui/frm_export_edrawings_options.h"
#include "ui_frm_export_edrawings_options.h"

#include <array>

#include "engine/settings/settings.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 83;

struct CheckedOption {
    QCheckBox* box;
    std::int16_t engine::Settings::*setting;
};

// The options shown as check boxes; the export takes each as on only when it is 1.
std::array<CheckedOption, 6> checkedOptions(const Ui::frmExportEDrawingsOptions& ui)
{
    using S = engine::Settings;
    return { {
        { ui.chkEDrawingsMeasure, &S::EDrawingsMeasure },
        { ui.chkEDRCompress, &S::EDrawingsCompress },
        { ui.chkEDRSave2STL, &S::EDrawingsSave2STL },
        { ui.chkEDRSaveShaded, &S::EDrawingsSaveShaded },
        { ui.chkEDRProUseSheetnameFiter, &S::EDrawingsProUseSheetnameFilter },
        { ui.chkTS_SaveInDocFolder, &S::EDrawingsSaveInModelFolder },
    } };
}

} // namespace

frmExportEDrawingsOptions::frmExportEDrawingsOptions(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmExportEDrawingsOptions", kTitleInfoText, { 5355, 4770 }, ports, parent)
    , m_ui(std::make_unique<Ui::frmExportEDrawingsOptions>())
{
    m_ui->setupUi(this);
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();

    const engine::Settings& current = settings();
    for (const CheckedOption& option : checkedOptions(*m_ui))
        option.box->setChecked(current.*option.setting == 1);
    m_ui->txtTS_SaveDirectory->setText(toQString(current.EDrawingsSaveFolder));
    connectFolderFrame(
        m_ui->chkTS_SaveInDocFolder, m_ui->txtTS_SaveDirectory, m_ui->cmdTS_ChooseSaveDirectory);
}

frmExportEDrawingsOptions::~frmExportEDrawingsOptions() = default;

bool frmExportEDrawingsOptions::apply()
{
    warnIfFolderMissing(m_ui->txtTS_SaveDirectory);
    engine::Settings& target = settings();
    for (const CheckedOption& option : checkedOptions(*m_ui))
        target.*option.setting = option.box->isChecked() ? 1 : 0;
    target.EDrawingsSaveFolder = toStdString(m_ui->txtTS_SaveDirectory->text());
    return true;
}

} // namespace quorrix::gui
