#pragma once

#include <cstdint>
#include <string>

namespace quorrix::engine {

class MessageBoxPort;
class SwConnection;

// SolidWorks' TIFF preferences as the program reads and writes them.
struct TiffOptions {
    std::int16_t capture = -1; // integer 6: 0 screen, 1 print capture
    std::int16_t imageType = -1; // integer 7: 0 black/white, 1 RGB
    std::int16_t compression = -1; // integer 8: 0 none, 1 PackBits, 2 Group 4 fax
    std::int16_t dpi = -1; // integer 9
    std::int16_t paperSize = -1; // integer 10: paper index 0-12
    std::int16_t scaleFactor = -1; // integer 11: per cent
    std::int16_t scaleToFit = 0; // toggle 28
    double paperWidth = -1.0; // double 9
    double paperHeight = -1.0; // double 8
};

// The message of both procedures when SolidWorks cannot be reached.
inline constexpr const char* kNoSwxInstanceMessage
    = "Can't find SWX instance, please check your installation of SOLIDWORKS";

// Reads the nine TIFF preferences. Without SolidWorks it shows the no-instance message
// (no icon, the program's title) and returns false with error "Unbekannter Fehler" and
// the values -1 (the flag 0).
bool GetTiffOptions(SwConnection& connection, MessageBoxPort& messages, std::int16_t& capture,
    std::int16_t& imageType, std::int16_t& compression, std::int16_t& dpi, std::int16_t& paperSize,
    std::int16_t& scaleFactor, std::int16_t& scaleToFit, double& paperWidth, double& paperHeight,
    std::string& error);

// Writes them: first the fixed presets, then each value; every refused value adds its line
// under the heading "Fehler beim Setzen der TIFF-Optionen".
bool SetTiffOptions(SwConnection& connection, MessageBoxPort& messages, std::int16_t capture,
    std::int16_t imageType, std::int16_t compression, std::int16_t dpi, std::int16_t paperSize,
    std::int16_t scaleFactor, bool scaleToFit, double paperWidth, double paperHeight,
    std::string& error);

// The same on a record, for callers that keep the values together.
bool GetTiffOptions(
    SwConnection& connection, MessageBoxPort& messages, TiffOptions& options, std::string& error);
bool SetTiffOptions(SwConnection& connection, MessageBoxPort& messages, const TiffOptions& options,
    std::string& error);

} // namespace quorrix::engine
