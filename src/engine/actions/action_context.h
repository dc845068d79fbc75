#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/actions/cancel_flag.h"

#include "engine/settings/multi_language.h"
#include "engine/settings/settings.h"

namespace quorrix::engine {

class Clock;
class FileSystem;
struct PdfPart;
class RunView;
class SwConnection;
class WrittenOutputs;

// What the document procedures work with. All of it is program-wide and outlives a run.
struct ActionContext {
    Settings& settings;
    UsageCounters& counters;
    SwConnection& connection;
    RunView& view;
    clsMultiLanguage& language;
    Clock& clock;
    FileSystem& files;
    CancelFlag& cancelFlag;
    PrinterLineSettings& defaultLines; // SolidWorks' own widths, read when a run starts
    std::string& pdfAddInPath; // found at start; empty when the add-in is missing
    // The files the running run has written; set by the run for its duration.
    WrittenOutputs* outputs = nullptr;
    // Where the document export notes each PDF it wrote, while the run combines them.
    std::vector<PdfPart>* writtenPdfs = nullptr;

    std::string infoText(std::int32_t number) { return language.GetInfoText(number); }
    bool cancelled() const { return cancelFlag != 0; }
};

// Appends one error line: the file name, a blank, info text number, CR LF.
inline void appendErrorLine(ActionContext& context, std::string& errorText,
    const std::string& fileName, std::int32_t number)
{
    errorText += fileName + " " + context.infoText(number) + "\r\n";
}

} // namespace quorrix::engine
