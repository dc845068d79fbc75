#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/actions/action_context.h"

namespace quorrix::engine {

class PdfCombiner;
class Registry;
class RegionalFormat;
class Shell;

// The main window's check boxes a run reads; 1 while ticked, never stored.
struct MainWindowFlags {
    std::int16_t OpenReadOnly = 0;
    std::int16_t OpenViewOnly = 0;
    std::int16_t WorkWithActiveDrawing = 0;
};

// Everything a run works with besides the document procedures' context.
struct RunEnvironment {
    ActionContext& actions;
    Registry& registry; // where the usage counters are saved after a run
    const RegionalFormat& regional; // durations in the log
    Shell& shell; // the temporary folder of a multi-job
    std::string programFolder;
    std::string userDataFolder;
    MainWindowFlags flags;
    // Refreshes the main window's statistics label (lblProcessed); may be empty.
    std::function<void()> refreshProcessed;
    // A cancel asked for outside the run's thread (Ctrl+C), which the run can only see
    // between two calls to SolidWorks; the watchdog reads it during a call. May be empty.
    std::function<bool()> cancelRequested;
    // Called on the watchdog's thread when a document is past its time (or a cancel waited
    // too long) and SolidWorks could not be ended: the call under way may never return.
    // Empty: the run waits for it.
    std::function<void()> solidWorksNotEnded;
    // Joins the PDFs of a run into one file; nullptr where the program was built without.
    PdfCombiner* pdfCombiner = nullptr;
    // The combined PDF of the run, combining its PDFs whatever the settings say; empty: the
    // document export's own option decides, and names the file.
    std::string combinedPdfPath;
};

// The statistics label: info text 52, ProcessedDrawings, text 53, ProcessedSheets, text 54,
// joined by blanks.
std::string processedLabelText(ActionContext& context);

// The end of every run: the counters are saved and the statistics label refreshed.
void saveCounters(RunEnvironment& environment);

} // namespace quorrix::engine
