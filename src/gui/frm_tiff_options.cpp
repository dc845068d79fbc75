#include "gui/frm_tiff_options.h"
#include "ui_frm_tiff_options.h"

#include <QSignalBlocker>

#include "engine/run/program_start.h"
#include "gui/frm_printer_line_settings.h"
#include "gui/message_boxes.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 6;
constexpr int kInfoTitle = 2;
constexpr int kInfoErrorTitle = 4;
constexpr int kInfoOther = 31;
constexpr int kInfoBlackWhite = 40;
constexpr int kInfoColor = 41;
constexpr int kInfoScreenCapture = 42;
constexpr int kInfoPrintCapture = 43;
constexpr int kInfoOptionsSet = 44;
constexpr int kInfoScaleRange = 170;
constexpr int kInfoNoColorGroup4 = 171;
constexpr int kInfoWarningTitle = 172;
constexpr int kInfoLengthNotANumber = 173;
constexpr const char* kNamingOptions = "optTS_SaveAsTitleName";

} // namespace

frmTIFFOptions::frmTIFFOptions(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmTIFFOptions", kTitleInfoText, { 5355, 7890 }, ports, parent)
    , m_ui(std::make_unique<Ui::frmTIFFOptions>())
    , m_copy(ports.program.settings, ports.regional)
{
    m_ui->setupUi(this);
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();
    setOptionCaptions(kNamingOptions, { 15, 16, 18 });
    selectAllOnFocus({ m_ui->txtTO_PrintPaperWidth, m_ui->txtTO_PrintPaperHeight,
        m_ui->txtTO_PrintScaleFactor });

    m_ui->cmbTO_ScreenOrPrintCapture->addItems(
        { toQString(info(kInfoScreenCapture)), toQString(info(kInfoPrintCapture)) });
    m_ui->cmbTO_ImageType->addItems(
        { toQString(info(kInfoBlackWhite)), toQString(info(kInfoColor)) });
    m_ui->cmbTO_CompressionScheme->addItems({ QStringLiteral("Uncompressed"),
        QStringLiteral("Packbit"), QStringLiteral("Group 4 Fax") });
    for (const std::int16_t dpi : engine::kTiffDpiEntries)
        m_ui->cmbTO_PrintDPI->addItem(QString::number(dpi));
    for (const engine::TiffPaperEntry& paper : engine::tiffPaperEntries())
        m_ui->cmbTO_PaperSize->addItem(QString::fromUtf8(paper.caption));
    m_ui->cmbTO_PaperSize->addItem(toQString(info(kInfoOther)));

    checkOption(kNamingOptions, m_copy.naming);
    m_ui->chkTS_DrwOwnFormat->setChecked(m_copy.ownSize);
    m_ui->chkTS_ClearHeaderFooter->setChecked(m_copy.clearHeaderFooter);
    m_ui->chkTS_SaveInDocFolder->setChecked(m_copy.inDrawingFolder);
    m_ui->txtTS_SaveDirectory->setText(toQString(m_copy.folder));
    connectFolderFrame(
        m_ui->chkTS_SaveInDocFolder, m_ui->txtTS_SaveDirectory, m_ui->cmdTS_ChooseSaveDirectory);
    m_ui->chkUseLineWeight->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_ui->chkUseLineWeight->setChecked(m_copy.lines.UsePrinterLines != 0);
    showOptions();

    connect(m_ui->cmbTO_ScreenOrPrintCapture, &QComboBox::activated, this, [this](int entry) {
        m_copy.capture = entry;
        followCapture();
    });
    connect(m_ui->cmbTO_ImageType, &QComboBox::activated, this, [this](int entry) {
        if (!m_copy.chooseImageType(entry)) {
            m_ui->cmbTO_ImageType->setCurrentIndex(m_copy.imageType);
            warn(kInfoNoColorGroup4);
        }
    });
    connect(m_ui->cmbTO_CompressionScheme, &QComboBox::activated, this, [this](int entry) {
        if (!m_copy.chooseCompression(entry)) {
            m_ui->cmbTO_CompressionScheme->setCurrentIndex(m_copy.compression);
            warn(kInfoNoColorGroup4);
        }
    });
    connect(m_ui->cmbTO_PrintDPI, &QComboBox::activated, this,
        [this](int entry) { m_copy.dpiEntry = entry; });
    connect(m_ui->cmbTO_PaperSize, &QComboBox::activated, this, [this](int entry) {
        m_copy.choosePaper(entry);
        m_ui->txtTO_PrintPaperWidth->setText(toQString(m_copy.paperWidth));
        m_ui->txtTO_PrintPaperHeight->setText(toQString(m_copy.paperHeight));
        followCapture();
    });
    connect(m_ui->txtTO_PrintPaperWidth, &QLineEdit::textEdited, this,
        [this](const QString& text) { m_copy.paperWidth = toStdString(text); });
    connect(m_ui->txtTO_PrintPaperHeight, &QLineEdit::textEdited, this,
        [this](const QString& text) { m_copy.paperHeight = toStdString(text); });
    connect(m_ui->chkTO_PrintScaleToFit, &QCheckBox::toggled, this, [this](bool fit) {
        m_copy.scaleToFit = fit;
        followCapture();
    });
    // Typing a scale means not fitting; the number is checked when the typing is done.
    connect(m_ui->txtTO_PrintScaleFactor, &QLineEdit::textEdited, this,
        [this] { m_ui->chkTO_PrintScaleToFit->setChecked(false); });
    connect(m_ui->txtTO_PrintScaleFactor, &QLineEdit::editingFinished, this,
        &frmTIFFOptions::takeScale);

    connect(
        m_ui->cmdGetTiffOptions, &QPushButton::clicked, this, &frmTIFFOptions::getFromSolidWorks);
    connect(m_ui->cmdSetTiffOptions, &QPushButton::clicked, this, &frmTIFFOptions::setInSolidWorks);
    connect(m_ui->cmdSetTIFFLineWeight, &QPushButton::clicked, this, [this] {
        frmPrinterLineSettings::edit(this->ports(), m_copy.lines, this,
            [this] { m_ui->chkUseLineWeight->setChecked(m_copy.lines.UsePrinterLines != 0); });
    });
}

frmTIFFOptions::~frmTIFFOptions() = default;

void frmTIFFOptions::showOptions()
{
    m_ui->cmbTO_ScreenOrPrintCapture->setCurrentIndex(m_copy.capture);
    m_ui->cmbTO_ImageType->setCurrentIndex(m_copy.imageType);
    m_ui->cmbTO_CompressionScheme->setCurrentIndex(m_copy.compression);
    m_ui->cmbTO_PrintDPI->setCurrentIndex(m_copy.dpiEntry);
    m_ui->cmbTO_PaperSize->setCurrentIndex(m_copy.paper);
    m_ui->txtTO_PrintPaperWidth->setText(toQString(m_copy.paperWidth));
    m_ui->txtTO_PrintPaperHeight->setText(toQString(m_copy.paperHeight));
    m_ui->txtTO_PrintScaleFactor->setText(QString::number(m_copy.scale));
    {
        const QSignalBlocker quiet(m_ui->chkTO_PrintScaleToFit);
        m_ui->chkTO_PrintScaleToFit->setChecked(m_copy.scaleToFit);
    }
    followCapture();
}

void frmTIFFOptions::followCapture()
{
    const bool print = m_copy.printOptionsApply();
    for (QWidget* control : std::initializer_list<QWidget*> {
             m_ui->cmbTO_PrintDPI, m_ui->cmbTO_PaperSize, m_ui->chkTO_PrintScaleToFit })
        control->setEnabled(print);
    m_ui->txtTO_PrintPaperWidth->setEnabled(m_copy.paperSizeEditable());
    m_ui->txtTO_PrintPaperHeight->setEnabled(m_copy.paperSizeEditable());
    m_ui->txtTO_PrintScaleFactor->setEnabled(m_copy.scaleEditable());
}

void frmTIFFOptions::warn(int infoText)
{
    ports().messages.show(
        info(infoText), info(kInfoWarningTitle), engine::MessageIcon::Exclamation);
}

void frmTIFFOptions::takeScale()
{
    const QString typed = m_ui->txtTO_PrintScaleFactor->text();
    if (typed == QString::number(m_copy.scale))
        return;
    const bool fit = m_copy.scaleToFit;
    const bool accepted = m_copy.typeScale(toStdString(typed));
    if (!accepted)
        m_copy.scaleToFit = fit;
    m_ui->txtTO_PrintScaleFactor->setText(QString::number(m_copy.scale));
    if (!accepted)
        warn(kInfoScaleRange);
}

void frmTIFFOptions::tellLengthNotANumber()
{
    ports().messages.show(
        info(kInfoLengthNotANumber), info(kInfoTitle), engine::MessageIcon::Exclamation);
}

void frmTIFFOptions::getFromSolidWorks()
{
    engine::TiffOptions read;
    std::string error;
    if (!engine::GetTiffOptions(ports().program.connection, ports().messages, read, error)) {
        ports().messages.show(error, info(kInfoErrorTitle));
        return;
    }
    m_copy.show(read);
    showOptions();
}

void frmTIFFOptions::setInSolidWorks()
{
    takeScale();
    const std::optional<engine::TiffOptions> options = m_copy.options();
    if (!options) {
        tellLengthNotANumber();
        return;
    }
    std::string error;
    if (!engine::SetTiffOptions(ports().program.connection, ports().messages, *options, error)) {
        ports().messages.show(error, info(kInfoErrorTitle));
        return;
    }
    ports().messages.show(info(kInfoOptionsSet), info(kInfoTitle));
}

bool frmTIFFOptions::apply()
{
    takeScale();
    m_copy.naming = checkedOption(kNamingOptions);
    m_copy.ownSize = m_ui->chkTS_DrwOwnFormat->isChecked();
    m_copy.clearHeaderFooter = m_ui->chkTS_ClearHeaderFooter->isChecked();
    m_copy.inDrawingFolder = m_ui->chkTS_SaveInDocFolder->isChecked();
    m_copy.folder = toStdString(m_ui->txtTS_SaveDirectory->text());
    if (!m_copy.store(settings())) {
        tellLengthNotANumber();
        return false;
    }
    warnIfFolderMissing(m_ui->txtTS_SaveDirectory);
    return true;
}

} // namespace quorrix::gui
