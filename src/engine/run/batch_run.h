#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/swlink/document_type.h"

namespace quorrix::engine {

struct RunEnvironment;
class SwApplication;
class SwDocument;

// The message shown when SolidWorks cannot be reached.
inline constexpr const char* kNoSwxInstanceText
    = "Can't find SWX instance, please check your installation of SOLIDWORKS";

// What a run did, for callers that report beyond the end message (the headless runner).
struct RunReport {
    bool started = false; // false: empty list or no SolidWorks
    bool noSolidWorks = false;
    bool cancelled = false;
    std::string messageText;
    // Every entry that was not done, in the order of the run: it added a line to the
    // message text, a cancel cut it short or skipped it, or SolidWorks was gone before it
    // was reached. Run again, these entries finish the job.
    std::vector<std::string> failedEntries;
    // How many of them never made it into the print list because it was full.
    std::size_t droppedEntries = 0;
    std::string logPath; // the process log, when logging was on
};

// The print-list run over the entries (top to bottom, or reversed by PrintlistReverse).
// beforeShutdown runs at the very end, before ShutdownWhenDone ends SolidWorks: what a
// caller still has to tell SolidWorks after the run (its line weights) must not start it
// again once it has been ended.
RunReport RunPrintList(RunEnvironment& environment, const std::string& action,
    const std::vector<std::string>& entries, const std::function<void()>& beforeShutdown = {});

// The active-document run.
RunReport RunActiveDocument(RunEnvironment& environment, const std::string& action);

// An action command as the main window's buttons give it: the active-document run when
// WorkWithActiveDrawing is ticked, else the print-list run; "Plot", "TIFF" and "EXPORTDOC"
// bracketed by reading and restoring SolidWorks' line weights.
RunReport RunActionCommand(RunEnvironment& environment, const std::string& action,
    const std::vector<std::string>& entries);

// Hands one open document to the procedure of the action (the dispatch table).
void RunDocumentAction(RunEnvironment& environment, const std::string& action, SwApplication& app,
    SwDocument& document, bool closeAfter, std::string& messageText, const std::string& fileName);

// Switches facetted views of a drawing to precise hidden-line display (revision 11.0 on).
void ConvertViews(RunEnvironment& environment, SwDocument& document);

} // namespace quorrix::engine
