#include "swsim/output/output_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>

namespace quorrix::swsim {
namespace {

struct ParsedPage {
    double width = 0;
    double height = 0;
    std::string content;
};

// Reads a PDF the way a strict viewer does: from startxref through the cross-reference
// table to the objects, then the page tree in order. Every fault fails the test.
std::vector<ParsedPage> parsePdf(const std::string& pdf)
{
    EXPECT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
    const std::size_t startxref = pdf.rfind("startxref\n");
    EXPECT_NE(startxref, std::string::npos);
    EXPECT_TRUE(pdf.ends_with("%%EOF\n"));
    const std::size_t xref = std::stoul(pdf.substr(startxref + 10));
    std::smatch match;
    const std::string table = pdf.substr(xref);
    EXPECT_TRUE(std::regex_search(table, match, std::regex("^xref\n0 (\\d+)\n")));
    const int size = std::stoi(match[1]);
    const std::size_t entries = xref + match.length(0);
    EXPECT_EQ(pdf.substr(entries, 20), "0000000000 65535 f\r\n");

    std::map<int, std::string> objects;
    for (int i = 1; i < size; ++i) {
        const std::string entry = pdf.substr(entries + 20 * i, 20);
        EXPECT_EQ(entry.substr(10), " 00000 n\r\n");
        const std::size_t offset = std::stoul(entry.substr(0, 10));
        const std::string head = std::to_string(i) + " 0 obj\n";
        EXPECT_EQ(pdf.substr(offset, head.size()), head) << "object " << i;
        const std::size_t end = pdf.find("\nendobj\n", offset);
        objects[i] = pdf.substr(offset + head.size(), end - offset - head.size());
    }
    EXPECT_NE(pdf.find("/Size " + std::to_string(size) + " /Root 1 0 R", xref), std::string::npos);
    EXPECT_NE(objects[1].find("/Pages 2 0 R"), std::string::npos);

    std::vector<ParsedPage> pages;
    EXPECT_TRUE(
        std::regex_search(objects[2], match, std::regex("/Kids \\[([^\\]]*)\\] /Count (\\d+)")));
    const std::string kids = match[1];
    const int count = std::stoi(match[2]);
    const std::regex reference("(\\d+) 0 R");
    for (std::sregex_iterator kid(kids.begin(), kids.end(), reference), end; kid != end; ++kid) {
        const std::string& page = objects[std::stoi((*kid)[1])];
        ParsedPage parsed;
        EXPECT_TRUE(std::regex_search(page, match,
            std::regex("/Type /Page /Parent 2 0 R /MediaBox \\[0 0 ([\\d.]+) ([\\d.]+)\\].*"
                       "/Contents (\\d+) 0 R")));
        parsed.width = std::stod(match[1]);
        parsed.height = std::stod(match[2]);
        const std::string& stream = objects[std::stoi(match[3])];
        EXPECT_TRUE(
            std::regex_search(stream, match, std::regex("^<< /Length (\\d+) >>\nstream\n")));
        const std::size_t length = std::stoul(match[1]);
        parsed.content = stream.substr(match.length(0), length);
        EXPECT_EQ(stream.substr(match.length(0) + length), "\nendstream");
        pages.push_back(parsed);
    }
    EXPECT_EQ(static_cast<int>(pages.size()), count);
    return pages;
}

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
