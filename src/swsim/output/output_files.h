#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorrix::swsim {

// One page of a written document: a drawing sheet, or a model's configuration.
struct PageLayout {
    std::string title; // the document's title
    std::string sheetName; // sheet or configuration name
    double width = 0.42; // metres
    double height = 0.297; // metres
};

// PDF with one page per entry, each as large as its sheet, showing a border, the title
// and the sheet name. Many viewers refuse a PDF without pages, so an empty list gives one
// blank page of the default sheet size. A size that is not a positive number falls back to
// the default sheet; the others are kept within 3 to 14400 points, what viewers accept.
std::string renderPdf(const std::vector<PageLayout>& pages);

struct TiffLayout {
    std::uint32_t widthPixels = 0;
    std::uint32_t heightPixels = 0;
    std::uint32_t dpi = 300;
    bool rgb = false; // else bilevel
    bool packBits = true; // else uncompressed
    std::string description; // ImageDescription tag
};

// Baseline TIFF showing a border. A width, height or resolution of 0 is taken as 1 pixel,
// 1 pixel and 300 dpi. An image of more than 2 GiB uncompressed is halved in both
// directions, its resolution with it, until it fits: it keeps its size on paper and stays
// within classic TIFF's 32-bit offsets.
std::string renderTiff(const TiffLayout& layout);

// ASCII DXF of one sheet (millimetres): its border and its name and title as text.
// Sheet sizes follow the rule of renderPdf.
std::string renderDxf(const PageLayout& sheet);

// The small stand-in file of a format the stand-in does not really write (DWG, JPG,
// 3D formats, eDrawings): its first line names the stand-in, the format and the
// document, the following lines the sheets or configurations. Lines end in LF; a line break
// inside a name becomes a space.
std::string renderPlaceholder(
    const std::string& format, const std::string& document, const std::vector<std::string>& items);

} // namespace quorrix::swsim
