#include "gui/frm_printer_settings.h"
#include "ui_frm_printer_settings.h"

#include <QKeyEvent>

#include "engine/actions/sheet_sizes.h"
#include "engine/platform/shell.h"
#include "engine/run/program_start.h"
#include "gui/control_array.h"
#include "gui/frm_printer_line_settings.h"
#include "gui/frm_printer_sheet_sizes.h"
#include "gui/message_boxes.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 5;
constexpr int kInfoTitle = 2;
constexpr int kInfoFit = 30;
constexpr int kInfoOther = 31;
constexpr int kInfoNoLineWeights = 45;
constexpr int kInfoScaleNotANumber = 160;

// Rows 0 to 11 follow "use 'other' for every sheet size"; row 12 is "other".
constexpr int kSizedRows = engine::kOtherSheetSize;

} // namespace

frmPrinterSettings::frmPrinterSettings(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmPrinterSettings", kTitleInfoText, { 9975, 6990 }, ports, parent)
    , m_ui(std::make_unique<Ui::frmPrinterSettings>())
    , m_copy(ports.program.settings, ports.program.printers, ports.regional)
{
    m_ui->setupUi(this);
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();
    for (int row = 0; row < engine::kPrinterRows; ++row)
        buildRow(row);
    member<QLabel>("lblSize", engine::kOtherSheetSize)->setText(toQString(info(kInfoOther)));

    m_ui->chkPrinterClearHeaderFooter->setChecked(m_copy.clearHeaderFooter);
    for (const char* entry : engine::drawingColorEntries())
        m_ui->cmbPrinterForceDrawingColor->addItem(QString::fromUtf8(entry));
    m_ui->cmbPrinterForceDrawingColor->setCurrentIndex(m_copy.drawingColor);
    showCustomSheetSizeNote();

    // The choice stands at once, even when the window is cancelled afterwards: the main
    // window's print runs follow it while this window is still open.
    m_ui->chkUseOnlyDefaultPrinter->setChecked(m_copy.useOnlyDefault);
    followUseOnlyDefault(m_copy.useOnlyDefault);
    connect(m_ui->chkUseOnlyDefaultPrinter, &QCheckBox::toggled, this, [this](bool checked) {
        m_copy.useOnlyDefault = checked;
        settings().PrinterUseOnlyDefault = checked ? engine::kTrue : engine::kFalse;
        followUseOnlyDefault(checked);
    });

    m_ui->lblHeadSize->setCursor(Qt::PointingHandCursor);
    m_ui->lblHeadSize->setFocusPolicy(Qt::TabFocus);
    m_ui->lblHeadSize->installEventFilter(this);
}

frmPrinterSettings::~frmPrinterSettings() = default;

template <typename T> T* frmPrinterSettings::member(const char* array, int row) const
{
    return control<T>(controlArrayMemberName(QLatin1String(array), row));
}

void frmPrinterSettings::buildRow(int row)
{
    const engine::PrinterRowCopy& copy = m_copy.rows[static_cast<std::size_t>(row)];
    auto* printer = member<QComboBox>("cmbPrinter", row);
    for (const engine::InstalledPrinter& installed : ports().program.printers)
        printer->addItem(toQString(installed.DeviceName));
    printer->setCurrentIndex(copy.printer);
    showPapers(row);
    connect(printer, &QComboBox::activated, this, [this, row](int index) {
        m_copy.choosePrinter(row, index);
        showPapers(row);
    });
    connect(member<QComboBox>("cmbPrinterSheet", row), &QComboBox::activated, this,
        [this, row](int index) { m_copy.rows[static_cast<std::size_t>(row)].paper = index; });

    auto* fit = member<QCheckBox>("chkScaleToFit", row);
    fit->setText(toQString(info(kInfoFit)));
    fit->setChecked(copy.scaleToFit);
    connect(fit, &QCheckBox::clicked, this, [this, row](bool checked) {
        m_copy.setScaleToFit(row, checked);
        showScale(row);
    });
    auto* scale = member<QLineEdit>("txtScale", row);
    connect(scale, &QLineEdit::textEdited, this, [this, row](const QString& text) {
        m_copy.rows[static_cast<std::size_t>(row)].scale = toStdString(text);
    });
    scale->installEventFilter(this);
    connect(member<UpDownButtons>("updwScale", row), &UpDownButtons::stepped, this,
        [this, row](int steps) {
            m_copy.stepScale(row, steps);
            showScale(row);
        });
    showScale(row);

    auto* use = member<QCheckBox>("chkUseOpt", row);
    use->setAttribute(Qt::WA_TransparentForMouseEvents); // it only shows the row's flag
    use->setChecked(copy.lines.UsePrinterLines != 0);
    connect(member<QPushButton>("cmdMorePrintOptions", row), &QPushButton::clicked, this,
        [this, row] { editLineWeights(row); });
    connect(member<QPushButton>("cmdPrinterProperties", row), &QPushButton::clicked, this,
        [this, row] { showPrinterProperties(row); });
}

void frmPrinterSettings::showPapers(int row)
{
    const engine::PrinterRowCopy& copy = m_copy.rows[static_cast<std::size_t>(row)];
    auto* papers = member<QComboBox>("cmbPrinterSheet", row);
    papers->clear();
    if (copy.printer >= 0) {
        for (const engine::PrinterPaper& paper :
            ports().program.printers[static_cast<std::size_t>(copy.printer)].papers)
            papers->addItem(toQString(paper.name));
    }
    papers->setCurrentIndex(copy.paper);
}

void frmPrinterSettings::showScale(int row)
{
    const engine::PrinterRowCopy& copy = m_copy.rows[static_cast<std::size_t>(row)];
    auto* scale = member<QLineEdit>("txtScale", row);
    scale->setText(toQString(copy.scale));
    const bool editable = !copy.scaleToFit && (row >= kSizedRows || !m_copy.useOnlyDefault);
    scale->setEnabled(editable);
    member<UpDownButtons>("updwScale", row)->setEnabled(editable);
}

void frmPrinterSettings::followUseOnlyDefault(bool onlyDefault)
{
    for (int row = 0; row < kSizedRows; ++row) {
        // A disabled label is drawn in the system's grey-text colour.
        member<QLabel>("lblSize", row)->setEnabled(!onlyDefault);
        for (const char* array :
            { "cmbPrinter", "cmbPrinterSheet", "chkScaleToFit", "cmdMorePrintOptions" })
            member<QWidget>(array, row)->setEnabled(!onlyDefault);
        showScale(row);
    }
}

void frmPrinterSettings::editLineWeights(int row)
{
    if (!ports().program.connection.IsSwxRevisionAtLeast("9", "4")) {
        ports().messages.show(
            info(kInfoNoLineWeights), info(kInfoTitle), engine::MessageIcon::Information);
        return;
    }
    engine::PrinterLineSettings& lines = m_copy.rows[static_cast<std::size_t>(row)].lines;
    frmPrinterLineSettings::edit(ports(), lines, this, [this, row, &lines] {
        member<QCheckBox>("chkUseOpt", row)->setChecked(lines.UsePrinterLines != 0);
    });
}

void frmPrinterSettings::showPrinterProperties(int row)
{
    const int printer = m_copy.rows[static_cast<std::size_t>(row)].printer;
    if (printer < 0)
        return;
    ports().shell.showPrinterProperties(
        ports().program.printers[static_cast<std::size_t>(printer)].DeviceName);
}

void frmPrinterSettings::showCustomSheetSizeNote()
{
    m_ui->lblUsingCustomSheetsize->setVisible(engine::usingCustomSheetSizes(settings()));
}

void frmPrinterSettings::openSheetSizes()
{
    if (auto* open = findChild<frmPrinterSheetSizes*>(); open && open->isVisible()) {
        open->raise();
        open->activateWindow();
    } else {
        auto* sizes = new frmPrinterSheetSizes(ports(), this);
        connect(sizes, &QDialog::accepted, this, &frmPrinterSettings::showCustomSheetSizeNote);
        sizes->show();
    }
    showCustomSheetSizeNote();
}

bool frmPrinterSettings::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->lblHeadSize) {
        const bool click = event->type() == QEvent::MouseButtonRelease;
        const bool key = event->type() == QEvent::KeyPress
            && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
        if (click || key) {
            openSheetSizes();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress
        && controlName(watched->objectName()) == "txtScale") {
        // The arrow keys step the scale as the arrow buttons beside it do.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const int row = controlIndex(watched->objectName());
            m_copy.stepScale(row, key == Qt::Key_Up ? 1 : -1);
            showScale(row);
            return true;
        }
    }
    return OptionDialog::eventFilter(watched, event);
}

bool frmPrinterSettings::apply()
{
    m_copy.clearHeaderFooter = m_ui->chkPrinterClearHeaderFooter->isChecked();
    m_copy.drawingColor = std::max(0, m_ui->cmbPrinterForceDrawingColor->currentIndex());
    if (const std::optional<int> row = m_copy.store(settings())) {
        QLineEdit* scale = member<QLineEdit>("txtScale", *row);
        ports().messages.show(info(kInfoScaleNotANumber) + "\n"
                + toStdString(member<QLabel>("lblSize", *row)->text()) + ": "
                + toStdString(scale->text()),
            info(kInfoTitle), engine::MessageIcon::Exclamation);
        scale->setFocus();
        return false;
    }
    return true;
}

} // namespace quorrix::gui
