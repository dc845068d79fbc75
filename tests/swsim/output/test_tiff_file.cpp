#include "swsim/output/output_files.h"
#include "swsim/output/output_support.h"

#include <gtest/gtest.h>

#include <map>

namespace quorrix::swsim {
namespace {

std::uint32_t readLe(const std::string& data, std::size_t offset, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(data.at(offset + i));
    return value;
}

std::string unpackBits(std::string_view packed)
{
    std::string out;
    for (std::size_t i = 0; i < packed.size();) {
        const auto header = static_cast<signed char>(packed[i++]);
        if (header >= 0) {
            out.append(packed.substr(i, header + 1));
            i += header + 1;
        } else if (header != -128) {
            out.append(1 - header, packed.at(i++));
        }
    }
    return out;
}

// A baseline reader: the one directory with its values, and the image decoded strip by strip.
struct ParsedTiff {
    std::vector<int> tags;
    std::map<int, std::vector<std::uint32_t>> numbers; // SHORT, LONG, RATIONAL as pairs
    std::string description;
    std::string pixels;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint64_t rowBytes = 0;

    bool black(std::uint32_t x, std::uint32_t y) const
    {
        if (numbers.at(262)[0] == 2)
            return pixels.at(y * rowBytes + 3 * x) == 0;
        return (pixels.at(y * rowBytes + x / 8) & (0x80 >> (x % 8))) != 0;
    }
};

ParsedTiff parseTiff(const std::string& tiff)
{
    ParsedTiff parsed;
    EXPECT_EQ(tiff.substr(0, 4), std::string("II*\0", 4));
    const std::uint32_t directory = readLe(tiff, 4, 4);
    EXPECT_EQ(directory % 2, 0u);
    const std::uint32_t count = readLe(tiff, directory, 2);
    int previousTag = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = directory + 2 + 12 * i;
        const int tag = static_cast<int>(readLe(tiff, entry, 2));
        const std::uint32_t type = readLe(tiff, entry + 2, 2);
        const std::uint32_t values = readLe(tiff, entry + 4, 4);
        EXPECT_GT(tag, previousTag);
        previousTag = tag;
        parsed.tags.push_back(tag);
        const std::size_t size = values
            * std::size_t { type == 2 ? 1u
                      : type == 3     ? 2u
                      : type == 4     ? 4u
                                      : 8u };
        const std::size_t at = size <= 4 ? entry + 8 : readLe(tiff, entry + 8, 4);
        EXPECT_EQ(at % 2, 0u);
        if (type == 2) {
            parsed.description = tiff.substr(at, values);
            EXPECT_EQ(parsed.description.back(), '\0');
            parsed.description.pop_back();
            continue;
        }
        const int unit = type == 3 ? 2 : 4;
        for (std::size_t k = 0; k < size / unit; ++k)
            parsed.numbers[tag].push_back(readLe(tiff, at + unit * k, unit));
    }
    EXPECT_EQ(readLe(tiff, directory + 2 + 12 * count, 4), 0u);

