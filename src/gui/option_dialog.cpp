#include "gui/option_dialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "engine/run/program_start.h"
#include "engine/settings/multi_language.h"
#include "engine/settings/registry.h"
#include "gui/control_array.h"
#include "gui/file_dialogs.h"
#include "gui/message_boxes.h"
#include "gui/qt_language_form.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kInfoTitle = 2;
constexpr int kInfoFolderTitle = 7;
constexpr int kInfoFolderMissing = 152;
constexpr const char* kSelectsAllOnFocus = "quorrixSelectsAllOnFocus";

} // namespace

QSize twipsToPixels(TwipsSize size)
{
    const ScreenDpi dpi = primaryScreenDpi();
    return { twipsToPixels(size.width, dpi.x), twipsToPixels(size.height, dpi.y) };
}

OptionDialog::OptionDialog(const char* name, int titleInfoText, TwipsSize minimum,
    const MainWindowPorts& ports, QWidget* parent)
    : QDialog(parent)
    , m_ports(ports)
    , m_titleInfoText(titleInfoText)
    , m_minimum(minimum)
    , m_window(*this)
    , m_position(ports.store, "QUORRIX")
{
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_DeleteOnClose);
    engine::bindToProgramKey(m_position, m_window, engine::kProgramKey);
}

OptionDialog::~OptionDialog() = default;

engine::Settings& OptionDialog::settings() const
{
    return m_ports.program.settings;
}

engine::clsMultiLanguage& OptionDialog::language() const
{
    return m_ports.program.language;
}

std::string OptionDialog::info(int number) const
{
    return language().GetInfoText(number);
}

void OptionDialog::translate()
{
    QtLanguageForm form(*this);
    language().GetAllControlText(form);
    if (m_titleInfoText > 0)
        setWindowTitle(toQString(info(m_titleInfoText)));
}

void OptionDialog::connectOkCancel(QAbstractButton* ok, QAbstractButton* cancel)
{
    if (auto* push = qobject_cast<QPushButton*>(ok)) {
        push->setDefault(true);
        push->setAutoDefault(true);
    }
    connect(ok, &QAbstractButton::clicked, this, &OptionDialog::accept);
    connect(cancel, &QAbstractButton::clicked, this, &OptionDialog::reject);
}

void OptionDialog::connectFolderFrame(
    QCheckBox* inDocumentFolder, QLineEdit* folder, QAbstractButton* browse)
{
    const auto follow = [folder, browse](bool inFolder) {
        folder->setEnabled(!inFolder);
        browse->setEnabled(!inFolder);
    };
    connect(inDocumentFolder, &QCheckBox::toggled, this, follow);
    follow(inDocumentFolder->isChecked());
    connect(browse, &QAbstractButton::clicked, this, [this, folder] {
        const std::optional<std::string> chosen
            = m_ports.fileDialogs.chooseFolder(info(kInfoFolderTitle), toStdString(folder->text()));
        if (chosen)
            folder->setText(toQString(*chosen));
    });
}

void OptionDialog::warnIfFolderMissing(const QLineEdit* folder)
{
    if (!folder->isEnabled() || folder->text().isEmpty() || QFileInfo(folder->text()).isDir())
        return;
    m_ports.messages.show(info(kInfoFolderMissing) + "\n" + toStdString(folder->text()),
        info(kInfoTitle), engine::MessageIcon::Exclamation);
}

void OptionDialog::selectAllOnFocus(std::initializer_list<QLineEdit*> boxes)
{
    for (QLineEdit* box : boxes) {
        box->setProperty(kSelectsAllOnFocus, true);
        box->installEventFilter(this);
    }
}

bool OptionDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && watched->property(kSelectsAllOnFocus).toBool()) {
        // A click that gave the focus would place the caret afterwards: select once it is done.
        auto* box = static_cast<QLineEdit*>(watched);
        QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

int OptionDialog::checkedOption(const char* array) const
{
    for (int index = 0;; ++index) {
        const auto* option
            = findChild<QRadioButton*>(controlArrayMemberName(QLatin1String(array), index));
        if (!option)
            return 0;
        if (option->isChecked())
            return index;
    }
}

void OptionDialog::checkOption(const char* array, int index)
{
    auto* option = findChild<QRadioButton*>(controlArrayMemberName(QLatin1String(array), index));
    if (option) {
        option->setChecked(true);
        return;
    }
    // None of them: the group must let go of its checked member first.
    for (int member = 0;; ++member) {
        auto* other
            = findChild<QRadioButton*>(controlArrayMemberName(QLatin1String(array), member));
        if (!other)
            return;
        other->setAutoExclusive(false);
        other->setChecked(false);
        other->setAutoExclusive(true);
    }
}

void OptionDialog::setOptionCaptions(const char* array, std::initializer_list<int> infoTexts)
{
    int index = 0;
    for (const int number : infoTexts)
        control<QRadioButton>(controlArrayMemberName(QLatin1String(array), index++))
            ->setText(toQString(info(number)));
}

void OptionDialog::accept()
{
    if (apply())
        QDialog::accept();
}

void OptionDialog::done(int result)
{
    if (m_keepsPosition)
        m_position.SaveForm();
    QDialog::done(result);
}

void OptionDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The stored size is the outer frame, which is known only once the window is shown.
    if (m_positionRestored)
        return;
    m_positionRestored = true;
    const QSize smallest = twipsToPixels(m_minimum) - (frameGeometry().size() - size());
    setMinimumSize(minimumSize().expandedTo(smallest));
    if (m_keepsPosition)
        engine::restoreOrCenter(m_position);
    resize(size().expandedTo(minimumSize()));
}

} // namespace quorrix::gui
