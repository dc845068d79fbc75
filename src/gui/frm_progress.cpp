#include "gui/frm_progress.h"
#include "gui/eliding_label.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/settings/multi_language.h"
#include "engine/settings/registry.h"
#include "gui/message_boxes.h"
#include "gui/qt_language_form.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

using engine::RunBar;
using engine::RunLabel;

namespace {

constexpr int kTitleInfoText = 3;
constexpr const char* kDesignTitle = "QRX Progress";
constexpr const char* kDesignCancel = "Abbruch";
constexpr int kMinimumWidth = 420;

QLabel* makeLabel(const char* name, QWidget* parent)
{
    auto* label = new ElidingLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText); // paths may hold "<"
    // A long path must not stretch the window across the screen; it shows its middle
    // shortened instead.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setAutoFillBackground(true);
    return label;
}

QProgressBar* makeBar(const char* name, QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, frmProgress::kBarSteps);
    bar->setTextVisible(false);
    return bar;
}

// The label texts the run composes use CR LF where they break a line.
QString displayText(const std::string& caption)
{
    QString text = toQString(caption);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

frmProgress::frmProgress(engine::CancelFlag& cancelFlag, engine::clsMultiLanguage& language,
    engine::KeyValueStore& store, MessageBoxes& messages, QWidget* parent)
    : QWidget(parent)
    , m_cancelFlag(cancelFlag)
    , m_language(language)
    , m_messages(messages)
    , m_window(*this)
    , m_position(store, "QUORRIX")
    , m_lblProgress(makeLabel("lblProgress", this))
    , m_lblQRXList(makeLabel("lblQRXList", this))
    , m_lblSheet(makeLabel("lblSheet", this))
    , m_cmdCancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmProgress"));
    // Its own window even when owned by the main window; no close button: a run is ended
    // with Cancel, which lets the current sheet finish.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_listBar.widget = makeBar("prgrQRXList", this);
    m_sheetBar.widget = makeBar("prgrSheet", this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdCancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblProgress);
    layout->addWidget(m_lblQRXList);
    layout->addWidget(m_listBar.widget);
    layout->addWidget(m_lblSheet);
    layout->addWidget(m_sheetBar.widget);
    layout->addLayout(buttons);
    setMinimumWidth(kMinimumWidth);

    connect(m_cmdCancel, &QPushButton::clicked, this, [this] { m_cancelFlag = -1; });

    engine::bindToProgramKey(m_position, m_window, engine::kProgramKey);
    resetToDesign();
}

frmProgress::~frmProgress() = default;

void frmProgress::resetToDesign()
{
    setWindowTitle(QString::fromLatin1(kDesignTitle));
    m_captions.clear();
    for (QLabel* label : { m_lblProgress, m_lblQRXList, m_lblSheet }) {
        label->clear();
        label->setToolTip({});
    }
    m_cmdCancel->setText(QString::fromUtf8(kDesignCancel));
    m_cmdCancel->setToolTip({});
    for (Bar* each : { &m_listBar, &m_sheetBar }) {
        each->minimum = 0.0f;
        each->maximum = 100.0f;
        each->value = 0.0f;
        showBar(*each);
    }
    applyHighlight(false);
    adjustSize();
}

void frmProgress::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    resetToDesign();
    QtLanguageForm form(*this);
    m_language.GetAllControlText(form);
    setWindowTitle(toQString(m_language.GetInfoText(kTitleInfoText)));
    engine::restoreOrCenter(m_position);
    m_restorePending = true;
}

void frmProgress::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_restorePending) {
        m_restorePending = false;
        engine::restoreOrCenter(m_position);
    }
}

QLabel* frmProgress::labelWidget(RunLabel label) const
{
    switch (label) {
    case RunLabel::Progress:
        return m_lblProgress;
    case RunLabel::List:
        return m_lblQRXList;
    case RunLabel::Sheet:
        break;
    }
    return m_lblSheet;
}

frmProgress::Bar& frmProgress::bar(RunBar which)
{
    return which == RunBar::List ? m_listBar : m_sheetBar;
}

void frmProgress::setLabel(RunLabel label, const std::string& caption)
{
    load();
    m_captions[label] = caption;
    labelWidget(label)->setText(displayText(caption));
}

std::string frmProgress::label(RunLabel label) const
{
    const auto found = m_captions.find(label);
    return found != m_captions.end() ? found->second : toStdString(labelWidget(label)->text());
}

void frmProgress::setSheetLabelHighlighted(bool highlighted)
{
    load();
    applyHighlight(highlighted);
}

void frmProgress::applyHighlight(bool highlighted)
{
    m_highlighted = highlighted;
    QPalette palette = m_lblSheet->palette();
    palette.setColor(QPalette::Window,
        highlighted ? QColor(Qt::red) : QApplication::palette().color(QPalette::Button));
    m_lblSheet->setPalette(palette);
}

void frmProgress::showBar(Bar& bar)
{
    const double span = static_cast<double>(bar.maximum) - bar.minimum;
    double share = span > 0.0 ? (static_cast<double>(bar.value) - bar.minimum) / span : 0.0;
    share = std::clamp(std::isfinite(share) ? share : 0.0, 0.0, 1.0);
    bar.widget->setValue(static_cast<int>(std::lround(share * kBarSteps)));
}

void frmProgress::setBarRange(RunBar which, float minimum, float maximum)
{
    load();
    Bar& target = bar(which);
    target.minimum = minimum;
    target.maximum = maximum;
    showBar(target);
}

void frmProgress::setBarValue(RunBar which, float value)
{
    load();
    Bar& target = bar(which);
    target.value = value;
    showBar(target);
}

void frmProgress::show()
{
    load();
    QWidget::show();
    raise();
}

void frmProgress::repaint()
{
    if (m_loaded)
        QWidget::repaint();
}

void frmProgress::unload()
{
    if (!m_loaded)
        return;
    m_position.SaveForm();
    hide();
    m_loaded = false;
}

void frmProgress::processEvents()
{
    QCoreApplication::processEvents();
}

engine::MessageAnswer frmProgress::show(const std::string& text, const std::string& title,
    engine::MessageIcon icon, engine::MessageButtons buttons)
{
    return m_messages.show(text, title, icon, buttons);
}

void frmProgress::closeEvent(QCloseEvent* event)
{
    // Alt+F4 during a run would leave the run going on without a window.
    if (m_loaded)
        event->ignore();
    else
        QWidget::closeEvent(event);
}

} // namespace quorrix::gui
