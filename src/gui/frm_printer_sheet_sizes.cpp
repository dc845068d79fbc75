#include "gui/frm_printer_sheet_sizes.h"
#include "ui_frm_printer_sheet_sizes.h"

#include "engine/run/program_start.h"
#include "gui/control_array.h"
#include "gui/message_boxes.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 161;
constexpr int kInfoTitle = 2;
constexpr int kInfoNotALength = 162;

} // namespace

frmPrinterSheetSizes::frmPrinterSheetSizes(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmPrinterSheetSizes", kTitleInfoText, { 5400, 6600 }, ports, parent)
    , m_ui(std::make_unique<Ui::frmPrinterSheetSizes>())
    , m_copy(ports.program.settings, ports.regional)
{
    forgetPosition();
    m_ui->setupUi(this);
    m_ui->lblDescription->setText(toQString(engine::sheetSizesDescription()));
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();
    for (int row = 0; row < engine::kSheetSizeRows; ++row) {
        const auto i = static_cast<std::size_t>(row);
        m_widths[i]
            = control<QLineEdit>(controlArrayMemberName(QStringLiteral("txtSheetWidth"), row));
        m_heights[i]
            = control<QLineEdit>(controlArrayMemberName(QStringLiteral("txtSheetHeight"), row));
        selectAllOnFocus({ m_widths[i], m_heights[i] });
        control<QLabel>(controlArrayMemberName(QStringLiteral("lblSize"), row))
            ->setText(QString::fromUtf8(engine::standardSheetSizes()[i].caption));
    }
    m_ui->chkUse->setChecked(m_copy.useCustom);
    showSizes();
    connect(m_ui->cmdGetSheetSizes, &QPushButton::clicked, this, [this] {
        m_copy.getSheetSizes(settings());
        showSizes();
    });
    connect(m_ui->cmdResetAllSheetSizes, &QPushButton::clicked, this, [this] {
        m_copy.resetAllSheetSizes();
        showSizes();
    });
}

frmPrinterSheetSizes::~frmPrinterSheetSizes() = default;

void frmPrinterSheetSizes::showSizes()
{
    for (std::size_t i = 0; i < m_widths.size(); ++i) {
        m_widths[i]->setText(toQString(m_copy.widths[i]));
        m_heights[i]->setText(toQString(m_copy.heights[i]));
    }
}

void frmPrinterSheetSizes::takeTyped()
{
    for (std::size_t i = 0; i < m_widths.size(); ++i) {
        m_copy.widths[i] = toStdString(m_widths[i]->text());
        m_copy.heights[i] = toStdString(m_heights[i]->text());
    }
    m_copy.useCustom = m_ui->chkUse->isChecked();
}

bool frmPrinterSheetSizes::apply()
{
    takeTyped();
    const std::optional<engine::SheetSizeField> wrong = m_copy.store(settings());
    if (!wrong)
        return true;
    const auto i = static_cast<std::size_t>(wrong->index);
    QLineEdit* box = wrong->height ? m_heights[i] : m_widths[i];
    const QLabel* heading = wrong->height ? m_ui->lblHeadHeight : m_ui->lblHeadWidth;
    ports().messages.show(info(kInfoNotALength) + "\n" + engine::standardSheetSizes()[i].caption
            + " " + toStdString(heading->text()) + ": " + toStdString(box->text()),
        info(kInfoTitle), engine::MessageIcon::Exclamation);
    box->setFocus();
    return false;
}

} // namespace quorrix::gui
