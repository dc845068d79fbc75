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

int PosixRegionalFormat::compareText(const std::string& a, const std::string& b) const
{
    std::wstring wa = widen(a);
    std::wstring wb = widen(b);
    for (wchar_t& c : wa)
        c = static_cast<wchar_t>(::towlower_l(static_cast<wint_t>(c), m_locale));
    for (wchar_t& c : wb)
        c = static_cast<wchar_t>(::towlower_l(static_cast<wint_t>(c), m_locale));
    const int r = ::wcscoll_l(wa.c_str(), wb.c_str(), m_locale);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

} // namespace quorrix::platform
