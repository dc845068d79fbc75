#include "engine/actions/tiff_dialog.h"

#include <algorithm>
#include <cmath>

#include "engine/platform/number_text.h"
#include "engine/platform/regional_format.h"

namespace quorrix::engine {

namespace {

constexpr int kMinimumScale = 1;
constexpr int kMaximumScale = 1000;
constexpr int kCompressionPackBits = 1;
constexpr int kImageBlackWhite = 0;

int entryIndex(int value, int count, int fallback)
{
    return value >= 0 && value < count ? value : fallback;
}

} // namespace

const std::array<TiffPaperEntry, 12>& tiffPaperEntries()
{
    static const std::array<TiffPaperEntry, 12> entries { { { "A", 279.4, 215.9 },
        { "Av", 215.9, 279.4 }, { "B", 431.8, 279.4 }, { "C", 558.8, 431.8 }, { "D", 863.6, 558.8 },
        { "E", 1117.6, 863.6 }, { "A4Q", 297, 210 }, { "A4H", 210, 297 }, { "A3", 420, 297 },
        { "A2", 594, 420 }, { "A1", 841, 594 }, { "A0", 1189, 841 } } };
    return entries;
}

TiffOptionsWorkingCopy::TiffOptionsWorkingCopy(const Settings& s, const RegionalFormat& regional)
    : capture(entryIndex(s.TiffScreenOrPrintCapture, 2, 1))
    , imageType(entryIndex(s.TiffImageType, 2, 0))
    , compression(entryIndex(s.TiffCompressionScheme, 3, 2))
    , scale(std::clamp<int>(s.TiffprintScaleFactor, kMinimumScale, kMaximumScale))
    , scaleToFit(s.TiffPrintScaleToFit != 0)
    , ownSize(s.TiffSaveEachSheetOwnSize != 0)
    , clearHeaderFooter(s.TiffClearHeaderFooter != 0)
    , inDrawingFolder(s.TiffSaveInDrawingFolder != 0)
    , folder(s.TiffSaveFolder)
    , naming(entryIndex(s.TiffSaveFullPathName, 3, 0))
    , lines(s.PrinterLines[kTiffLineWeightSlot])
    , m_userWidth(s.TiffPrintPaperWidth)
    , m_userHeight(s.TiffPrintPaperHeight)
    , m_regional(regional)
{
    const auto dpi = std::find(kTiffDpiEntries.begin(), kTiffDpiEntries.end(), s.TiffPrintDPI);
    dpiEntry = dpi == kTiffDpiEntries.end() ? -1 : static_cast<int>(dpi - kTiffDpiEntries.begin());
    choosePaper(entryIndex(s.TiffPrintPaperSize, kTiffPaperEntries, kTiffUserPaper));
}

std::string TiffOptionsWorkingCopy::metresText(double millimetres) const
{
    // Thousandths of a millimetre are as fine as a paper size gets; this also keeps
    // 279.4 / 1000 from showing its binary neighbour.
    const double metres = std::round(millimetres * 1000.0) / 1e6;
    return formatDouble(metres, m_regional.decimalSeparator());
}

std::optional<double> TiffOptionsWorkingCopy::metres(const std::string& text) const
{
    const std::optional<double> value = parseDouble(text, m_regional.decimalSeparator());
    if (!value || !std::isfinite(*value) || *value <= 0)
        return std::nullopt;
    return value;
}

void TiffOptionsWorkingCopy::choosePaper(int entry)
{
    paper = entryIndex(entry, kTiffPaperEntries, kTiffUserPaper);
    if (paper == kTiffUserPaper) {
        paperWidth = metresText(m_userWidth);
        paperHeight = metresText(m_userHeight);
        return;
    }
    const TiffPaperEntry& size = tiffPaperEntries()[static_cast<std::size_t>(paper)];
    paperWidth = metresText(size.width);
    paperHeight = metresText(size.height);
}

bool TiffOptionsWorkingCopy::typeScale(const std::string& text)
{
    scaleToFit = false;
    const std::optional<double> value = parseDouble(text, m_regional.decimalSeparator());
    if (!value || !std::isfinite(*value))
        return false;
    const double whole = std::trunc(*value);
    if (whole < kMinimumScale || whole > kMaximumScale)
        return false;
    scale = static_cast<int>(whole);
    return true;
}

bool TiffOptionsWorkingCopy::chooseCompression(int entry)
{
    if (entry == kTiffCompressionGroup4 && imageType == kTiffImageRgb) {
        compression = kCompressionPackBits;
        return false;
    }
    compression = entryIndex(entry, 3, compression);
    return true;
}

bool TiffOptionsWorkingCopy::chooseImageType(int entry)
{
    if (entry == kTiffImageRgb && compression == kTiffCompressionGroup4) {
        imageType = kImageBlackWhite;
        return false;
    }
    imageType = entryIndex(entry, 2, imageType);
    return true;
}

std::optional<TiffOptions> TiffOptionsWorkingCopy::options() const
{
    const std::optional<double> width = metres(paperWidth);
    const std::optional<double> height = metres(paperHeight);
    if (!width || !height)
        return std::nullopt;
    TiffOptions options;
    options.capture = static_cast<std::int16_t>(capture);
    options.imageType = static_cast<std::int16_t>(imageType);
    options.compression = static_cast<std::int16_t>(compression);
    options.dpi = dpiEntry >= 0 ? kTiffDpiEntries[static_cast<std::size_t>(dpiEntry)] : 300;
    options.paperSize = static_cast<std::int16_t>(paper);
    options.scaleFactor = static_cast<std::int16_t>(scale);
    options.scaleToFit = scaleToFit ? 1 : 0;
    options.paperWidth = *width;
    options.paperHeight = *height;
    return options;
}

void TiffOptionsWorkingCopy::show(const TiffOptions& read)
{
    capture = entryIndex(read.capture, 2, capture);
    imageType = entryIndex(read.imageType, 2, imageType);
    compression = entryIndex(read.compression, 3, compression);
    const auto dpi = std::find(kTiffDpiEntries.begin(), kTiffDpiEntries.end(), read.dpi);
    dpiEntry = dpi == kTiffDpiEntries.end() ? -1 : static_cast<int>(dpi - kTiffDpiEntries.begin());
    paper = entryIndex(read.paperSize, kTiffPaperEntries, paper);
    if (read.scaleFactor >= kMinimumScale && read.scaleFactor <= kMaximumScale)
        scale = read.scaleFactor;
    scaleToFit = read.scaleToFit != 0;
    // As read: SolidWorks' own user size, whatever entry is chosen.
    paperWidth = formatDouble(read.paperWidth, m_regional.decimalSeparator());
    paperHeight = formatDouble(read.paperHeight, m_regional.decimalSeparator());
}

bool TiffOptionsWorkingCopy::store(Settings& s) const
{
    const std::optional<double> width = metres(paperWidth);
    const std::optional<double> height = metres(paperHeight);
    if (!width || !height)
        return false;
    s.TiffScreenOrPrintCapture = static_cast<std::int16_t>(capture);
    s.TiffImageType = static_cast<std::int16_t>(imageType);
    s.TiffCompressionScheme = static_cast<std::int16_t>(compression);
    if (dpiEntry >= 0)
        s.TiffPrintDPI = kTiffDpiEntries[static_cast<std::size_t>(dpiEntry)];
    s.TiffPrintPaperSize = static_cast<std::int16_t>(paper);
    s.TiffprintScaleFactor = static_cast<std::int16_t>(scale);
    s.TiffPrintScaleToFit = scaleToFit ? 1 : 0;
    s.TiffPrintPaperWidth = *width * 1000.0;
    s.TiffPrintPaperHeight = *height * 1000.0;
    s.TiffSaveEachSheetOwnSize = ownSize ? 1 : 0;
    s.TiffClearHeaderFooter = clearHeaderFooter ? 1 : 0;
    s.TiffSaveInDrawingFolder = inDrawingFolder ? 1 : 0;
    s.TiffSaveFolder = folder;
    s.TiffSaveFullPathName = static_cast<std::int16_t>(naming);
    s.PrinterLines[kTiffLineWeightSlot] = lines;
    return true;
}

} // namespace quorrix::engine
