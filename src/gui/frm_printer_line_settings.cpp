#include "gui/frm_printer_line_settings.h"
#include "ui_frm_printer_line_settings.h"

#include <QEvent>

#include "engine/run/program_start.h"
#include "engine/swlink/printer_lines.h"
#include "gui/message_boxes.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 80;
constexpr int kInfoTitle = 2;
constexpr int kInfoErrorTitle = 4;
constexpr int kInfoInvalidWeight = 70;
constexpr int kInfoGetFailed = 71;
constexpr int kInfoSetFailed = 72;

} // namespace

frmPrinterLineSettings::frmPrinterLineSettings(
    const MainWindowPorts& ports, engine::PrinterLineSettings& lines, QWidget* parent)
    : OptionDialog("frmPrinterLineSettings", kTitleInfoText, { 4500, 5200 }, ports, parent)
    , m_ui(std::make_unique<Ui::frmPrinterLineSettings>())
    , m_lines(lines)
{
    m_ui->setupUi(this);
    m_boxes = { m_ui->txtThin, m_ui->txtNormal, m_ui->txtThick, m_ui->txtThick2, m_ui->txtThick3,
        m_ui->txtThick4, m_ui->txtThick5, m_ui->txtThick6 };
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();
    for (QLineEdit* box : m_boxes)
        selectAllOnFocus({ box });

    m_ui->chkUse->setChecked(lines.UsePrinterLines != 0);
    showWeights(lines);
    connect(m_ui->cmdGetFromSolidWorks, &QPushButton::clicked, this,
        &frmPrinterLineSettings::getFromSolidWorks);
    connect(
        m_ui->cmdSetInSolidWorks, &QPushButton::clicked, this, [this] { setInSolidWorks(false); });
    m_ui->lblPrinterLinesTop->installEventFilter(this);
}

frmPrinterLineSettings::~frmPrinterLineSettings() = default;

void frmPrinterLineSettings::edit(const MainWindowPorts& ports, engine::PrinterLineSettings& lines,
    QWidget* parent, std::function<void()> onOk)
{
    auto* dialog = new frmPrinterLineSettings(ports, lines, parent);
    if (onOk)
        connect(dialog, &QDialog::accepted, parent, std::move(onOk));
    dialog->open();
}

bool frmPrinterLineSettings::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->lblPrinterLinesTop && event->type() == QEvent::MouseButtonDblClick) {
        setInSolidWorks(true);
        return true;
    }
    return OptionDialog::eventFilter(watched, event);
}

void frmPrinterLineSettings::showWeights(const engine::PrinterLineSettings& lines)
{
    const engine::PrinterLineTexts texts = engine::printerLineTexts(lines, ports().regional);
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setText(toQString(texts.millimetres[i]));
}

std::optional<engine::PrinterLineSettings> frmPrinterLineSettings::typedLines() const
{
    engine::PrinterLineTexts texts;
    texts.use = m_ui->chkUse->isChecked();
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        texts.millimetres[i] = toStdString(m_boxes[i]->text());
    return engine::printerLinesFromTexts(texts, ports().regional);
}

void frmPrinterLineSettings::tellInvalid()
{
    ports().messages.show(
        info(kInfoInvalidWeight), info(kInfoTitle), engine::MessageIcon::Information);
}

void frmPrinterLineSettings::getFromSolidWorks()
{
    engine::PrinterLineSettings read = engine::defaultPrinterLineSettings();
    std::string status;
    if (!engine::Swx_GetPrinterLines(ports().program.connection, read, status)) {
        ports().messages.show(info(kInfoGetFailed) + "\n" + status, info(kInfoErrorTitle),
            engine::MessageIcon::Critical);
        return;
    }
    showWeights(read);
}

void frmPrinterLineSettings::setInSolidWorks(bool asSystemOptions)
{
    const std::optional<engine::PrinterLineSettings> lines = typedLines();
    if (!lines) {
        tellInvalid();
        return;
    }
    std::string message;
    engine::SwConnection& connection = ports().program.connection;
    const bool done = asSystemOptions
        ? engine::Swx_ForceSystemPrinterLines(connection, *lines, message)
        : engine::Swx_SetPrinterLines(connection, *lines, message);
    if (!done)
        ports().messages.show(info(kInfoSetFailed) + "\n" + message, info(kInfoErrorTitle),
            engine::MessageIcon::Critical);
}

bool frmPrinterLineSettings::apply()
{
    const std::optional<engine::PrinterLineSettings> lines = typedLines();
    if (!lines) {
        tellInvalid();
        return false;
    }
    m_lines = *lines;
    return true;
}

} // namespace quorrix::gui
