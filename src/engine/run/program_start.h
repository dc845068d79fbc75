#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/actions/cancel_flag.h"
#include "engine/platform/printer_catalog.h"
#include "engine/settings/multi_language.h"
#include "engine/settings/registry.h"
#include "engine/settings/settings.h"
#include "engine/swlink/printer_lines.h"
#include "engine/swlink/sw_connection.h"

namespace quorrix::engine {

class Clock;
class Connector;
class FileSystem;
class KeyValueStore;
class MessageBoxPort;
class RegionalFormat;

// The ports the program starts with.
struct ProgramPorts {
    KeyValueStore& store;
    FileSystem& files;
    const RegionalFormat& regional;
    Clock& clock;
    MessageBoxPort& messages;
    PrinterCatalog& printerCatalog;
    Connector& connector;
    std::string programFolder;
};

// What the program keeps for its whole life: the settings record, the counters, the
// language object, the installed printers, the SolidWorks object and the cancel flag.
class Program {
public:
    explicit Program(const ProgramPorts& ports);

    // The start-up steps before the main window: language, counters, defaults, printers,
    // PDF add-in, stored settings, SolidWorks. False when the user chose to end the program
    // (no printer, or no SolidWorks).
    bool start();

    Settings settings;
    UsageCounters counters;
    clsMultiLanguage language;
    Registry registry;
    std::vector<InstalledPrinter> printers;
    std::string helpFile;
    std::string pdfAddInPath;
    PrinterLineSettings defaultLines;
    CancelFlag cancelFlag { 0 };
    SwConnection connection;
    bool solidWorksReached = false;

private:
    ProgramPorts m_ports;
};

// The question when SolidWorks cannot be reached at start.
inline constexpr const char* kNoSolidWorksTitle = "QUORRIX - No SolidWorks found";
std::string noSolidWorksQuestion();

} // namespace quorrix::engine
