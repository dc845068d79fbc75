#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "engine/platform/message_box_port.h"

namespace quorrix::gui {

struct MessageRequest {
    std::string text;
    std::string title;
    engine::MessageIcon icon = engine::MessageIcon::None;
    engine::MessageButtons buttons = engine::MessageButtons::Ok;
    // None: the first button, as Windows chooses.
    std::optional<engine::MessageAnswer> defaultAnswer;
};

// A message box that was asked for, and how it was answered.
struct ShownMessage {
    MessageRequest request;
    engine::MessageAnswer answer = engine::MessageAnswer::Ok;
    bool answeredByHook = false; // answered by the test hook, no window was shown
};

// The program's modal message boxes. Nothing else in the program creates a QMessageBox.
//
// Test hook: answers queued with queueAnswer() are given, one per box, without showing a
// window; every box asked for is recorded in shown(). A test that expects no box at all
// sets unattended, so that a box nobody expected answers with its default button instead
// of blocking the test.
class MessageBoxes : public engine::MessageBoxPort {
public:
    // owner: the window the boxes are modal to; none: the active window.
    explicit MessageBoxes(QWidget* owner = nullptr);

    void setOwner(QWidget* owner) { m_owner = owner; }

    engine::MessageAnswer show(const std::string& text, const std::string& title,
        engine::MessageIcon icon = engine::MessageIcon::None,
        engine::MessageButtons buttons = engine::MessageButtons::Ok) override;
    engine::MessageAnswer showWithDefault(const std::string& text, const std::string& title,
        engine::MessageIcon icon, engine::MessageButtons buttons,
        engine::MessageAnswer defaultAnswer) override;
    engine::MessageAnswer ask(const MessageRequest& request);

    // Test hook. An answer that is not one of the box's buttons is a mistake of the test and
    // throws std::logic_error when the box asks for it.
    void queueAnswer(engine::MessageAnswer answer) { m_answers.push_back(answer); }
    std::size_t queuedAnswers() const { return m_answers.size(); }
    void setUnattended(bool unattended) { m_unattended = unattended; }
    const std::vector<ShownMessage>& shown() const { return m_shown; }
    void clearShown() { m_shown.clear(); }

private:
    engine::MessageAnswer exec(const MessageRequest& request);

    QPointer<QWidget> m_owner;
    std::deque<engine::MessageAnswer> m_answers;
    bool m_unattended = false;
    std::vector<ShownMessage> m_shown;
};

// The buttons of a box in the order Windows shows them; the first is the usual default.
std::vector<engine::MessageAnswer> answersOf(engine::MessageButtons buttons);

// The answer a box gives on Enter: the requested default when it is one of the box's
// buttons, otherwise the first button.
engine::MessageAnswer defaultAnswerOf(const MessageRequest& request);

} // namespace quorrix::gui
