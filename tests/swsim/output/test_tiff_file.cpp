#include "swsim/output/output_files.h"
#include "swsim/output/output_support.h"

#include <gtest/gtest.h>

#include "support/output_readers.h"

namespace quorrix::swsim {
namespace {

using test::parseTiff;

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
        const auto tiff = parseTiff(renderTiff(row.layout));
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
