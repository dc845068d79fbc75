#include "swsim/preview_picture.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "swsim/model/document_model.h"

namespace quorrix::swsim {

namespace {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

struct Point {
    double x = 0.0;
    double y = 0.0;
};

constexpr Rgb kBackground { 224, 224, 224 };
constexpr Rgb kPaper { 255, 255, 255 };
constexpr Rgb kSheetEdge { 0, 0, 0 };
constexpr Rgb kBorder { 128, 128, 128 };
constexpr Rgb kTitleBlock { 64, 64, 64 };
constexpr Rgb kViewFill { 220, 232, 248 };
constexpr Rgb kViewEdge { 40, 80, 160 };
constexpr Rgb kLetter { 250, 250, 250 };

// Top, front and right face of the box.
constexpr std::array<Rgb, 3> kPartFaces { { { 176, 196, 222 }, { 100, 140, 190 },
    { 60, 95, 140 } } };
constexpr std::array<Rgb, 3> kAssemblyFaces { { { 235, 205, 140 }, { 205, 160, 70 },
    { 150, 110, 40 } } };

constexpr int kSheetMargin = 10;
constexpr int kBorderInset = 3;
constexpr int kViewPadding = 4;
constexpr int kViewGap = 3;

// A 5 x 7 pixel font for the title's initial: seven rows, five bits each, high bit left.
struct Glyph {
    char character;
    std::array<std::uint8_t, 7> rows;
};

constexpr Glyph kGlyphs[] = {
    { 'A', { 0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11 } },
    { 'B', { 0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E } },
    { 'C', { 0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E } },
    { 'D', { 0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E } },
    { 'E', { 0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F } },
    { 'F', { 0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10 } },
    { 'G', { 0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F } },
    { 'H', { 0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11 } },
    { 'I', { 0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E } },
    { 'J', { 0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C } },
    { 'K', { 0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11 } },
    { 'L', { 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F } },
    { 'M', { 0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11 } },
    { 'N', { 0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11 } },
    { 'O', { 0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E } },
    { 'P', { 0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10 } },
    { 'Q', { 0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D } },
    { 'R', { 0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11 } },
    { 'S', { 0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E } },
    { 'T', { 0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04 } },
    { 'U', { 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E } },
    { 'V', { 0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04 } },
    { 'W', { 0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A } },
    { 'X', { 0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11 } },
    { 'Y', { 0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04 } },
    { 'Z', { 0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F } },
    { '0', { 0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E } },
    { '1', { 0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E } },
    { '2', { 0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F } },
    { '3', { 0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E } },
    { '4', { 0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02 } },
    { '5', { 0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E } },
    { '6', { 0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E } },
    { '7', { 0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08 } },
    { '8', { 0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E } },
    { '9', { 0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C } },
};

constexpr int kGlyphColumns = 5;
constexpr int kGlyphRows = 7;
constexpr int kGlyphScale = 8;

class Canvas {
public:
    Canvas(int width, int height, Rgb background)
    {
        m_picture.width = width;
        m_picture.height = height;
        m_picture.rgba.resize(static_cast<std::size_t>(width) * height * 4);
        fillRect(0, 0, width, height, background);
    }

    void set(int x, int y, Rgb colour)
    {
        if (x < 0 || y < 0 || x >= m_picture.width || y >= m_picture.height)
            return;
        const std::size_t at = (static_cast<std::size_t>(y) * m_picture.width + x) * 4;
        m_picture.rgba[at] = colour.r;
        m_picture.rgba[at + 1] = colour.g;
        m_picture.rgba[at + 2] = colour.b;
        m_picture.rgba[at + 3] = 255;
    }

    void fillRect(int left, int top, int width, int height, Rgb colour)
    {
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x)
                set(x, y, colour);
        }
    }

    // The one-pixel edge just inside the rectangle.
    void outlineRect(int left, int top, int width, int height, Rgb colour)
    {
        if (width <= 0 || height <= 0)
            return;
        for (int x = left; x < left + width; ++x) {
            set(x, top, colour);
            set(x, top + height - 1, colour);
        }
        for (int y = top; y < top + height; ++y) {
            set(left, y, colour);
            set(left + width - 1, y, colour);
        }
    }

    // Fills the pixels whose centres lie inside the convex polygon, corners in either order.
    void fillConvex(std::initializer_list<Point> corners, Rgb colour)
    {
        const std::vector<Point> points(corners);
        double minX = points.front().x;
        double maxX = minX;
        double minY = points.front().y;
        double maxY = minY;
        for (const Point& p : points) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
        for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(maxY); ++y) {
            for (int x = static_cast<int>(std::floor(minX)); x <= static_cast<int>(maxX); ++x) {
                if (inside(points, { x + 0.5, y + 0.5 }))
                    set(x, y, colour);
            }
        }
    }

    void glyph(const Glyph& glyph, int left, int top, int scale, Rgb colour)
    {
        for (int row = 0; row < kGlyphRows; ++row) {
            for (int column = 0; column < kGlyphColumns; ++column) {
                if (glyph.rows[row] & (1u << (kGlyphColumns - 1 - column)))
                    fillRect(left + column * scale, top + row * scale, scale, scale, colour);
            }
        }
    }

    engine::DmPicture take() { return std::move(m_picture); }

