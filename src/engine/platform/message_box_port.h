#pragma once

#include <string>

namespace quorrix::engine {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

// Modal message boxes. The windows show them; the headless runner prints them; tests
// record them and give a chosen answer.
class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;

    virtual MessageAnswer show(const std::string& text, const std::string& title,
        MessageIcon icon = MessageIcon::None, MessageButtons buttons = MessageButtons::Ok)
        = 0;
    // The same box with another button than the first as the default (what Enter gives).
    // Ports that have no default button show the plain box.
    virtual MessageAnswer showWithDefault(const std::string& text, const std::string& title,
        MessageIcon icon, MessageButtons buttons, MessageAnswer defaultAnswer)
    {
        static_cast<void>(defaultAnswer);
        return show(text, title, icon, buttons);
    }
};

} // namespace quorrix::engine
