#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/settings/settings.h"

namespace quorrix::engine {

class RegionalFormat;
class SwConnection;

// Status texts of the line-weight procedures.
inline constexpr const char* kStatusNoSolidWorks = "NoSolidWorks";
inline constexpr const char* kStatusNoValidSwxVersion = "NoValidSWXVersion";

// SolidWorks preference ids of the eight line weights, thin to thick 6.
inline constexpr int kFirstLineWeightPreference = 48;

// The field names of the eight widths, as the settings and the failure lines name them.
const std::array<const char*, kLineWeights>& lineWeightFieldNames();

// A line-weight record with the program's defaults: not used, 0.25 mm to 4 mm.
PrinterLineSettings defaultPrinterLineSettings();

// Reads SolidWorks' eight widths into the record (clears its use flag). From SolidWorks
// 2009 (revision 17) on they are the active drawing's, limited to 0.5 to 4 mm; without an
// active document nothing is read and the result is still true.
bool Swx_GetPrinterLines(SwConnection& connection, PrinterLineSettings& lines, std::string& status);

// Writes the record's eight widths; from revision 17 on into the active drawing (a part or
// assembly, or no document, is left alone), below as system options. Failure lines are
// appended to message; "NoSolidWorks" and "NoValidSWXVersion" replace it.
bool Swx_SetPrinterLines(
    SwConnection& connection, const PrinterLineSettings& lines, std::string& message);

// As Swx_SetPrinterLines, but always as system options; message is emptied first.
bool Swx_ForceSystemPrinterLines(
    SwConnection& connection, const PrinterLineSettings& lines, std::string& message);

// The line-weight dialog's rule: a number from 0.05 to 4.0 millimetres inclusive.
bool isValidLineWeightText(const std::string& text, const RegionalFormat& regional);

// The dialog's working copy: eight millimetre texts in the user's format and the use flag.
struct PrinterLineTexts {
    bool use = false;
    std::array<std::string, kLineWeights> millimetres;
};
PrinterLineTexts printerLineTexts(const PrinterLineSettings& lines, const RegionalFormat& regional);
// The record the texts describe; nothing when any text is invalid.
std::optional<PrinterLineSettings> printerLinesFromTexts(
    const PrinterLineTexts& texts, const RegionalFormat& regional);

} // namespace quorrix::engine
