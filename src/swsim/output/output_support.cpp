#include "swsim/output/output_support.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace quorrix::swsim::output {

namespace {

constexpr double kMinSide = 3.0 / 72.0 * 0.0254;
constexpr double kMaxSide = 14400.0 / 72.0 * 0.0254;
constexpr double kBorderInset = 0.010;

// Code points of the bytes 0x80 to 0x9F; zero where Windows-1252 defines no character.
constexpr std::array<char16_t, 32> kHighBytes = { 0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020,
    0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D,
    0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178 };

double usableSide(double metres, double fallback)
{
    if (!std::isfinite(metres) || metres <= 0)
        return fallback;
    return std::clamp(metres, kMinSide, kMaxSide);
}

} // namespace

std::u32string decodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = (lead < 0x80 || lead >= 0xC2) && lead <= 0xF4 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        constexpr std::array<char32_t, 5> kMinimum = { 0, 0, 0x80, 0x800, 0x10000 };
        valid = valid && cp >= kMinimum[length] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        out += valid ? cp : U'\uFFFD';
        i += valid ? length : 1;
    }
    return out;
}

char toWindows1252(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    const auto* found = std::find(kHighBytes.begin(), kHighBytes.end(), codePoint);
    if (codePoint > 0xFF && found != kHighBytes.end())
        return static_cast<char>(0x80 + (found - kHighBytes.begin()));
    return '?';
}

std::string formatNumber(double value, int decimals)
{
    std::array<char, 64> buffer {};
    const auto result = std::to_chars(
        buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    std::string text(buffer.data(), result.ptr);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

SheetSize usableSheetSize(const PageLayout& page)
{
    const PageLayout defaults;
    return { usableSide(page.width, defaults.width), usableSide(page.height, defaults.height) };
}

double borderInset(const SheetSize& sheet)
{
    return std::min(kBorderInset, std::min(sheet.width, sheet.height) / 4);
}

TiffGeometry tiffGeometry(const TiffLayout& layout)
{
    TiffGeometry geometry;
    std::uint64_t width = std::max<std::uint32_t>(layout.widthPixels, 1);
    std::uint64_t height = std::max<std::uint32_t>(layout.heightPixels, 1);
    geometry.dpi = layout.dpi == 0 ? 300 : layout.dpi;
    const auto rowBytes = [&] { return layout.rgb ? width * 3 : (width + 7) / 8; };
    while (rowBytes() * height > kMaxTiffImageBytes) {
        width = (width + 1) / 2;
        height = (height + 1) / 2;
        geometry.dpi = std::max<std::uint32_t>(geometry.dpi / 2, 1);
    }
    geometry.width = static_cast<std::uint32_t>(width);
    geometry.height = static_cast<std::uint32_t>(height);
    geometry.rowBytes = rowBytes();
    return geometry;
}

} // namespace quorrix::swsim::output
