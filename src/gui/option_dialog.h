#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "engine/settings/form_pos.h"
#include "gui/main_window_ports.h"
#include "gui/qt_positioned_window.h"

class QAbstractButton;
class QCheckBox;
class QLineEdit;

namespace quorrix::engine {
class clsMultiLanguage;
struct Settings;
} // namespace quorrix::engine

namespace quorrix::gui {

// The smallest outer size of a window, in twips.
struct TwipsSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// What every option window has in common: it is named like the window (its language-file
// section and its stored position), takes its texts from the language file and its title
// from an info text, restores its position when it is first shown (at least its minimum
// size) and stores it when it closes, and changes the settings record only on OK. Enter
// presses OK (the default button), Esc cancels.
//
// A subclass builds its controls, connects OK and Cancel with connectOkCancel(), calls
// translate() and then shows the settings. OK calls apply(); a dialog that finds a value it
// cannot take tells the user and returns false, and stays open.
class OptionDialog : public QDialog {
    Q_OBJECT

public:
    OptionDialog(const char* name, int titleInfoText, TwipsSize minimum,
        const MainWindowPorts& ports, QWidget* parent);
    ~OptionDialog() override;

    void accept() override;
    void done(int result) override;

protected:
    // Stores the controls into the settings record; false keeps the dialog open.
    virtual bool apply() = 0;

    void translate();
    // A window that opens where Qt places it each time instead of where it was left.
    void forgetPosition() { m_keepsPosition = false; }
    void connectOkCancel(QAbstractButton* ok, QAbstractButton* cancel);
    // The folder frame: the check box "save next to the document" disables the folder box
    // and its "..." button, which opens the folder chooser and puts the chosen folder into
    // the box.
    void connectFolderFrame(
        QCheckBox* inDocumentFolder, QLineEdit* folder, QAbstractButton* browse);
    // A folder the user typed or chose that does not exist is stored all the same (a run
    // reports it), but the user is told now, once per OK.
    void warnIfFolderMissing(const QLineEdit* folder);
    // Boxes whose whole text is selected when they get the focus, so that typing replaces it.
    void selectAllOnFocus(std::initializer_list<QLineEdit*> boxes);

    // An option-button array (members <array>_0, <array>_1, ...): the index of the checked
    // member, 0 when none is; checking one by index (an index out of range checks none).
    int checkedOption(const char* array) const;
    void checkOption(const char* array, int index);
    // The captions of an option-button array from info texts, one per member.
    void setOptionCaptions(const char* array, std::initializer_list<int> infoTexts);

    // A child control by its object name; a missing one is a mistake in the form.
    template <typename T> T* control(const QString& name) const
    {
        T* found = findChild<T*>(name);
        Q_ASSERT_X(found, "OptionDialog::control", qPrintable(name));
        return found;
    }

    engine::Settings& settings() const;
    engine::clsMultiLanguage& language() const;
    std::string info(int number) const;
    const MainWindowPorts& ports() const { return m_ports; }

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindowPorts m_ports;
    int m_titleInfoText;
    TwipsSize m_minimum;
    QtPositionedWindow m_window;
    engine::CFormPos m_position;
    bool m_positionRestored = false;
    bool m_keepsPosition = true;
};

// Twips to pixels on the primary screen.
QSize twipsToPixels(TwipsSize size);

} // namespace quorrix::gui
