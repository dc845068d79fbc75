#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace quorrix::test {

// Strict readers of the PDF and TIFF files the stand-in writes: every fault in a file's
// structure fails the test that reads it.

struct ParsedPage {
    double width = 0;
    double height = 0;
    std::string content;
};

// Reads a PDF the way a strict viewer does: from startxref through the cross-reference
// table to the objects, then the page tree in order. Every fault fails the test.
inline std::vector<ParsedPage> parsePdf(const std::string& pdf)
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

inline std::uint32_t readLe(const std::string& data, std::size_t offset, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(data.at(offset + i));
    return value;
}

inline std::string unpackBits(std::string_view packed)
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

inline ParsedTiff parseTiff(const std::string& tiff)
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

// Width and height in pixels.
inline std::pair<std::uint32_t, std::uint32_t> tiffSize(const std::string& tiff)
{
    const ParsedTiff parsed = parseTiff(tiff);
    return { parsed.width, parsed.height };
}

} // namespace quorrix::test
