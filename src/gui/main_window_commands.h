#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

#include "engine/run/batch_run.h"
#include "engine/run/run_environment.h"
#include "engine/settings/form_pos.h"
#include "gui/main_window_ports.h"
#include "gui/qt_positioned_window.h"
#include "gui/qt_z_ordered_window.h"
#include "gui/run_view_relay.h"

class QCheckBox;

namespace quorrix::gui {

class frmMain;
class frmProgress;
class MainWindowDialogs;

// Connects the main window's commands to the engine: the file browser, the print list
// commands, the option check boxes and menu-only options with their settings, the languages,
// the help entries, saving and loading settings, and the runs, which report through
// frmProgress.
class MainWindowCommands : public QObject {
    Q_OBJECT
public:
    MainWindowCommands(frmMain& window, const MainWindowPorts& ports, frmProgress& progress);
    ~MainWindowCommands() override;

    // What the window does while it loads, after the settings were read: the stored language
    // and options through their menu entries (so setting, check box and check mark agree),
    // the version label, no current row in the print list. Every check box must be
    // unchecked when this runs.
    void restoreStartup();
    // The stored window position, else the window is centred. Call once the window is shown.
    void restorePosition();

    // Lists the files of the folder the browser shows, by the two filter check boxes.
    void fillFileList();
    // Runs an action over the print list (or the active document) with the window's flags.
    engine::RunReport runAction(const QString& action);
    void showProcessed();
    void showSwAppVersion();
    // The language menu commands: 0 German, 1 English, 2 the user's language file.
    void switchLanguage(int language);
    // Sets every check box, check mark and caption from the settings record, without the
    // suppress-warnings notice (after a settings file was loaded).
    void showSettings();
    MainWindowDialogs& dialogs() { return *m_dialogs; }

private:
    void connectOptions();
    void connectMenuOptions();
    void connectListCommands();
    void connectRuns();
    void connectSettingsCommands();
    void connectHelp();
    void optionToggled(QCheckBox* check, bool on);
    void setRestartEntry(int documents);
    void unload();
    engine::MainWindowFlags flags() const;
    // Runs on a thread of its own while this thread goes on painting the windows and
    // taking Cancel; returns when the run is over.
    engine::RunReport runOnOwnThread(const std::function<engine::RunReport()>& run);
    void solidWorksNotEnded();

    frmMain& m_window;
    MainWindowPorts m_ports;
    engine::Program& m_program;
    frmProgress& m_progress;
    RunViewRelay m_runView;
    engine::ActionContext m_context;
    engine::RunEnvironment m_environment;
    QtPositionedWindow m_positioned;
    engine::CFormPos m_position;
    QtZOrderedWindow m_zOrder;
    MainWindowDialogs* m_dialogs = nullptr;
    // Start-up restoring and refreshing from a loaded file set the check boxes; the notice
    // of the suppress-warnings switch is for a user who switches it on.
    bool m_quietOptions = false;
};

} // namespace quorrix::gui
