#pragma once

#include <QObject>
#include <QString>

#include "engine/run/batch_run.h"
#include "engine/run/run_environment.h"

namespace quorrix::engine {
class Clock;
class Program;
class FileSystem;
class RegionalFormat;
class Shell;
} // namespace quorrix::engine

namespace quorrix::gui {

class frmMain;
class frmProgress;
class MessageBoxes;

// Connects the main window's commands to the engine: the file browser, the print list
// commands and the runs, which report through frmProgress.
class MainWindowCommands : public QObject {
    Q_OBJECT
public:
    MainWindowCommands(frmMain& window, engine::Program& program, engine::FileSystem& files,
        engine::Clock& clock, const engine::RegionalFormat& regional, engine::Shell& shell,
        MessageBoxes& messages, frmProgress& progress, const std::string& programFolder,
        const std::string& userDataFolder);

    // Lists the files of the folder the browser shows, by the two filter check boxes.
    void fillFileList();
    // Runs an action over the print list (or the active document) with the window's flags.
    engine::RunReport runAction(const QString& action);
    void showProcessed();

private:
    void connectListCommands();
    void connectRuns();
    void tellNotAdded(const std::vector<std::string>& notAdded);
    engine::MainWindowFlags flags() const;

    frmMain& m_window;
    engine::Program& m_program;
    engine::FileSystem& m_files;
    const engine::RegionalFormat& m_regional;
    MessageBoxes& m_messages;
    frmProgress& m_progress;
    engine::ActionContext m_context;
    engine::RunEnvironment m_environment;
};

} // namespace quorrix::gui
