#include "gui/frm_assembly_package.h"
#include "ui_frm_assembly_package.h"

#include <QFileInfo>

#include "engine/settings/settings.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 250;
constexpr const char* kAddWhat = "optAddWhat"; // 0 the drawings, 1 the models

} // namespace

frmAssemblyPackage::frmAssemblyPackage(const MainWindowPorts& ports, const std::string& assembly,
    AssemblyPackageChoice proposed, QWidget* parent)
    : OptionDialog("frmAssemblyPackage", kTitleInfoText, {}, ports, parent)
    , m_ui(std::make_unique<Ui::frmAssemblyPackage>())
    , m_choice(proposed)
{
    m_ui->setupUi(this);
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();
    setOptionCaptions(kAddWhat, { 262, 263 });

    // The name says which assembly it is; the whole path would make the window as wide.
    const QString path = toQString(assembly);
    m_ui->lblAssemblyFile->setText(QFileInfo(path).fileName());
    m_ui->lblAssemblyFile->setToolTip(path);
    const int chosen = proposed.models ? 1 : 0;
    checkOption(kAddWhat, chosen);
    m_ui->chkEveryOccurrence->setChecked(proposed.everyOccurrence);
    m_ui->txtSearchFolders->setText(toQString(settings().DrawingSearchFolders));
    (chosen == 1 ? m_ui->optAddWhat_1 : m_ui->optAddWhat_0)->setFocus();
}

frmAssemblyPackage::~frmAssemblyPackage() = default;

bool frmAssemblyPackage::apply()
{
    m_choice.models = checkedOption(kAddWhat) == 1;
    m_choice.everyOccurrence = m_ui->chkEveryOccurrence->isChecked();
    // The folders are a setting: kept for the next assembly and saved with the others.
    settings().DrawingSearchFolders = toStdString(m_ui->txtSearchFolders->text().trimmed());
    return true;
}

} // namespace quorrix::gui
