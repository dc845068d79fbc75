#include "swsim/output/output_files.h"
#include "swsim/output/output_support.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quorrix::swsim {

namespace {

constexpr std::uint64_t kStripBytes = 8192; // uncompressed bytes a strip aims at
constexpr double kBorderWidth = 0.0003; // metres

enum class FieldType : std::uint16_t { Ascii = 2, Short = 3, Long = 4, Rational = 5 };

struct Field {
    std::uint16_t tag;
    FieldType type;
    std::uint32_t count;
    std::string value; // little-endian bytes
};

void appendLe(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

Field shortField(std::uint16_t tag, std::uint16_t value)
{
    Field field { tag, FieldType::Short, 1, {} };
    appendLe(field.value, value, 2);
    return field;
}

Field longField(std::uint16_t tag, const std::vector<std::uint32_t>& values)
{
    Field field { tag, FieldType::Long, static_cast<std::uint32_t>(values.size()), {} };
    for (std::uint32_t value : values)
        appendLe(field.value, value, 4);
    return field;
}

Field rationalField(std::uint16_t tag, std::uint32_t value)
{
    Field field { tag, FieldType::Rational, 1, {} };
    appendLe(field.value, value, 4);
    appendLe(field.value, 1, 4);
    return field;
}

// Where the frame lies along one axis: [begin, end) with bars `thickness` pixels wide.
struct Span {
    std::uint32_t begin;
    std::uint32_t end;
    std::uint32_t thickness;
};

Span frameSpan(std::uint32_t length, std::uint32_t dpi)
{
    const auto inset = std::min<std::uint32_t>(
        static_cast<std::uint32_t>(std::lround(dpi * 0.010 / 0.0254)), length / 4);
    const std::uint32_t end = length - inset;
    const auto wanted = std::max<std::uint32_t>(
        static_cast<std::uint32_t>(std::lround(dpi * kBorderWidth / 0.0254)), 2);
    return { inset, end, std::clamp<std::uint32_t>((end - inset) / 2, 1, wanted) };
}

// Every row of the page is one of three: outside the frame, a top or bottom bar, or the
// two side bars. Each is built and compressed once, however large the page.
enum RowKind { Blank, Bar, Sides };

RowKind rowKind(const Span& span, std::uint32_t y)
{
    if (y < span.begin || y >= span.end)
        return Blank;
    return y < span.begin + span.thickness || y >= span.end - span.thickness ? Bar : Sides;
}

std::string rawRow(const output::TiffGeometry& geometry, bool rgb, const Span& span, RowKind kind)
{
    std::string row(geometry.rowBytes, rgb ? '\xFF' : '\0');
    const auto paintBlack = [&](std::uint32_t from, std::uint32_t to) {
        for (std::uint32_t x = from; x < to; ++x) {
            if (rgb)
                std::fill_n(row.begin() + 3 * std::size_t { x }, 3, '\0');
            else // WhiteIsZero: a set bit is black
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
    };
    if (kind == Bar) {
        paintBlack(span.begin, span.end);
    } else if (kind == Sides) {
        paintBlack(span.begin, span.begin + span.thickness);
        paintBlack(span.end - span.thickness, span.end);
    }
    return row;
}

std::string packBits(std::string_view row)
{
    std::string out;
    std::size_t i = 0;
    while (i < row.size()) {
        std::size_t run = 1;
        while (i + run < row.size() && run < 128 && row[i + run] == row[i])
            ++run;
        if (run > 1) {
            out += static_cast<char>(1 - static_cast<int>(run));
            out += row[i];
            i += run;
            continue;
        }
        const std::size_t start = i++;
        while (i < row.size() && i - start < 128 && !(i + 1 < row.size() && row[i] == row[i + 1]))
            ++i;
        out += static_cast<char>(i - start - 1);
        out.append(row.substr(start, i - start));
    }
    return out;
}

std::string descriptionText(const std::string& description)
{
    // A NUL would end the text early in every reader.
    std::string text = description;
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text;
}

void appendDirectory(std::string& out, const std::vector<Field>& fields)
{
    if (out.size() % 2)
        out += '\0';
    const auto directory = static_cast<std::uint32_t>(out.size());
    out[4] = static_cast<char>(directory & 0xFF);
    out[5] = static_cast<char>((directory >> 8) & 0xFF);
    out[6] = static_cast<char>((directory >> 16) & 0xFF);
    out[7] = static_cast<char>(directory >> 24);

    std::uint32_t valueOffset = directory + 2 + 12 * static_cast<std::uint32_t>(fields.size()) + 4;
    std::string values;
    appendLe(out, static_cast<std::uint32_t>(fields.size()), 2);
    for (const Field& field : fields) {
        appendLe(out, field.tag, 2);
        appendLe(out, static_cast<std::uint16_t>(field.type), 2);
        appendLe(out, field.count, 4);
        if (field.value.size() <= 4) {
            out += field.value + std::string(4 - field.value.size(), '\0');
            continue;
        }
        appendLe(out, valueOffset + static_cast<std::uint32_t>(values.size()), 4);
        values += field.value;
        if (values.size() % 2)
            values += '\0';
    }
    appendLe(out, 0, 4); // no further image
    out += values;
}

} // namespace

std::string renderTiff(const TiffLayout& layout)
{
    const auto geometry = output::tiffGeometry(layout);
    const Span across = frameSpan(geometry.width, geometry.dpi);
    const Span down = frameSpan(geometry.height, geometry.dpi);
    std::array<std::string, 3> rows;
    for (RowKind kind : { Blank, Bar, Sides }) {
        rows[kind] = rawRow(geometry, layout.rgb, across, kind);
        if (layout.packBits)
            rows[kind] = packBits(rows[kind]);
    }

    const auto rowsPerStrip = static_cast<std::uint32_t>(
        std::clamp<std::uint64_t>(kStripBytes / geometry.rowBytes, 1, geometry.height));
    const std::uint32_t stripCount = (geometry.height + rowsPerStrip - 1) / rowsPerStrip;
    const std::string description = descriptionText(layout.description);
    std::string out("II*\0\0\0\0\0", 8); // the directory's offset follows the pixels
    out.reserve(static_cast<std::size_t>(
        std::max({ rows[Blank].size(), rows[Bar].size(), rows[Sides].size() }) * geometry.height
        + 8 * stripCount + description.size() + 512));

    std::vector<std::uint32_t> stripOffsets;
    std::vector<std::uint32_t> stripByteCounts;
    for (std::uint32_t y = 0; y < geometry.height; ++y) {
        if (y % rowsPerStrip == 0) {
            stripOffsets.push_back(static_cast<std::uint32_t>(out.size()));
            stripByteCounts.push_back(0);
        }
        const std::string& row = rows[rowKind(down, y)];
        out += row;
        stripByteCounts.back() += static_cast<std::uint32_t>(row.size());
    }

    std::vector<Field> fields;
    fields.push_back(longField(256, { geometry.width }));
    fields.push_back(longField(257, { geometry.height }));
    fields.push_back({ 258, FieldType::Short, layout.rgb ? 3u : 1u, {} });
    for (int i = 0; i < (layout.rgb ? 3 : 1); ++i)
        appendLe(fields.back().value, layout.rgb ? 8 : 1, 2);
    fields.push_back(shortField(259, layout.packBits ? 32773 : 1));
    fields.push_back(shortField(262, layout.rgb ? 2 : 0)); // bilevel: WhiteIsZero
    if (!description.empty())
        fields.push_back({ 270, FieldType::Ascii,
            static_cast<std::uint32_t>(description.size() + 1), description + '\0' });
    fields.push_back(longField(273, stripOffsets));
    fields.push_back(shortField(277, layout.rgb ? 3 : 1));
    fields.push_back(longField(278, { rowsPerStrip }));
    fields.push_back(longField(279, stripByteCounts));
    fields.push_back(rationalField(282, geometry.dpi));
    fields.push_back(rationalField(283, geometry.dpi));
    fields.push_back(shortField(284, 1)); // pixels interleaved
    fields.push_back(shortField(296, 2)); // resolution per inch
    appendDirectory(out, fields);
    return out;
}

} // namespace quorrix::swsim
