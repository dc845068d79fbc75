#pragma once

#include "swsim/output/output_files.h"

#include <cstdint>
#include <string>
#include <string_view>

// Pieces the output writers share; not part of the stand-in's interface.
namespace quorrix::swsim::output {

// Code points of UTF-8 text. A byte that starts no valid sequence becomes U+FFFD, so a
// damaged name still shows where it was damaged instead of vanishing.
std::u32string decodeUtf8(std::string_view text);

// The Windows-1252 byte of a code point, or '?' where the code page has none.
char toWindows1252(char32_t codePoint);

// A number as file formats want it: a dot, never the user's decimal comma, and at most
// `decimals` decimals without trailing zeros.
std::string formatNumber(double value, int decimals = 2);

struct SheetSize {
    double width = 0; // metres
    double height = 0;
};

// A sheet every writer can draw: a size that is not a positive number falls back to the
// default sheet, and the rest is kept within what PDF viewers accept (3 to 14400 points).
SheetSize usableSheetSize(const PageLayout& page);

// Distance of the border from the sheet's edge: 10 mm, less on sheets too small for it.
double borderInset(const SheetSize& sheet);

// The image renderTiff really writes, after its rules for missing and oversized values.
struct TiffGeometry {
    std::uint32_t width = 1;
    std::uint32_t height = 1;
    std::uint32_t dpi = 300;
    std::uint64_t rowBytes = 1;
};
inline constexpr std::uint64_t kMaxTiffImageBytes = std::uint64_t { 1 } << 31;
TiffGeometry tiffGeometry(const TiffLayout& layout);

} // namespace quorrix::swsim::output