    parsed.width = parsed.numbers.at(256)[0];
    parsed.height = parsed.numbers.at(257)[0];
    const auto samples = parsed.numbers.at(277)[0];
    parsed.rowBytes = samples == 3 ? parsed.width * 3ull : (parsed.width + 7) / 8;
    const auto& offsets = parsed.numbers.at(273);
    const auto& byteCounts = parsed.numbers.at(279);
    const std::uint32_t rowsPerStrip = parsed.numbers.at(278)[0];
    EXPECT_EQ(offsets.size(), (parsed.height + rowsPerStrip - 1) / rowsPerStrip);
    EXPECT_EQ(offsets.size(), byteCounts.size());
    for (std::size_t s = 0; s < offsets.size(); ++s) {
        std::string strip = tiff.substr(offsets[s], byteCounts[s]);
        if (parsed.numbers.at(259)[0] == 32773)
            strip = unpackBits(strip);
        const std::uint64_t rows
            = std::min<std::uint64_t>(rowsPerStrip, parsed.height - s * rowsPerStrip);
        EXPECT_EQ(strip.size(), rows * parsed.rowBytes) << "strip " << s;
        parsed.pixels += strip;
    }
    EXPECT_EQ(parsed.pixels.size(), parsed.rowBytes * parsed.height);
    return parsed;
}

TEST(TiffFile, TagsAndPixelsReadBack)
{
    struct Row {
        TiffLayout layout;
        std::uint32_t width, height, dpi;
        std::uint32_t inset, bar; // pixels from the edge to the frame, frame width
    };
    const Row rows[] = {
        { { 1654, 1169, 100, false, true, "Bracket - Sheet1" }, 1654, 1169, 100, 39, 2 },
        { { 1654, 1169, 100, false, false, "Bracket - Sheet1" }, 1654, 1169, 100, 39, 2 },
        { { 1654, 1169, 100, true, true, "Bracket - Sheet1" }, 1654, 1169, 100, 39, 2 },
        { { 1654, 1169, 100, true, false, "" }, 1654, 1169, 100, 39, 2 },
        { { 3511, 2481, 300, false, true, "A4 at 300 dpi" }, 3511, 2481, 300, 118, 4 },
        // Odd widths pad the bilevel row; small images pull the frame in.
        { { 11, 11, 300, false, true, "small" }, 11, 11, 300, 2, 3 },
        { { 11, 11, 300, true, false, "small" }, 11, 11, 300, 2, 3 },
        // Nothing asked for: one pixel, default resolution.
        { { 0, 0, 0, false, true, "" }, 1, 1, 300, 0, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.layout.description + (row.layout.rgb ? " rgb" : " bilevel")
            + (row.layout.packBits ? " packbits" : " raw"));
        const ParsedTiff tiff = parseTiff(renderTiff(row.layout));
        EXPECT_EQ(tiff.width, row.width);
        EXPECT_EQ(tiff.height, row.height);
        const std::vector<std::uint32_t> bits(row.layout.rgb ? 3 : 1, row.layout.rgb ? 8 : 1);
        EXPECT_EQ(tiff.numbers.at(258), bits);
        EXPECT_EQ(tiff.numbers.at(259)[0], row.layout.packBits ? 32773u : 1u);
        EXPECT_EQ(tiff.numbers.at(262)[0], row.layout.rgb ? 2u : 0u);
        EXPECT_EQ(tiff.numbers.at(282), (std::vector<std::uint32_t> { row.dpi, 1 }));
        EXPECT_EQ(tiff.numbers.at(283), (std::vector<std::uint32_t> { row.dpi, 1 }));
        EXPECT_EQ(tiff.numbers.at(296)[0], 2u);
        EXPECT_EQ(tiff.description, row.layout.description);
        std::vector<int> tags { 256, 257, 258, 259, 262, 273, 277, 278, 279, 282, 283, 284, 296 };
        if (!row.layout.description.empty())
            tags.insert(tags.begin() + 5, 270);
        EXPECT_EQ(tiff.tags, tags);
        if (tiff.width * tiff.height > 20000) {
            EXPECT_GT(tiff.numbers.at(273).size(), 1u);
        }

        const std::uint32_t middleX = tiff.width / 2;
        const std::uint32_t middleY = tiff.height / 2;
        if (row.inset == 0)
            continue; // no room for paper inside the frame
        EXPECT_FALSE(tiff.black(middleX, middleY)) << "centre";
        EXPECT_FALSE(tiff.black(row.inset - 1, middleY)) << "outside the frame";
        EXPECT_FALSE(tiff.black(0, 0)) << "corner";
        EXPECT_TRUE(tiff.black(row.inset, middleY)) << "left bar";
        EXPECT_TRUE(tiff.black(tiff.width - row.inset - 1, middleY)) << "right bar";
        EXPECT_TRUE(tiff.black(middleX, row.inset)) << "top bar";
        EXPECT_TRUE(tiff.black(middleX, tiff.height - row.inset - 1)) << "bottom bar";
        EXPECT_TRUE(tiff.black(row.inset + row.bar - 1, middleY)) << "left bar's width";
        EXPECT_FALSE(tiff.black(row.inset + row.bar, middleY)) << "left bar's width";
        EXPECT_TRUE(tiff.black(middleX, tiff.height - row.inset - row.bar)) << "bottom bar's width";
        EXPECT_FALSE(tiff.black(middleX, tiff.height - row.inset - row.bar - 1))
            << "bottom bar's width";
        EXPECT_FALSE(tiff.black(tiff.width - row.inset, middleY)) << "beyond the right bar";
    }
}

TEST(TiffFile, OversizedImagesAreHalvedUntilTheyFit)
{
    struct Row {
        TiffLayout layout;
        std::uint32_t width, height, dpi;
    };
    const Row rows[] = {
        // A0 at 600 dpi fits both ways.
        { { 28087, 19866, 600, true, true, "" }, 28087, 19866, 600 },
        { { 28087, 19866, 600, false, true, "" }, 28087, 19866, 600 },
        { { 56174, 39732, 1200, true, true, "" }, 28087, 19866, 600 },
        { { 4000000000u, 1, 300, true, true, "" }, 500000000, 1, 37 },
        { { 65536, 65536 * 4, 300, false, true, "" }, 65536, 65536 * 4, 300 }, // exactly 2 GiB
        { { 65536, 65536 * 4 + 1, 300, false, true, "" }, 32768, 131073, 150 },
    };
    for (const Row& row : rows) {
        const auto geometry = output::tiffGeometry(row.layout);
        EXPECT_EQ(geometry.width, row.width);
        EXPECT_EQ(geometry.height, row.height);
        EXPECT_EQ(geometry.dpi, row.dpi);
        EXPECT_LE(geometry.rowBytes * geometry.height, output::kMaxTiffImageBytes);
    }
}

} // namespace
} // namespace quorrix::swsim
