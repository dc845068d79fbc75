#pragma once

#include <memory>
#include <string>

#include "engine/run/program_start.h"
#include "gui/file_dialogs.h"
#include "gui/message_boxes.h"

namespace quorrix::engine {
class Connector;
class DocumentManagerConnector;
class PdfCombiner;
class PrinterCatalog;
class Shell;
} // namespace quorrix::engine

namespace quorrix::gui {

class frmMain;
class frmProgress;
class MainWindowAssembly;
class MainWindowCommands;
class MainWindowLists;
class MainWindowPreview;

// What the program runs on: the platform's ports, SolidWorks (or its stand-in), the
// Document Manager and the installed printers.
struct SessionPorts {
    engine::KeyValueStore& store;
    engine::FileSystem& files;
    const engine::RegionalFormat& regional;
    engine::Clock& clock;
    engine::Shell& shell;
    engine::Connector& solidWorks;
    engine::DocumentManagerConnector& documentManager;
    engine::PrinterCatalog& printers;
    std::string programFolder;
    std::string userDataFolder;
    bool solidWorksStandIn = false;
    engine::PdfCombiner* pdfCombiner = nullptr; // nullptr: built without one
};

// The running program with its windows: the start-up steps, the main window with all its
// commands, and the shutdown when the main window closes.
class QuorrixSession {
public:
    explicit QuorrixSession(const SessionPorts& ports);
    ~QuorrixSession();

    // The start-up steps, then the main window is built, restored and shown in folder (the
    // working folder when empty). False when the user chose to end the program at start.
    bool start(const std::string& folder = {});

    MessageBoxes& messages() { return m_messages; }
    FileDialogs& fileDialogs() { return m_fileDialogs; }
    engine::Program& program() { return m_program; }
    // Null before start().
    frmMain* window() { return m_window.get(); }
    frmProgress* progress() { return m_progress.get(); }
    MainWindowCommands* commands() { return m_commands; }
    MainWindowLists* lists() { return m_lists; }
    MainWindowPreview* preview() { return m_preview; }
    MainWindowAssembly* assembly() { return m_assembly; }

private:
    SessionPorts m_ports;
    MessageBoxes m_messages;
    FileDialogs m_fileDialogs;
    engine::Program m_program;
    std::unique_ptr<frmMain> m_window;
    std::unique_ptr<frmProgress> m_progress;
    // Owned by the window.
    MainWindowCommands* m_commands = nullptr;
    MainWindowLists* m_lists = nullptr;
    MainWindowPreview* m_preview = nullptr;
    MainWindowAssembly* m_assembly = nullptr;
};

} // namespace quorrix::gui
