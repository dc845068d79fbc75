#pragma once

#include <string>
#include <vector>

namespace quorrix::engine {
class Clock;
class DocumentManagerConnector;
class FileSystem;
class KeyValueStore;
class PdfCombiner;
class Program;
class RegionalFormat;
class Shell;
} // namespace quorrix::engine

namespace quorrix::gui {

class FileDialogs;
class MessageBoxes;

// What the main window's commands work with: the started program, the platform's ports and
// the program's message boxes and file dialogs. Everything outlives the main window.
struct MainWindowPorts {
    engine::Program& program;
    engine::KeyValueStore& store;
    engine::FileSystem& files;
    engine::Clock& clock;
    const engine::RegionalFormat& regional;
    engine::Shell& shell;
    MessageBoxes& messages;
    FileDialogs& fileDialogs;
    engine::DocumentManagerConnector& documentManager;
    std::string programFolder;
    std::string userDataFolder;
    bool solidWorksStandIn = false; // the SolidWorks stand-in answers instead of SolidWorks
    engine::PdfCombiner* pdfCombiner = nullptr; // joins a run's PDFs; nullptr: built without
};

// Tells the user once which paths did not fit into the full print list; nothing when all did.
void tellNotAdded(const MainWindowPorts& ports, const std::vector<std::string>& notAdded);

} // namespace quorrix::gui
