#include "gui/frm_pre_post_filenames.h"
#include "ui_frm_pre_post_filenames.h"

#include "engine/run/program_start.h"
#include "gui/control_array.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 87;
constexpr const char* kSets = "optPrePost";

} // namespace

frmPrePostFilenames::frmPrePostFilenames(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmPrePostFilenames", kTitleInfoText, {}, ports, parent)
    , m_ui(std::make_unique<Ui::frmPrePostFilenames>())
    , m_copy(ports.program.settings)
{
    m_ui->setupUi(this);
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();

    m_ui->chkPrePostUseit->setChecked(m_copy.useIt());
    checkOption(kSets, m_copy.current());
    showSet();
    for (int index = 0; index < engine::kPrePostSets; ++index)
        connect(control<QRadioButton>(controlArrayMemberName(QLatin1String(kSets), index)),
            &QRadioButton::toggled, this, [this, index](bool checked) {
                if (checked)
                    chooseSet(index);
            });
}

frmPrePostFilenames::~frmPrePostFilenames() = default;

void frmPrePostFilenames::showSet()
{
    m_ui->txtPrePostPrefix->setText(toQString(m_copy.prefix()));
    m_ui->txtPrePostPostfix->setText(toQString(m_copy.postfix()));
    m_ui->chkPrePostIgnoreSWXFilename->setChecked(m_copy.ignoreName());
}

void frmPrePostFilenames::keepTyped()
{
    m_copy.setFields(toStdString(m_ui->txtPrePostPrefix->text()),
        toStdString(m_ui->txtPrePostPostfix->text()),
        m_ui->chkPrePostIgnoreSWXFilename->isChecked());
}

void frmPrePostFilenames::chooseSet(int index)
{
    keepTyped();
    m_copy.select(index);
    showSet();
    m_ui->txtPrePostPrefix->setFocus();
}

bool frmPrePostFilenames::apply()
{
    keepTyped();
    m_copy.setUseIt(m_ui->chkPrePostUseit->isChecked());
    m_copy.store(settings());
    return true;
}

} // namespace quorrix::gui
