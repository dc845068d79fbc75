#include "gui/frm_multijob_settings.h"
#include "ui_frm_multijob_settings.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "engine/platform/file_system.h"
#include "engine/run/multi_job.h"
#include "engine/settings/settings.h"
#include "gui/control_array.h"
#include "gui/file_dialogs.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 88;
constexpr int kInfoFileMissing = 190;

QString member(const char* array, int index)
{
    return controlArrayMemberName(QLatin1String(array), index);
}

// A combo that lists the vocabulary and shows the stored text. A text the vocabulary does
// not hold (a hand-edited settings file) is listed after it, so that OK keeps it as it was.
void fill(QComboBox* combo, const std::vector<std::string>& vocabulary, const std::string& text)
{
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const std::string& entry : vocabulary)
        combo->addItem(toQString(entry));
    int index = combo->findText(toQString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        combo->addItem(toQString(text));
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

} // namespace

frmMultijobSettings::frmMultijobSettings(const MainWindowPorts& ports, QWidget* parent)
    : OptionDialog("frmMultijobSettings", kTitleInfoText, { 6500, 0 }, ports, parent)
    , m_ui(std::make_unique<Ui::frmMultijobSettings>())
    , m_jobs(settings())
{
    m_ui->setupUi(this);
    connectOkCancel(m_ui->cmdOkay, m_ui->cmdCancel);
    translate();

    // The rows are counted from 1, in the order they run.
    const auto number = [this](const char* array, int index) {
        auto* caption = control<QLabel>(member(array, index));
        caption->setText(caption->text() + QLatin1Char(' ') + QString::number(index + 1));
    };
    for (int row = 0; row < engine::kPreJobSlots; ++row)
        number("lblMJPreJobAction", row);
    for (int slot = 0; slot < engine::kJobSlots; ++slot) {
        number("lblMJJobType", slot);
        auto* combo = control<QComboBox>(member("cmbMJJobType", slot));
        fill(combo, engine::jobStepVocabulary(), m_jobs.step(slot));
        connect(combo, &QComboBox::currentTextChanged, this,
            [this, slot](const QString& text) { m_jobs.setStep(slot, toStdString(text)); });
    }
    for (int row = 0; row < engine::kPreJobSlots; ++row) {
        fill(preJobCombo(row), engine::preJobVocabulary(), m_jobs.preJob(row).type);
        preJobBox(row)->setText(toQString(m_jobs.preJob(row).parameter));
        showPreJobRow(row);
        connect(preJobCombo(row), &QComboBox::currentTextChanged, this,
            [this, row](const QString& text) {
                m_jobs.choosePreJob(row, toStdString(text));
                preJobBox(row)->setText(toQString(m_jobs.preJob(row).parameter));
                showPreJobRow(row);
            });
        connect(preJobBox(row), &QLineEdit::textChanged, this, [this, row](const QString& text) {
            m_jobs.setParameter(row, toStdString(text));
            markMissingFiles();
        });
        connect(preJobBrowse(row), &QPushButton::clicked, this, [this, row] { browse(row); });
    }
    markMissingFiles();
}

frmMultijobSettings::~frmMultijobSettings() = default;

QComboBox* frmMultijobSettings::preJobCombo(int row) const
{
    return control<QComboBox>(member("cmbMJPreJobAction", row));
}

QLineEdit* frmMultijobSettings::preJobBox(int row) const
{
    return control<QLineEdit>(member("txtMJPreJobAction", row));
}

QPushButton* frmMultijobSettings::preJobBrowse(int row) const
{
    return control<QPushButton>(member("cmdMJGetLoadSettings", row));
}

void frmMultijobSettings::showPreJobRow(int row)
{
    const bool takesFile = m_jobs.parameterVisible(row);
    preJobBox(row)->setVisible(takesFile);
    preJobBrowse(row)->setVisible(takesFile);
    markMissingFiles();
}

void frmMultijobSettings::browse(int row)
{
    const auto texts = engine::preJobBrowseTexts(m_jobs.preJob(row).type);
    if (!texts)
        return;
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = info(texts->title);
    request.filter = info(texts->filter);
    request.filterIndex = 1;
    const QString current = preJobBox(row)->text();
    if (!current.isEmpty()) {
        const QFileInfo file(current);
        request.startFolder = toStdString(file.absolutePath());
        request.fileName = toStdString(file.fileName());
    }
    if (const auto chosen = ports().fileDialogs.openFile(request))
        preJobBox(row)->setText(toQString(chosen->path));
}

// The run reports a missing file when it gets there; the dialog shows it at once.
void frmMultijobSettings::markMissingFiles()
{
    bool anyMissing = false;
    for (int row = 0; row < engine::kPreJobSlots; ++row) {
        QLineEdit* box = preJobBox(row);
        const std::string path = toStdString(box->text());
        const bool missing = m_jobs.parameterVisible(row) && !ports().files.isPlainFile(path);
        box->setStyleSheet(missing ? QStringLiteral("QLineEdit { color: #b00020; }") : QString());
        box->setToolTip(missing ? toQString(info(kInfoFileMissing)) : QString());
        anyMissing = anyMissing || missing;
    }
    m_ui->lblMJPreJobMissing->setText(anyMissing ? toQString(info(kInfoFileMissing)) : QString());
    m_ui->lblMJPreJobMissing->setVisible(anyMissing);
}

bool frmMultijobSettings::apply()
{
    m_jobs.store(settings());
    return true;
}

} // namespace quorrix::gui
