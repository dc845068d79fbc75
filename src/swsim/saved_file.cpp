#include "swsim/saved_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "engine/platform/ini_document.h"
#include "engine/platform/number_text.h"
#include "swsim/preference_rules.h"

namespace quorrix::swsim {

namespace {

struct PaperMillimetres {
    double width;
    double height;
};

// Paper indices 0-11 of the TIFF preferences: A, A vertical, B, C, D, E, A4 landscape,
// A4 portrait, A3, A2, A1, A0.
constexpr std::array<PaperMillimetres, 12> kTiffPapers { { { 279.4, 215.9 }, { 215.9, 279.4 },
    { 431.8, 279.4 }, { 558.8, 431.8 }, { 863.6, 558.8 }, { 1117.6, 863.6 }, { 297, 210 },
    { 210, 297 }, { 420, 297 }, { 594, 420 }, { 841, 594 }, { 1189, 841 } } };

// SolidWorks takes the user paper size in metres.
double userLengthMillimetres(double metres)
{
    return metres * 1000.0;
}

template <typename Map, typename Value>
Value valueOr(const Map& map, std::int32_t id, Value fallback)
{
    const auto found = map.find(id);
    return found == map.end() ? fallback : found->second;
}

std::uint32_t pixels(double millimetres, std::uint32_t dpi)
{
    const double value = std::round(millimetres / 25.4 * dpi);
    return value < 1.0 ? 1u : static_cast<std::uint32_t>(std::min(value, 200000.0));
}

std::string extensionOf(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return engine::foldCase(path.substr(dot + 1));
}

std::vector<std::string> sheetNames(const DocumentModel& model)
{
    std::vector<std::string> names;
    for (const SheetModel& sheet : model.sheets)
        names.push_back(sheet.name);
    return names;
}

// A model's page: A4 landscape named after its first configuration.
PageLayout modelPage(const DocState& doc)
{
    const std::string name
        = doc.model.configurations.empty() ? std::string() : doc.model.configurations.front();
    return { doc.model.title, name, 0.297, 0.21 };
}

std::vector<PageLayout> pdfPages(const DocState& doc, const SaveRequest& request)
{
    std::vector<PageLayout> pages;
    const std::string title = doc.model.title + (request.as3D ? " (3D)" : "");
    if (doc.model.type != engine::kSwDocDrawing) {
        PageLayout page = modelPage(doc);
        page.title = title;
        return { page };
    }
    for (const SheetModel& sheet : doc.model.sheets) {
        if (request.sheets) {
            const auto& wanted = *request.sheets;
            if (std::find(wanted.begin(), wanted.end(), sheet.name) == wanted.end())
                continue;
        }
        pages.push_back({ title, sheet.name, sheet.width, sheet.height });
    }
    return pages;
}

PageLayout activePage(const DocState& doc)
{
    if (const SheetModel* sheet = doc.sheet())
        return { doc.model.title, sheet->name, sheet->width, sheet->height };
    return modelPage(doc);
}

} // namespace

TiffLayout tiffLayoutFromPreferences(const Preferences& preferences, const std::string& description)
{
    TiffLayout layout;
    layout.description = description;
    const auto& ints = preferences.integers;
    layout.rgb = valueOr(ints, kPrefTiffImageType, 0) == 1;
    layout.packBits = valueOr(ints, kPrefTiffCompression, 2) != 0;
    if (valueOr(ints, kPrefTiffCapture, 1) == 0) {
        // A screen capture has the size of the graphics area, whatever the paper.
        layout.dpi = 96;
        layout.widthPixels = 1280;
        layout.heightPixels = 1024;
        return layout;
    }
    layout.dpi = static_cast<std::uint32_t>(std::max(1, valueOr(ints, kPrefTiffDpi, 300)));
    const std::int32_t paper = valueOr(ints, kPrefTiffPaperSize, 8);
    PaperMillimetres size { 420, 297 };
    if (paper >= 0 && paper < static_cast<std::int32_t>(kTiffPapers.size())) {
        size = kTiffPapers[static_cast<std::size_t>(paper)];
    } else {
        size.width = userLengthMillimetres(valueOr(preferences.doubles, kPrefTiffPaperWidth, 0.1));
        size.height
            = userLengthMillimetres(valueOr(preferences.doubles, kPrefTiffPaperHeight, 0.1));
    }
    layout.widthPixels = pixels(size.width, layout.dpi);
    layout.heightPixels = pixels(size.height, layout.dpi);
    return layout;
}

std::string renderSavedFile(
    const DocState& doc, const SaveRequest& request, const Preferences& system, Journal& journal)
{
    const std::string extension = extensionOf(request.path);
    if (extension == "pdf")
        return renderPdf(pdfPages(doc, request));
    if (extension == "tif" || extension == "tiff") {
        const PageLayout page = activePage(doc);
        TiffLayout layout = tiffLayoutFromPreferences(system, page.title + " - " + page.sheetName);
        if (valueOr(system.integers, kPrefTiffCompression, 2) == 2)
            journal.note("Group 4 compression written as PackBits: " + request.path);
        return renderTiff(layout);
    }
    if (extension == "dxf")
        return renderDxf(activePage(doc));

    std::vector<std::string> items;
    if (request.selection) {
        items = *request.selection;
    } else if (extension == "dwg" || extension == "jpg") {
        items.push_back(activePage(doc).sheetName);
    } else {
        items = doc.model.type == engine::kSwDocDrawing ? sheetNames(doc.model)
                                                        : doc.model.configurations;
    }
    std::string format = extension;
    for (char& c : format)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return renderPlaceholder(format, doc.path, items);
}

} // namespace quorrix::swsim
