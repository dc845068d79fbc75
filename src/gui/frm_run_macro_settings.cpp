#include "gui/frm_run_macro_settings.h"
#include "ui_frm_run_macro_settings.h"

#include <QFileInfo>
#include <QRadioButton>

#include "engine/settings/settings.h"
#include "gui/control_array.h"
#include "gui/file_dialogs.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 85;
constexpr const char* kSlotOptions = "optRunMacro";

} // namespace

frmRunMacroSettings::frmRunMacroSettings(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmRunMacroSettings", kTitleInfoText, {}, ports, parent)
    , m_ui(std::make_unique<Ui::frmRunMacroSettings>())
    , m_slots(settings())
{
    m_ui->setupUi(this);
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();
    selectAllOnFocus(
        { m_ui->txtRunMacroPath, m_ui->txtRunMacroModule, m_ui->txtRunMacroProcedure });

    for (int index = 0; index < engine::kMacroSlots; ++index) {
        auto* option
            = control<QRadioButton>(controlArrayMemberName(QLatin1String(kSlotOptions), index));
        connect(option, &QRadioButton::clicked, this, [this, index] { selectSlot(index); });
    }
    connect(m_ui->cmdRunMacroGetMacro, &QPushButton::clicked, this, &frmRunMacroSettings::browse);
    checkOption(kSlotOptions, m_slots.current());
    showSlot();
}

frmRunMacroSettings::~frmRunMacroSettings() = default;

void frmRunMacroSettings::showSlot()
{
    const engine::MacroSlot& slot = m_slots.slot();
    m_ui->txtRunMacroPath->setText(toQString(slot.path));
    m_ui->txtRunMacroModule->setText(toQString(slot.module));
    m_ui->txtRunMacroProcedure->setText(toQString(slot.procedure));
}

void frmRunMacroSettings::keepTexts()
{
    m_slots.setSlot(
        { toStdString(m_ui->txtRunMacroPath->text()), toStdString(m_ui->txtRunMacroModule->text()),
            toStdString(m_ui->txtRunMacroProcedure->text()) });
}

void frmRunMacroSettings::selectSlot(int index)
{
    if (index == m_slots.current())
        return;
    keepTexts();
    m_slots.select(index);
    showSlot();
    m_ui->txtRunMacroPath->setFocus();
}

void frmRunMacroSettings::browse()
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = info(engine::kInfoMacroBrowseTitle);
    request.filter = info(engine::kInfoMacroBrowseFilter);
    request.filterIndex = 1;
    const QFileInfo current(m_ui->txtRunMacroPath->text());
    if (!m_ui->txtRunMacroPath->text().isEmpty()) {
        request.startFolder = toStdString(current.absolutePath());
        request.fileName = toStdString(current.fileName());
    }
    if (const auto chosen = ports().fileDialogs.openFile(request))
        m_ui->txtRunMacroPath->setText(toQString(chosen->path));
}

bool frmRunMacroSettings::apply()
{
    keepTexts();
    m_slots.store(settings());
    return true;
}

} // namespace quorrix::gui
