#include "swsim/output/output_files.h"
#include "swsim/output/output_support.h"

#include <cstdio>

namespace quorrix::swsim {

namespace {

using output::formatNumber;

constexpr double kTitleHeight = 5; // millimetres
constexpr double kNameHeight = 3.5;

void addPair(std::string& out, int code, std::string_view value)
{
    std::string number = std::to_string(code);
    out += std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') + number + "\r\n";
    out += value;
    out += "\r\n";
}

void addPoint(std::string& out, int code, double x, double y)
{
    addPair(out, code, formatNumber(x, 3));
    addPair(out, code + 10, formatNumber(y, 3));
    addPair(out, code + 20, "0");
}

// Text in an R12 file is read in the ANSI code page of the reader's computer; only ASCII
// reads the same everywhere, and the rest goes as \U+XXXX, which AutoCAD turns back.
std::string dxfText(std::string_view utf8)
{
    std::string out;
    for (char32_t cp : output::decodeUtf8(utf8)) {
        if (cp < 0x20) {
            out += ' '; // a line break would end the value
        } else if (cp < 0x7F) {
            out += static_cast<char>(cp);
        } else if (cp <= 0xFFFF) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\U+%04X", static_cast<unsigned>(cp));
            out += escape;
        } else {
            out += '?';
        }
    }
    return out;
}

void addLine(std::string& out, double x1, double y1, double x2, double y2)
{
    addPair(out, 0, "LINE");
    addPair(out, 8, "0");
    addPoint(out, 10, x1, y1);
    addPoint(out, 11, x2, y2);
}

void addText(std::string& out, double x, double y, double height, std::string_view text)
{
    addPair(out, 0, "TEXT");
    addPair(out, 8, "0");
    addPoint(out, 10, x, y);
    addPair(out, 40, formatNumber(height, 3));
    addPair(out, 1, dxfText(text));
}

} // namespace

std::string renderDxf(const PageLayout& sheet)
{
    const auto size = output::usableSheetSize(sheet);
    const double width = size.width * 1000;
    const double height = size.height * 1000;
    const double inset = output::borderInset(size) * 1000;

    std::string out;
    addPair(out, 0, "SECTION");
    addPair(out, 2, "HEADER");
    addPair(out, 9, "$ACADVER");
    addPair(out, 1, "AC1009");
    addPair(out, 9, "$INSUNITS");
    addPair(out, 70, "4");
    for (const char* limit : { "$EXTMIN", "$LIMMIN" }) {
        addPair(out, 9, limit);
        addPoint(out, 10, 0, 0);
    }
    for (const char* limit : { "$EXTMAX", "$LIMMAX" }) {
        addPair(out, 9, limit);
        addPoint(out, 10, width, height);
    }
    addPair(out, 0, "ENDSEC");

    addPair(out, 0, "SECTION");
    addPair(out, 2, "ENTITIES");
    addLine(out, 0, 0, width, 0);
    addLine(out, width, 0, width, height);
    addLine(out, width, height, 0, height);
    addLine(out, 0, height, 0, 0);
    const double titleLine = height - inset - 2 * kTitleHeight;
    addText(out, inset + kNameHeight, titleLine, kTitleHeight, sheet.title);
    addText(out, inset + kNameHeight, titleLine - 2 * kNameHeight, kNameHeight, sheet.sheetName);
    addPair(out, 0, "ENDSEC");
    addPair(out, 0, "EOF");
    return out;
}

} // namespace quorrix::swsim
