#include "gui/frm_list_filter.h"
#include "ui_frm_list_filter.h"

#include "engine/run/program_start.h"
#include "gui/control_array.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 81;
constexpr const char* kSets = "optFilterName";

} // namespace

frmListFilter::frmListFilter(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmListFilter", kTitleInfoText, {}, ports, parent)
    , m_ui(std::make_unique<Ui::frmListFilter>())
    , m_copy(ports.program.settings)
{
    m_ui->setupUi(this);
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();

    m_ui->chkFilterActive->setChecked(m_copy.active());
    checkOption(kSets, m_copy.current());
    showSet();
    for (int index = 0; index < engine::kFilterSets; ++index)
        connect(control<QRadioButton>(controlArrayMemberName(QLatin1String(kSets), index)),
            &QRadioButton::toggled, this, [this, index](bool checked) {
                if (checked)
                    chooseSet(index);
            });
}

frmListFilter::~frmListFilter() = default;

void frmListFilter::showSet()
{
    const engine::FilterSet& set = m_copy.fields();
    m_ui->txtFilterContain0->setText(toQString(set.Contain0));
    m_ui->txtFilterContain1->setText(toQString(set.Contain1));
    m_ui->txtFilterNotContain0->setText(toQString(set.NotContain0));
    m_ui->txtFilterNotContain1->setText(toQString(set.NotContain1));
}

void frmListFilter::keepTyped()
{
    m_copy.setFields({ toStdString(m_ui->txtFilterContain0->text()),
        toStdString(m_ui->txtFilterContain1->text()),
        toStdString(m_ui->txtFilterNotContain0->text()),
        toStdString(m_ui->txtFilterNotContain1->text()) });
}

void frmListFilter::chooseSet(int index)
{
    keepTyped();
    m_copy.select(index);
    showSet();
    m_ui->txtFilterContain0->setFocus();
}

bool frmListFilter::apply()
{
    keepTyped();
    m_copy.setActive(m_ui->chkFilterActive->isChecked());
    m_copy.store(settings());
    return true;
}

} // namespace quorrix::gui
