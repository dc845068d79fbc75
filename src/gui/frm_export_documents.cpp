#include "gui/frm_export_documents.h"
#include "ui_frm_export_documents.h"

#include "engine/actions/export_document.h"
#include "engine/actions/output_naming.h"
#include "engine/run/program_start.h"
#include "gui/frm_printer_line_settings.h"
#include "gui/message_boxes.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 84;
constexpr int kInfoTitle = 2;
constexpr int kInfoBadCombinedName = 261;

// A name the combined file keeps as it is: the output naming would change any character
// Windows forbids, a dot or blank at the end and a device name.
bool isFileName(const QString& name)
{
    const std::string text = toStdString(name);
    return !text.empty() && engine::safeFileName(text) == text;
}

bool isPdf(int formatRow)
{
    return engine::chosenExtension(engine::kExportDocumentFormats, formatRow, std::string())
        == "pdf";
}

} // namespace

frmExportDocuments::frmExportDocuments(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmExportDocuments", kTitleInfoText, {}, ports, parent)
    , m_ui(std::make_unique<Ui::frmExportDocuments>())
    , m_lines(ports.program.settings.PrinterLines[engine::kPdfLineWeightSlot])
{
    m_ui->setupUi(this);
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();

    const engine::Settings& current = settings();
    for (const engine::ExportFormat& format : engine::kExportDocumentFormats)
        m_ui->cmbExportType->addItem(QString::fromUtf8(format.description));
    const int row = engine::formatIndex(engine::kExportDocumentFormats, current.ExpDocSaveFormat);
    m_ui->cmbExportType->setCurrentIndex(row);
    followFormat(row);
    connect(m_ui->cmbExportType, &QComboBox::currentIndexChanged, this,
        &frmExportDocuments::followFormat);
    m_ui->chkUsePDF3DExport->setChecked(current.ExpDocExport3DPDF != 0);

    // The check box shows the record's use flag; the line-weight window changes it.
    m_ui->chkUsePDFLineWeight->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_ui->chkUsePDFLineWeight->setChecked(m_lines.UsePrinterLines != 0);
    connect(m_ui->cmdSetPDFLineWeight, &QPushButton::clicked, this, [this] {
        frmPrinterLineSettings::edit(this->ports(), m_lines, this,
            [this] { m_ui->chkUsePDFLineWeight->setChecked(m_lines.UsePrinterLines != 0); });
    });

    m_ui->chkCombinePdf->setChecked(current.ExpDocCombinePdf != 0);
    m_ui->txtCombinedName->setText(toQString(current.ExpDocCombinedName));
    m_ui->txtCombinedName->setEnabled(m_ui->chkCombinePdf->isChecked());
    m_ui->lblCombinedName->setEnabled(m_ui->chkCombinePdf->isChecked());
    connect(m_ui->chkCombinePdf, &QCheckBox::toggled, m_ui->txtCombinedName, &QWidget::setEnabled);
    connect(m_ui->chkCombinePdf, &QCheckBox::toggled, m_ui->lblCombinedName, &QWidget::setEnabled);

    m_ui->chkTS_SaveInDocFolder->setChecked(current.ExpDocSaveInModelFolder == 1);
    m_ui->txtTS_SaveDirectory->setText(toQString(current.ExpDocSaveFolder));
    connectFolderFrame(
        m_ui->chkTS_SaveInDocFolder, m_ui->txtTS_SaveDirectory, m_ui->cmdTS_ChooseSaveDirectory);
}

frmExportDocuments::~frmExportDocuments() = default;

void frmExportDocuments::followFormat(int row)
{
    // A 3D PDF and the combined file are PDFs: the choices mean nothing for a JPG.
    m_ui->fra3DPDFExport->setVisible(isPdf(row));
    m_ui->fraCombinePdf->setVisible(isPdf(row));
}

bool frmExportDocuments::combinedNameTaken()
{
    const QString name = m_ui->txtCombinedName->text().trimmed();
    if (!m_ui->chkCombinePdf->isChecked() || !isPdf(m_ui->cmbExportType->currentIndex())
        || isFileName(name))
        return true;
    ports().messages.show(
        info(kInfoBadCombinedName), info(kInfoTitle), engine::MessageIcon::Exclamation);
    m_ui->txtCombinedName->setFocus();
    m_ui->txtCombinedName->selectAll();
    return false;
}

bool frmExportDocuments::apply()
{
    if (!combinedNameTaken())
        return false;
    warnIfFolderMissing(m_ui->txtTS_SaveDirectory);
    engine::Settings& target = settings();
    target.ExpDocSaveInModelFolder = m_ui->chkTS_SaveInDocFolder->isChecked() ? 1 : 0;
    target.ExpDocSaveFolder = toStdString(m_ui->txtTS_SaveDirectory->text());
    target.ExpDocSaveFormat = engine::chosenExtension(engine::kExportDocumentFormats,
        m_ui->cmbExportType->currentIndex(), target.ExpDocSaveFormat);
    target.ExpDocExport3DPDF = m_ui->chkUsePDF3DExport->isChecked() ? 1 : 0;
    target.ExpDocCombinePdf = m_ui->chkCombinePdf->isChecked() ? 1 : 0;
    target.ExpDocCombinedName = toStdString(m_ui->txtCombinedName->text().trimmed());
    target.PrinterLines[engine::kPdfLineWeightSlot] = m_lines;
    return true;
}

} // namespace quorrix::gui
