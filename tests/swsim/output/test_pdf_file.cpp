#include "swsim/output/output_files.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/output_readers.h"

namespace quorrix::swsim {
namespace {

using test::parsePdf;

TEST(PdfFile, PagesSizesAndTextsReadBack)
{
    struct Row {
        std::vector<PageLayout> pages;
        std::vector<std::pair<double, double>> mediaBoxes;
        std::vector<std::string> contentTexts;
    };
    const Row rows[] = {
        { { { "Bracket", "Sheet1", 0.42, 0.297 } }, { { 1190.55, 841.89 } },
            { "(Bracket) Tj", "(Sheet1) Tj" } },
        { { { "Frame", "Sheet1", 0.841, 1.189 }, { "Frame", "Detail", 0.21, 0.297 } },
            { { 2383.94, 3370.39 }, { 595.28, 841.89 } }, { "(Sheet1) Tj", "(Detail) Tj" } },
        // Unusable sizes: the default sheet, or the nearest size viewers accept.
        { { { "T", "zero", 0, -1 }, { "T", "nan", NAN, 0.297 }, { "T", "huge", 100, 0.0001 } },
            { { 1190.55, 841.89 }, { 1190.55, 841.89 }, { 14400, 3 } },
            { "(zero) Tj", "(nan) Tj", "(huge) Tj" } },
        // No pages still make a readable file: one blank default sheet.
        { {}, { { 1190.55, 841.89 } }, { "re S" } },
    };
    for (const Row& row : rows) {
        const auto pages = parsePdf(renderPdf(row.pages));
        ASSERT_EQ(pages.size(), row.mediaBoxes.size());
        for (std::size_t i = 0; i < pages.size(); ++i) {
            EXPECT_NEAR(pages[i].width, row.mediaBoxes[i].first, 0.01);
            EXPECT_NEAR(pages[i].height, row.mediaBoxes[i].second, 0.01);
            EXPECT_NE(pages[i].content.find(row.contentTexts[i]), std::string::npos)
                << pages[i].content;
        }
        if (row.pages.empty()) {
            EXPECT_EQ(pages[0].content.find("Tj"), std::string::npos);
        }
    }
    // The border lies ten millimetres inside; the document's title keeps every character.
    const std::string pdf = renderPdf({ { "\xC3\x84 \xF0\x9F\x98\x80", "Sheet1", 0.42, 0.297 } });
    EXPECT_NE(parsePdf(pdf)[0].content.find("28.35 28.35 1133.86 785.2 re S"), std::string::npos);
    EXPECT_NE(pdf.find("/Title <FEFF00C40020D83DDE00>"), std::string::npos);
}

// Windows-1252 itself is tested with the output support.
TEST(PdfFile, TextIsEscapedInWinAnsi)
{
    const std::pair<std::string, std::string> rows[] = {
        { "A (b) \\c", "(A \\(b\\) \\\\c)" },
        { "Ma\xC3\x9F \xE2\x82\xAC \xC5\xA0", "(Ma\xDF \x80 \x8A)" },
        { "two\nlines", "(two\\012lines)" },
    };
    for (const auto& [name, expected] : rows) {
        const auto pages = parsePdf(renderPdf({ { "T", name, 0.42, 0.297 } }));
        EXPECT_NE(pages[0].content.find(expected + " Tj"), std::string::npos) << name;
    }
}

} // namespace
} // namespace quorrix::swsim
