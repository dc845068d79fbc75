#pragma once

#include <QObject>

#include <functional>

#include "gui/main_window_ports.h"

class QDialog;
class QWidget;

namespace quorrix::gui {

class frmMain;

// Opens the option windows from their menu entries (the buttons and toolbar keys of the
// main window trigger the same entries). A window that is already open is brought to the
// front instead of opening a second one. After OK, the main window shows what the window
// changed of its own controls (check boxes, labels).
class MainWindowDialogs : public QObject {
    Q_OBJECT

public:
    // afterOk runs when any option window was confirmed; the main window refreshes there.
    MainWindowDialogs(frmMain& window, const MainWindowPorts& ports, std::function<void()> afterOk);

    // The open option window of that name, or nullptr.
    QDialog* openWindow(const QString& name) const;

private:
    void open(const char* name, bool modal, const std::function<QDialog*(QWidget*)>& make);

    frmMain& m_window;
    MainWindowPorts m_ports;
    std::function<void()> m_afterOk;
};

} // namespace quorrix::gui
