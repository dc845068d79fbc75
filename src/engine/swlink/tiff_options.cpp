#include "engine/swlink/tiff_options.h"

#include "engine/platform/message_box_port.h"
#include "engine/swlink/sw_connection.h"

namespace quorrix::engine {

namespace {

constexpr std::int32_t kCapture = 6;
constexpr std::int32_t kImageType = 7;
constexpr std::int32_t kCompression = 8;
constexpr std::int32_t kDpi = 9;
constexpr std::int32_t kPaperSize = 10;
constexpr std::int32_t kScaleFactor = 11;
constexpr std::int32_t kScaleToFit = 28; // toggle
constexpr std::int32_t kPaperHeight = 8; // double
constexpr std::int32_t kPaperWidth = 9; // double
constexpr std::int32_t kUserPaper = 12;

constexpr const char* kProgramTitle = "QUORRIX";
constexpr const char* kUnknownError = "Unbekannter Fehler";
constexpr const char* kNotRunning = "Solidworks läuft gar nicht";
constexpr const char* kSetHeading = "Fehler beim Setzen der TIFF-Optionen";

// Connect and make SolidWorks visible; false (with the user told, or error set) when
// there is no SolidWorks to talk to.
bool reachSolidWorks(SwConnection& connection, MessageBoxPort& messages, std::string& error)
{
    if (!connection.ConnectSolidWorks()) {
        messages.show(kNoSwxInstanceMessage, kProgramTitle);
        return false;
    }
    if (!connection.swApp()) {
        error = kNotRunning;
        return false;
    }
    connection.swApp()->Visible(true);
    return true;
}

std::int16_t narrow(std::int32_t value)
{
    return static_cast<std::int16_t>(value);
}

} // namespace

bool GetTiffOptions(SwConnection& connection, MessageBoxPort& messages, std::int16_t& capture,
    std::int16_t& imageType, std::int16_t& compression, std::int16_t& dpi, std::int16_t& paperSize,
    std::int16_t& scaleFactor, std::int16_t& scaleToFit, double& paperWidth, double& paperHeight,
    std::string& error)
{
    error = kUnknownError;
    capture = imageType = compression = dpi = paperSize = scaleFactor = -1;
    scaleToFit = 0;
    paperWidth = paperHeight = -1.0;
    if (!reachSolidWorks(connection, messages, error))
        return false;
    SwApplication& app = *connection.swApp();
    capture = narrow(app.GetUserPreferenceIntegerValue(kCapture));
    imageType = narrow(app.GetUserPreferenceIntegerValue(kImageType));
    compression = narrow(app.GetUserPreferenceIntegerValue(kCompression));
    dpi = narrow(app.GetUserPreferenceIntegerValue(kDpi));
    paperSize = narrow(app.GetUserPreferenceIntegerValue(kPaperSize));
    scaleFactor = narrow(app.GetUserPreferenceIntegerValue(kScaleFactor));
    scaleToFit = app.GetUserPreferenceToggle(kScaleToFit) ? -1 : 0;
    paperWidth = app.GetUserPreferenceDoubleValue(kPaperWidth);
    paperHeight = app.GetUserPreferenceDoubleValue(kPaperHeight);
    error.clear();
    return true;
}

bool SetTiffOptions(SwConnection& connection, MessageBoxPort& messages, std::int16_t capture,
    std::int16_t imageType, std::int16_t compression, std::int16_t dpi, std::int16_t paperSize,
    std::int16_t scaleFactor, bool scaleToFit, double paperWidth, double paperHeight,
    std::string& error)
{
    error.clear();
    if (!reachSolidWorks(connection, messages, error))
        return false;
    SwApplication& app = *connection.swApp();

    // Presets that let every later value be accepted, whatever the previous state was.
    app.SetUserPreferenceIntegerValue(kCapture, 1);
    app.SetUserPreferenceIntegerValue(kPaperSize, kUserPaper);
    app.SetUserPreferenceToggle(kScaleToFit, true);
    app.SetUserPreferenceIntegerValue(kCompression, 0);

    const auto check = [&error](bool ok, const char* name) {
        if (!ok)
            error += std::string(name) + " konnte nicht gesetzt werden\r\n";
    };
    check(app.SetUserPreferenceIntegerValue(kScaleFactor, scaleFactor), "TiffprintScaleFactor");
    app.SetUserPreferenceToggle(kScaleToFit, scaleToFit);
    check(app.SetUserPreferenceDoubleValue(kPaperWidth, paperWidth), "TiffPrintPaperWidth");
    check(app.SetUserPreferenceDoubleValue(kPaperHeight, paperHeight), "TiffPrintPaperHeight");
    check(app.SetUserPreferenceIntegerValue(kPaperSize, paperSize), "TiffPrintPaperSize");
    check(app.SetUserPreferenceIntegerValue(kDpi, dpi), "TiffPrintDPI");
    check(app.SetUserPreferenceIntegerValue(kCapture, capture), "TiffScreenOrPrintCapture");
    check(app.SetUserPreferenceIntegerValue(kImageType, imageType), "TiffImageType");
    check(app.SetUserPreferenceIntegerValue(kCompression, compression), "TiffCompressionScheme");

    if (!error.empty()) {
        error = std::string(kSetHeading) + "\r\n" + error;
        return false;
    }
    return true;
}

bool GetTiffOptions(
    SwConnection& connection, MessageBoxPort& messages, TiffOptions& options, std::string& error)
{
    return GetTiffOptions(connection, messages, options.capture, options.imageType,
        options.compression, options.dpi, options.paperSize, options.scaleFactor,
        options.scaleToFit, options.paperWidth, options.paperHeight, error);
}

bool SetTiffOptions(SwConnection& connection, MessageBoxPort& messages, const TiffOptions& options,
    std::string& error)
{
    return SetTiffOptions(connection, messages, options.capture, options.imageType,
        options.compression, options.dpi, options.paperSize, options.scaleFactor,
        options.scaleToFit != 0, options.paperWidth, options.paperHeight, error);
}

} // namespace quorrix::engine
