#include "swsim/output/output_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace quorrix::swsim {
namespace {

struct ParsedDxf {
    std::vector<std::string> sections;
    std::string version;
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    std::vector<std::pair<std::string, double>> texts; // value and height
};

// Reads the file as pairs of lines (code, value), every line ended by CR LF, sections opened
// and closed in turn, and collects what the border and the texts need.
ParsedDxf parseDxf(const std::string& dxf)
{
    std::vector<std::pair<int, std::string>> pairs;
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < dxf.size();) {
        const std::size_t end = dxf.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "unterminated line at " << at;
        if (end == std::string::npos)
            break;
        lines.push_back(dxf.substr(at, end - at));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos);
        at = end + 2;
    }
    EXPECT_EQ(lines.size() % 2, 0u);
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        std::size_t used = 0;
        pairs.emplace_back(std::stoi(lines[i], &used), lines[i + 1]);
        EXPECT_EQ(used, lines[i].size()) << lines[i];
    }

    ParsedDxf parsed;
    bool open = false;
    std::string entity;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const auto& [code, value] = pairs[i];
        if (code == 0) {
            entity = value;
            if (value == "SECTION") {
                EXPECT_FALSE(open);
                open = true;
                parsed.sections.push_back(pairs.at(i + 1).second);
            } else if (value == "ENDSEC") {
                EXPECT_TRUE(open);
                open = false;
            } else if (value == "EOF") {
                EXPECT_FALSE(open);
                EXPECT_EQ(i, pairs.size() - 1);
            }
        } else if (code == 1 && entity == "SECTION") {
            parsed.version = value; // the value of $ACADVER, the header's only text
        } else if (entity == "LINE" && (code == 10 || code == 11)) {
            const double x = std::stod(value);
            const double y = std::stod(pairs.at(i + 1).second);
            parsed.minX = std::min(parsed.minX, x);
            parsed.maxX = std::max(parsed.maxX, x);
            parsed.minY = std::min(parsed.minY, y);
            parsed.maxY = std::max(parsed.maxY, y);
        } else if (entity == "TEXT" && code == 40) {
            parsed.texts.emplace_back(pairs.at(i + 1).second, std::stod(value));
        }
    }
    EXPECT_EQ(pairs.back(), (std::pair<int, std::string> { 0, "EOF" }));
    return parsed;
}

TEST(DxfFile, BorderAndTextsReadBack)
{
    struct Row {
        PageLayout sheet;
        double width, height; // millimetres
        std::string title, name; // as written
    };
    const Row rows[] = {
        { { "Bracket", "Sheet1", 0.42, 0.297 }, 420, 297, "Bracket", "Sheet1" },
        { { "Frame", "Detail A", 0.21, 0.297 }, 210, 297, "Frame", "Detail A" },
        { { "Ma\xC3\x9F", "Blatt \xC3\x84 \xE6\xBC\xA2", 0.841, 1.189 }, 841, 1189, "Ma\\U+00DF",
            "Blatt \\U+00C4 \\U+6F22" },
        { { "two\nlines", "\xF0\x9F\x98\x80", 0, NAN }, 420, 297, "two lines", "?" },
    };
    for (const Row& row : rows) {
        const ParsedDxf dxf = parseDxf(renderDxf(row.sheet));
        EXPECT_EQ(dxf.sections, (std::vector<std::string> { "HEADER", "ENTITIES" }));
        EXPECT_EQ(dxf.version, "AC1009");
        EXPECT_DOUBLE_EQ(dxf.minX, 0);
        EXPECT_DOUBLE_EQ(dxf.minY, 0);
        EXPECT_DOUBLE_EQ(dxf.maxX, row.width);
        EXPECT_DOUBLE_EQ(dxf.maxY, row.height);
        ASSERT_EQ(dxf.texts.size(), 2u);
        EXPECT_EQ(dxf.texts[0].first, row.title);
        EXPECT_EQ(dxf.texts[1].first, row.name);
    }
}

TEST(PlaceholderFile, OneLinePerItem)
{
    EXPECT_EQ(renderPlaceholder("DWG", "Bracket.SLDDRW", { "Sheet1", "Sheet\r\n2" }),
        "QUORRIX SolidWorks stand-in: DWG file of Bracket.SLDDRW\nSheet1\nSheet  2\n");
    EXPECT_EQ(renderPlaceholder("STEP", "Part\n.SLDPRT", {}),
        "QUORRIX SolidWorks stand-in: STEP file of Part .SLDPRT\n");
}

} // namespace
} // namespace quorrix::swsim
