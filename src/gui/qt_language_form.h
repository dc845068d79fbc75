#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QPointer>

#include "engine/settings/language_control.h"

class QObject;
class QWidget;

namespace quorrix::gui {

// An object with this dynamic property set to true is left out of translation: the entries
// that the program creates at run time (favourites) show data, not texts of the language.
inline constexpr const char* kUntranslatedProperty = "quorrixUntranslated";

// A window as the language files see it: section = the window's object name, controls =
// its named widgets and actions, depth first in the order they were added. The language
// file names a control by its object name; members of a control array ("optKind_2") by the
// array's name (see control_array.h).
//
// Kinds: QLabel label; QGroupBox frame; QCheckBox check box; other buttons (QPushButton,
// QToolButton) command button; QLineEdit, QPlainTextEdit, QTextEdit text box; QListWidget
// list box; QComboBox combo box; QAction and QMenu menu entry (caption "-" is a separator).
// Radio buttons, progress bars, timers and every other named widget are not translated.
// Objects named "qt_..." belong to Qt, nameless objects to no one; both are skipped, and so
// are other windows owned by this one (their dialogs translate themselves).
class QtLanguageForm : public engine::LanguageForm {
public:
    explicit QtLanguageForm(QWidget& window);
    ~QtLanguageForm() override;

    std::string name() const override;
    // Valid until the next call.
    std::vector<engine::LanguageControl*> controls() override;

private:
    QPointer<QWidget> m_window;
    std::vector<std::unique_ptr<engine::LanguageControl>> m_controls;
};

// The adapter for one object; nullptr when the object is no control of a window.
std::unique_ptr<engine::LanguageControl> makeLanguageControl(QObject& object);

} // namespace quorrix::gui
