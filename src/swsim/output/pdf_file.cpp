#include "swsim/output/output_files.h"
#include "swsim/output/output_support.h"

#include <cstdio>

namespace quorrix::swsim {

namespace {

using output::formatNumber;

constexpr double kPointsPerMetre = 72.0 / 0.0254;
constexpr double kTitleSize = 14;
constexpr double kNameSize = 10;
constexpr int kFirstPageObject = 5; // after catalog, page tree, font and information

// A string in the page's WinAnsiEncoding font.
std::string pdfString(std::string_view utf8)
{
    std::string out = "(";
    for (char32_t cp : output::decodeUtf8(utf8)) {
        const char c = output::toWindows1252(cp);
        const auto byte = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            // A raw line break inside a string would be read back as a different one.
            out += '\\';
            out += static_cast<char>('0' + (byte >> 6));
            out += static_cast<char>('0' + ((byte >> 3) & 7));
            out += static_cast<char>('0' + (byte & 7));
        } else {
            out += c;
        }
    }
    return out + ')';
}

// A text string outside the page (document information): UTF-16BE keeps every character.
std::string pdfTextString(std::string_view utf8)
{
    std::string out = "<FEFF";
    const auto appendUnit = [&out](unsigned unit) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "%04X", unit & 0xFFFF);
        out += hex;
    };
    for (char32_t cp : output::decodeUtf8(utf8)) {
        if (cp > 0xFFFF) {
            appendUnit(0xD800 + ((cp - 0x10000) >> 10));
            appendUnit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            appendUnit(cp);
        }
    }
    return out + '>';
}

std::string pageContent(const PageLayout& page, const output::SheetSize& sheet, bool withText)
{
    const double width = sheet.width * kPointsPerMetre;
    const double height = sheet.height * kPointsPerMetre;
    const double inset = output::borderInset(sheet) * kPointsPerMetre;
    std::string content = "q 0 0 0 RG 0.7 w " + formatNumber(inset) + ' ' + formatNumber(inset)
        + ' ' + formatNumber(width - 2 * inset) + ' ' + formatNumber(height - 2 * inset)
        + " re S Q\n";
    if (!withText)
        return content;
    const double left = inset + kNameSize;
    const double titleLine = height - inset - kNameSize - kTitleSize;
    const double nameLine = titleLine - 1.5 * kTitleSize;
    const auto line = [&](double size, double y, const std::string& text) {
        return "BT /F1 " + formatNumber(size) + " Tf " + formatNumber(left) + ' ' + formatNumber(y)
            + " Td " + pdfString(text) + " Tj ET\n";
    };
    return content + line(kTitleSize, titleLine, page.title)
        + line(kNameSize, nameLine, page.sheetName);
}

std::string paddedNumber(std::size_t value, std::size_t digits)
{
    std::string text = std::to_string(value);
    text.insert(0, digits > text.size() ? digits - text.size() : 0, '0');
    return text;
}

class PdfWriter {
public:
    explicit PdfWriter(int objectCount)
        : m_offsets(objectCount + 1, 0)
    {
        // The binary comment line tells transfer programs the file is not plain text.
        m_out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    }

    void addObject(int number, const std::string& body)
    {
        m_offsets[number] = m_out.size();
        m_out += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
    }

    void addStream(int number, const std::string& data)
    {
        addObject(number,
            "<< /Length " + std::to_string(data.size()) + " >>\nstream\n" + data + "\nendstream");
    }

    std::string finish(const std::string& trailerEntries)
    {
        const std::size_t xref = m_out.size();
        m_out += "xref\n0 " + std::to_string(m_offsets.size()) + "\n0000000000 65535 f\r\n";
        for (std::size_t i = 1; i < m_offsets.size(); ++i)
            m_out += paddedNumber(m_offsets[i], 10) + " 00000 n\r\n";
        m_out += "trailer\n<< /Size " + std::to_string(m_offsets.size()) + ' ' + trailerEntries
            + " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
        return std::move(m_out);
    }

private:
    std::string m_out;
    std::vector<std::size_t> m_offsets;
};

} // namespace

std::string renderPdf(const std::vector<PageLayout>& pages)
{
    const bool blank = pages.empty();
    const std::vector<PageLayout> drawn = blank ? std::vector<PageLayout>(1) : pages;
    const int pageCount = static_cast<int>(drawn.size());
    PdfWriter pdf(kFirstPageObject - 1 + 2 * pageCount);

    std::string kids;
    for (int i = 0; i < pageCount; ++i)
        kids += (i == 0 ? "" : " ") + std::to_string(kFirstPageObject + 2 * i) + " 0 R";
    pdf.addObject(1, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.addObject(
        2, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pageCount) + " >>");
    pdf.addObject(
        3, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    std::string info = "<< /Producer (QUORRIX SolidWorks stand-in)";
    if (!blank && !drawn.front().title.empty())
        info += " /Title " + pdfTextString(drawn.front().title);
    pdf.addObject(4, info + " >>");

    for (int i = 0; i < pageCount; ++i) {
        const int pageObject = kFirstPageObject + 2 * i;
        const auto sheet = output::usableSheetSize(drawn[i]);
        pdf.addObject(pageObject,
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 "
                + formatNumber(sheet.width * kPointsPerMetre) + ' '
                + formatNumber(sheet.height * kPointsPerMetre)
                + "] /Resources << /Font << /F1 3 0 R >> >> /Contents "
                + std::to_string(pageObject + 1) + " 0 R >>");
        pdf.addStream(pageObject + 1, pageContent(drawn[i], sheet, !blank));
    }
    return pdf.finish("/Root 1 0 R /Info 4 0 R");
}

} // namespace quorrix::swsim
