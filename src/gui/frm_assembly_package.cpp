#include "gui/frm_assembly_package.h"
#include "ui_frm_assembly_package.h"

#include <QFileInfo>

#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 250;

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

    // The name says which assembly it is; the whole path would make the window as wide.
    const QString path = toQString(assembly);
    m_ui->lblAssemblyFile->setText(QFileInfo(path).fileName());
    m_ui->lblAssemblyFile->setToolTip(path);
    (proposed.models ? m_ui->optAddModels : m_ui->optAddDrawings)->setChecked(true);
    m_ui->chkEveryOccurrence->setChecked(proposed.everyOccurrence);
    // The keys move between the two choices; the chosen one takes the focus.
    (proposed.models ? m_ui->optAddModels : m_ui->optAddDrawings)->setFocus();
}

frmAssemblyPackage::~frmAssemblyPackage() = default;

bool frmAssemblyPackage::apply()
{
    m_choice.models = m_ui->optAddModels->isChecked();
    m_choice.everyOccurrence = m_ui->chkEveryOccurrence->isChecked();
    return true;
}

} // namespace quorrix::gui
