#include "platform/posix/posix_regional_format.h"

#include <langinfo.h>
#include <wchar.h>
#include <wctype.h>

#include <cstdint>

namespace quorrix::platform {

namespace {

// UTF-8 to code points; an invalid byte stands for itself so nothing is dropped.
std::wstring widen(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<std::uint8_t>(text[i]);
        int length = c < 0x80    ? 1
            : (c & 0xE0) == 0xC0 ? 2
            : (c & 0xF0) == 0xE0 ? 3
            : (c & 0xF8) == 0xF0 ? 4
                                 : 0;
        if (length == 0 || i + length > text.size()) {
            out += static_cast<wchar_t>(c);
            ++i;
            continue;
        }
        std::uint32_t cp = length == 1 ? c : (c & (0x7F >> length));
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto cc = static_cast<std::uint8_t>(text[i + k]);
            if ((cc & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!valid) {
            out += static_cast<wchar_t>(c);
            ++i;
            continue;
        }
        out += static_cast<wchar_t>(cp);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

// Writes v in UTF-8's scheme extended to 31 bits (and a seventh form above), whose byte
// order is the order of the values.
char* appendOrdered(char* out, std::uint32_t v)
{
    const auto byte = [&out](std::uint32_t b) { *out++ = static_cast<char>(b); };
    if (v < 0x80) {
        byte(v);
        return out;
    }
    int trailing = v < 0x800 ? 1
        : v < 0x10000        ? 2
        : v < 0x200000       ? 3
        : v < 0x4000000      ? 4
        : v < 0x80000000u    ? 5
                             : 6;
    static constexpr std::uint32_t kLead[] = { 0, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE };
    byte(kLead[trailing] | (trailing == 6 ? 0 : v >> (6 * trailing)));
    while (trailing-- > 0)
        byte(0x80 | (v >> (6 * trailing) & 0x3F));
    return out;
}

} // namespace

PosixRegionalFormat::PosixRegionalFormat()
    : PosixRegionalFormat(std::string())
{
}

PosixRegionalFormat::PosixRegionalFormat(const std::string& localeName)
{
    m_locale = ::newlocale(LC_NUMERIC_MASK | LC_COLLATE_MASK | LC_CTYPE_MASK, localeName.c_str(),
        static_cast<locale_t>(nullptr));
    if (!m_locale) {
        m_fallback = true;
        m_locale = ::newlocale(
            LC_NUMERIC_MASK | LC_COLLATE_MASK | LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
    }
    for (wint_t c = 0; c < m_lowerAscii.size(); ++c)
        m_lowerAscii[c] = static_cast<wchar_t>(::towlower_l(c, m_locale));
}

void PosixRegionalFormat::foldCase(std::wstring& text) const
{
    for (wchar_t& c : text) {
        c = c >= 0 && c < static_cast<wchar_t>(m_lowerAscii.size())
            ? m_lowerAscii[static_cast<std::size_t>(c)]
            : static_cast<wchar_t>(::towlower_l(static_cast<wint_t>(c), m_locale));
    }
}

PosixRegionalFormat::~PosixRegionalFormat()
{
    if (m_locale)
        ::freelocale(m_locale);
}

char PosixRegionalFormat::decimalSeparator() const
{
    const char* radix = m_locale ? ::nl_langinfo_l(RADIXCHAR, m_locale) : nullptr;
    // Only the two separators in real use; others (a multi-byte one) would not survive a
    // round trip through files written elsewhere.
    if (radix && radix[0] == ',' && radix[1] == '\0')
        return ',';
    return '.';
}

std::string PosixRegionalFormat::sortKey(const std::string& text) const
{
    std::wstring wide = widen(text);
    foldCase(wide);
    // A sort asks for thousands of keys in a row; the buffer is kept from one to the next.
    thread_local std::wstring transformed;
    if (transformed.size() < wide.size() * 4 + 16)
        transformed.resize(wide.size() * 4 + 16);
    std::size_t length
        = ::wcsxfrm_l(transformed.data(), wide.c_str(), transformed.size(), m_locale);
    if (length >= transformed.size()) {
        transformed.resize(length + 1);
        length = ::wcsxfrm_l(transformed.data(), wide.c_str(), transformed.size(), m_locale);
    }
    // UTF-8's encoding, stretched to 32 bits, keeps the order of the transformed characters
    // byte by byte and keeps the key short for the usual small weights.
    thread_local std::string encoded;
    if (encoded.size() < length * 7)
        encoded.resize(length * 7);
    char* out = encoded.data();
    for (std::size_t i = 0; i < length; ++i)
        out = appendOrdered(out, static_cast<std::uint32_t>(transformed[i]));
    return std::string(encoded.data(), out);
}

int PosixRegionalFormat::compareText(const std::string& a, const std::string& b) const
{
    std::wstring wa = widen(a);
    std::wstring wb = widen(b);
    foldCase(wa);
    foldCase(wb);
    const int r = ::wcscoll_l(wa.c_str(), wb.c_str(), m_locale);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

} // namespace quorrix::platform
