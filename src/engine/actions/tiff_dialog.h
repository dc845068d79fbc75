#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/settings/settings.h"
#include "engine/swlink/tiff_options.h"

namespace quorrix::engine {

class RegionalFormat;

// The TIFF window's paper entries 0 to 11 with the size it shows for them, in millimetres;
// entry 12 is the user's own size.
struct TiffPaperEntry {
    const char* caption;
    double width;
    double height;
};
const std::array<TiffPaperEntry, 12>& tiffPaperEntries();
inline constexpr int kTiffUserPaper = 12;
inline constexpr int kTiffPaperEntries = 13;

// The resolutions the window offers, in dots per inch.
inline constexpr std::array<std::int16_t, 6> kTiffDpiEntries { 50, 100, 200, 300, 400, 600 };

inline constexpr int kTiffCompressionGroup4 = 2;
inline constexpr int kTiffImageRgb = 1;

// The TIFF window's working copy. Lengths are texts in metres in the user's number format,
// as the window shows them; the settings keep the user paper in millimetres.
class TiffOptionsWorkingCopy {
public:
    TiffOptionsWorkingCopy(const Settings& settings, const RegionalFormat& regional);

    int capture = 1; // 0 screen, 1 print capture
    int imageType = 0;
    int compression = 2;
    int dpiEntry = -1; // index into kTiffDpiEntries; -1 when the stored value is none of them
    int paper = 8;
    std::string paperWidth;
    std::string paperHeight;
    int scale = 100; // the last accepted scale, per cent
    bool scaleToFit = true;
    bool ownSize = true;
    bool clearHeaderFooter = false;
    bool inDrawingFolder = true;
    std::string folder;
    int naming = 1;
    PrinterLineSettings lines;

    // Screen capture takes the graphics area: resolution, paper and scale do not apply.
    bool printOptionsApply() const { return capture == 1; }
    bool paperSizeEditable() const { return printOptionsApply() && paper == kTiffUserPaper; }
    bool scaleEditable() const { return printOptionsApply() && !scaleToFit; }

    // A paper entry shows its size; the user entry shows the stored user size.
    void choosePaper(int entry);
    // The whole part of the typed number becomes the scale and the fit box is cleared; a
    // value outside 1 to 1000 (or no number) is refused and the last scale kept.
    bool typeScale(const std::string& text);
    // A colour picture cannot be Group 4 fax compressed: the change is refused and set back
    // (compression to PackBits, image type to black and white).
    bool chooseCompression(int entry);
    bool chooseImageType(int entry);

    // What "set in SolidWorks" hands over, lengths in metres as typed; nothing when a length
    // is no number.
    std::optional<TiffOptions> options() const;
    // What "get from SolidWorks" read.
    void show(const TiffOptions& read);

    // "OK". A length that is no number stores nothing and returns false.
    bool store(Settings& settings) const;

private:
    std::optional<double> metres(const std::string& text) const;
    std::string metresText(double millimetres) const;

    double m_userWidth; // millimetres, as stored
    double m_userHeight;
    const RegionalFormat& m_regional;
};

} // namespace quorrix::engine
