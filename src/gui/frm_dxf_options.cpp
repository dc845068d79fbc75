#include "gui/frm_dxf_options.h"
#include "ui_frm_dxf_options.h"

#include "engine/settings/settings.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 8;
constexpr const char* kNamingOptions = "optTS_SaveAsTitleName";

} // namespace

frmDXFOptions::frmDXFOptions(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmDXFOptions", kTitleInfoText, { 5355, 5000 }, ports, parent)
    , m_ui(std::make_unique<Ui::frmDXFOptions>())
{
    m_ui->setupUi(this);
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();
    setOptionCaptions(kNamingOptions, { 15, 16, 18 });

    const engine::Settings& current = settings();
    m_ui->chkTS_SaveInDocFolder->setChecked(current.DXFSaveInDrawingFolder != 0);
    m_ui->txtTS_SaveDirectory->setText(toQString(current.DXFSaveFolder));
    checkOption(kNamingOptions, current.DXFSaveFullPathName);
    m_ui->chkSWXMultiDXF->setChecked(current.DXFSWXMultiDXF != 0);
    connectFolderFrame(
        m_ui->chkTS_SaveInDocFolder, m_ui->txtTS_SaveDirectory, m_ui->cmdTS_ChooseSaveDirectory);
}

frmDXFOptions::~frmDXFOptions() = default;

bool frmDXFOptions::apply()
{
    warnIfFolderMissing(m_ui->txtTS_SaveDirectory);
    engine::Settings& target = settings();
    target.DXFSaveInDrawingFolder = m_ui->chkTS_SaveInDocFolder->isChecked() ? 1 : 0;
    target.DXFSaveFolder = toStdString(m_ui->txtTS_SaveDirectory->text());
    target.DXFSaveFullPathName = static_cast<std::int16_t>(checkedOption(kNamingOptions));
    target.DXFSWXMultiDXF = m_ui->chkSWXMultiDXF->isChecked() ? 1 : 0;
    return true;
}

} // namespace quorrix::gui
