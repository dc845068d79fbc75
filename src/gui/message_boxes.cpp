#include "gui/message_boxes.h"

#include <algorithm>
#include <stdexcept>

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include "gui/qt_text.h"
#include "gui/window_thread.h"

namespace quorrix::gui {

using engine::MessageAnswer;
using engine::MessageButtons;
using engine::MessageIcon;

namespace {

struct AnswerButton {
    MessageAnswer answer;
    QMessageBox::StandardButton button;
};

constexpr AnswerButton kAnswerButtons[] = {
    { MessageAnswer::Ok, QMessageBox::Ok },
    { MessageAnswer::Cancel, QMessageBox::Cancel },
    { MessageAnswer::Yes, QMessageBox::Yes },
    { MessageAnswer::No, QMessageBox::No },
    { MessageAnswer::Retry, QMessageBox::Retry },
};

QMessageBox::StandardButton buttonOf(MessageAnswer answer)
{
    for (const AnswerButton& row : kAnswerButtons) {
        if (row.answer == answer)
            return row.button;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

bool offers(const MessageRequest& request, MessageAnswer answer)
{
    const std::vector<MessageAnswer> answers = answersOf(request.buttons);
    return std::find(answers.begin(), answers.end(), answer) != answers.end();
}

// Lines a message box shows before the rest goes into its details.
constexpr qsizetype kMaxBoxLines = 25;

// The run's message text is collected with CR LF line ends.
QString displayText(const std::string& text)
{
    QString shown = toQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

std::vector<MessageAnswer> answersOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return { MessageAnswer::Ok };
    case MessageButtons::OkCancel:
        return { MessageAnswer::Ok, MessageAnswer::Cancel };
    case MessageButtons::YesNo:
        return { MessageAnswer::Yes, MessageAnswer::No };
    case MessageButtons::YesNoCancel:
        return { MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel };
    case MessageButtons::RetryCancel:
        return { MessageAnswer::Retry, MessageAnswer::Cancel };
    }
    return { MessageAnswer::Ok };
}

MessageAnswer defaultAnswerOf(const MessageRequest& request)
{
    if (request.defaultAnswer && offers(request, *request.defaultAnswer))
        return *request.defaultAnswer;
    return answersOf(request.buttons).front();
}

MessageBoxes::MessageBoxes(QWidget* owner)
    : m_owner(owner)
{
}

MessageAnswer MessageBoxes::show(
    const std::string& text, const std::string& title, MessageIcon icon, MessageButtons buttons)
{
    return ask({ text, title, icon, buttons, std::nullopt });
}

MessageAnswer MessageBoxes::showWithDefault(const std::string& text, const std::string& title,
    MessageIcon icon, MessageButtons buttons, MessageAnswer defaultAnswer)
{
    return ask({ text, title, icon, buttons, defaultAnswer });
}

MessageAnswer MessageBoxes::ask(const MessageRequest& request)
{
    // A run on its own thread asks through the window thread, which owns every window.
    if (QCoreApplication* application = QCoreApplication::instance();
        application && QThread::currentThread() != application->thread())
        return onThreadOf(*application, [this, &request] { return ask(request); });
    ShownMessage record { request, MessageAnswer::Ok, true };
    if (!m_answers.empty()) {
        record.answer = m_answers.front();
        m_answers.pop_front();
        if (!offers(request, record.answer))
            throw std::logic_error("queued answer is not a button of the message box \""
                + request.title + "\": " + request.text);
    } else if (m_unattended) {
        record.answer = defaultAnswerOf(request);
    } else {
        record.answeredByHook = false;
        record.answer = exec(request);
    }
    m_shown.push_back(record);
    return record.answer;
}

MessageAnswer MessageBoxes::exec(const MessageRequest& request)
{
    QWidget* owner = m_owner ? m_owner.data() : QApplication::activeWindow();
    QMessageBox box(owner);
    box.setIcon(qtIcon(request.icon));
    box.setWindowTitle(toQString(request.title));
    box.setTextFormat(Qt::PlainText); // paths and messages may hold "<"
    // A run over a thousand documents can report as many lines: the box would outgrow the
    // screen and hide its buttons. Its head stays in the box, the whole text scrolls in the
    // details.
    const QString text = displayText(request.text);
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > kMaxBoxLines) {
        box.setText(lines.mid(0, kMaxBoxLines - 1).join(QLatin1Char('\n')) + QStringLiteral("\n…"));
        box.setDetailedText(text);
    } else {
        box.setText(text);
    }

    QMessageBox::StandardButtons standard;
    for (MessageAnswer answer : answersOf(request.buttons))
        standard |= buttonOf(answer);
    box.setStandardButtons(standard);
    box.setDefaultButton(buttonOf(defaultAnswerOf(request)));
    // Escape and the close button give Cancel where the box has one; a box with only OK
    // answers OK; a yes/no question has to be answered.
    if (offers(request, MessageAnswer::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    else if (request.buttons == MessageButtons::Ok)
        box.setEscapeButton(QMessageBox::Ok);

    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const AnswerButton& row : kAnswerButtons) {
        if (row.button == clicked && offers(request, row.answer))
            return row.answer;
    }
    // Closed without a button (the window manager, a session end): the cautious answer.
    return offers(request, MessageAnswer::Cancel) ? MessageAnswer::Cancel
                                                  : answersOf(request.buttons).back();
}

} // namespace quorrix::gui
