#include "gui/frm_export_documents.h"
#include "ui_frm_export_documents.h"

#include "engine/actions/export_document.h"
#include "engine/run/program_start.h"
#include "gui/frm_printer_line_settings.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 84;

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

    m_ui->chkTS_SaveInDocFolder->setChecked(current.ExpDocSaveInModelFolder == 1);
    m_ui->txtTS_SaveDirectory->setText(toQString(current.ExpDocSaveFolder));
    connectFolderFrame(
        m_ui->chkTS_SaveInDocFolder, m_ui->txtTS_SaveDirectory, m_ui->cmdTS_ChooseSaveDirectory);
}

frmExportDocuments::~frmExportDocuments() = default;

void frmExportDocuments::followFormat(int row)
{
    // A 3D PDF is a PDF: the choice means nothing for a JPG.
    const std::string extension
        = engine::chosenExtension(engine::kExportDocumentFormats, row, std::string());
    m_ui->fra3DPDFExport->setVisible(extension == "pdf");
}

bool frmExportDocuments::apply()
{
    warnIfFolderMissing(m_ui->txtTS_SaveDirectory);
    engine::Settings& target = settings();
    target.ExpDocSaveInModelFolder = m_ui->chkTS_SaveInDocFolder->isChecked() ? 1 : 0;
    target.ExpDocSaveFolder = toStdString(m_ui->txtTS_SaveDirectory->text());
    target.ExpDocSaveFormat = engine::chosenExtension(engine::kExportDocumentFormats,
        m_ui->cmbExportType->currentIndex(), target.ExpDocSaveFormat);
    target.ExpDocExport3DPDF = m_ui->chkUsePDF3DExport->isChecked() ? 1 : 0;
    target.PrinterLines[engine::kPdfLineWeightSlot] = m_lines;
    return true;
}

} // namespace quorrix::gui