private:
    static bool inside(const std::vector<Point>& points, Point p)
    {
        bool negative = false;
        bool positive = false;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point& a = points[i];
            const Point& b = points[(i + 1) % points.size()];
            const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
            negative = negative || cross < 0.0;
            positive = positive || cross > 0.0;
        }
        return !(negative && positive);
    }

    engine::DmPicture m_picture;
};

const Glyph* initialOf(const std::string& title)
{
    for (const char c : title) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80 || !std::isalnum(u))
            continue;
        const char wanted = static_cast<char>(std::toupper(u));
        for (const Glyph& glyph : kGlyphs) {
            if (glyph.character == wanted)
                return &glyph;
        }
        return nullptr;
    }
    return nullptr;
}

void drawViews(Canvas& canvas, std::size_t count, int left, int top, int width, int height)
{
    if (count == 0 || width <= 0 || height <= 0)
        return;
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int rows = static_cast<int>((count + columns - 1) / columns);
    const int cellWidth = width / columns;
    const int cellHeight = height / rows;
    if (cellWidth <= 2 * kViewGap || cellHeight <= 2 * kViewGap)
        return;
    for (std::size_t i = 0; i < count; ++i) {
        const int x = left + static_cast<int>(i % columns) * cellWidth + kViewGap;
        const int y = top + static_cast<int>(i / columns) * cellHeight + kViewGap;
        const int w = cellWidth - 2 * kViewGap;
        const int h = cellHeight - 2 * kViewGap;
        canvas.fillRect(x, y, w, h, kViewFill);
        canvas.outlineRect(x, y, w, h, kViewEdge);
    }
}

engine::DmPicture renderDrawing(const SheetModel& sheet)
{
    Canvas canvas(kPreviewWidth, kPreviewHeight, kBackground);
    const int roomWidth = kPreviewWidth - 2 * kSheetMargin;
    const int roomHeight = kPreviewHeight - 2 * kSheetMargin;
    const double aspect
        = sheet.width > 0 && sheet.height > 0 ? sheet.width / sheet.height : 420.0 / 297.0;
    int width = roomWidth;
    int height = static_cast<int>(std::lround(roomWidth / aspect));
    if (height > roomHeight) {
        height = roomHeight;
        width = static_cast<int>(std::lround(roomHeight * aspect));
    }
    // A strip of paper still shows as a line.
    width = std::max(width, 2);
    height = std::max(height, 2);
    const int left = (kPreviewWidth - width) / 2;
    const int top = (kPreviewHeight - height) / 2;
    canvas.fillRect(left, top, width, height, kPaper);
    canvas.outlineRect(left, top, width, height, kSheetEdge);

    const int innerLeft = left + kBorderInset;
    const int innerTop = top + kBorderInset;
    const int innerWidth = width - 2 * kBorderInset;
    const int innerHeight = height - 2 * kBorderInset;
    if (innerWidth <= 0 || innerHeight <= 0)
        return canvas.take();
    canvas.outlineRect(innerLeft, innerTop, innerWidth, innerHeight, kBorder);

    const int blockWidth = innerWidth * 35 / 100;
    const int blockHeight = innerHeight * 15 / 100;
    canvas.outlineRect(innerLeft + innerWidth - blockWidth, innerTop + innerHeight - blockHeight,
        blockWidth, blockHeight, kTitleBlock);

    drawViews(canvas, sheet.views.size(), innerLeft + kViewPadding, innerTop + kViewPadding,
        innerWidth - 2 * kViewPadding, innerHeight - blockHeight - 2 * kViewPadding);
    return canvas.take();
}

engine::DmPicture renderModel(const DocumentModel& model)
{
    Canvas canvas(kPreviewWidth, kPreviewHeight, kBackground);
    const auto& faces = model.type == engine::kSwDocAssembly ? kAssemblyFaces : kPartFaces;
    // An 80 pixel cube seen from the front right, its front face in the middle.
    constexpr double kLeft = 70.0;
    constexpr double kTop = 70.0;
    constexpr double kSide = 80.0;
    constexpr double kDepth = 30.0;
    canvas.fillConvex(
        { { kLeft, kTop }, { kLeft + kSide, kTop }, { kLeft + kSide + kDepth, kTop - kDepth },
            { kLeft + kDepth, kTop - kDepth } },
        faces[0]);
    canvas.fillConvex({ { kLeft, kTop }, { kLeft + kSide, kTop }, { kLeft + kSide, kTop + kSide },
                          { kLeft, kTop + kSide } },
        faces[1]);
    canvas.fillConvex(
        { { kLeft + kSide, kTop }, { kLeft + kSide + kDepth, kTop - kDepth },
            { kLeft + kSide + kDepth, kTop + kSide - kDepth }, { kLeft + kSide, kTop + kSide } },
        faces[2]);
    if (const Glyph* initial = initialOf(model.title)) {
        const int glyphWidth = kGlyphColumns * kGlyphScale;
        const int glyphHeight = kGlyphRows * kGlyphScale;
        canvas.glyph(*initial, static_cast<int>(kLeft + (kSide - glyphWidth) / 2),
            static_cast<int>(kTop + (kSide - glyphHeight) / 2), kGlyphScale, kLetter);
    }
    return canvas.take();
}

} // namespace

engine::DmPicture renderPreview(const DocumentModel& model)
{
    if (model.type == engine::kSwDocDrawing && !model.sheets.empty())
        return renderDrawing(model.sheets.front());
    return renderModel(model);
}

} // namespace quorrix::swsim
