#include "engine/platform/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace quorrix::engine {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Checks the shape sign? digits [sep digits] [e sign? digits] and returns it with "." as
// separator, or nothing. At least one digit before the exponent is needed.
std::optional<std::string> normalise(std::string_view text, char separator)
{
    std::string out;
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-'))
        out += text[i++];
    std::size_t digits = 0;
    while (i < n && isDigit(text[i])) {
        out += text[i++];
        ++digits;
    }
    if (i < n && text[i] == separator) {
        out += '.';
        ++i;
        while (i < n && isDigit(text[i])) {
            out += text[i++];
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        out += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            out += text[i++];
        std::size_t expDigits = 0;
        while (i < n && isDigit(text[i])) {
            out += text[i++];
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    return out;
}

std::optional<double> special(std::string_view text)
{
    if (text == "inf" || text == "+inf")
        return std::numeric_limits<double>::infinity();
    if (text == "-inf")
        return -std::numeric_limits<double>::infinity();
    if (text == "nan" || text == "-nan")
        return std::numeric_limits<double>::quiet_NaN();
    return std::nullopt;
}

template <typename T> std::optional<T> roundInto(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode: half to even
    if (rounded < static_cast<double>(std::numeric_limits<T>::min())
        || rounded > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(rounded);
}

} // namespace

std::string trimBlanks(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::string formatDouble(double value, char decimalSeparator)
{
    std::array<char, 64> buffer {};
    if (!std::isfinite(value)) {
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        return std::string(buffer.data(), result.ptr);
    }
    // The shortest digits that read back exactly, as d.ddde+XX.
    const auto result = std::to_chars(
        buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific);
    const std::string_view text(
        buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const bool negative = text.front() == '-';
    const std::size_t e = text.find('e');
    std::string digits;
    for (char c : text.substr(negative ? 1 : 0, e - (negative ? 1 : 0))) {
        if (c != '.')
            digits += c;
    }
    int exponent = 0;
    std::from_chars(
        text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    std::string out = negative ? "-" : "";
    if (value == 0 || (exponent >= -5 && exponent < 15)) {
        // Plain notation, as people write lengths and scales.
        if (exponent < 0) {
            out += "0";
            out += decimalSeparator;
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        } else if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
            out += digits;
            out.append(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
        } else {
            out += digits.substr(0, static_cast<std::size_t>(exponent) + 1);
            out += decimalSeparator;
            out += digits.substr(static_cast<std::size_t>(exponent) + 1);
        }
        return out;
    }
    out += digits.substr(0, 1);
    if (digits.size() > 1) {
        out += decimalSeparator;
        out += digits.substr(1);
    }
    char exp[16];
    std::snprintf(
        exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
    return out + exp;
}

std::optional<double> parseDouble(std::string_view text, char decimalSeparator)
{
    const std::string trimmed = trimBlanks(text);
    if (auto s = special(trimmed))
        return s;
    char separator = decimalSeparator;
    const char other = decimalSeparator == ',' ? '.' : ',';
    if (trimmed.find(decimalSeparator) == std::string::npos
        && trimmed.find(other) != std::string::npos)
        separator = other;
    const auto normal = normalise(trimmed, separator);
    if (!normal)
        return std::nullopt;
    double value = 0;
    const char* first = normal->data();
    const char* last = first + normal->size();
    if (*first == '+')
        ++first;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last)
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> parseInt16(std::string_view text, char decimalSeparator)
{
    const auto value = parseDouble(text, decimalSeparator);
    return value ? roundInto<std::int16_t>(*value) : std::nullopt;
}

std::optional<std::int32_t> parseInt32(std::string_view text, char decimalSeparator)
{
    const auto value = parseDouble(text, decimalSeparator);
    return value ? roundInto<std::int32_t>(*value) : std::nullopt;
}

std::optional<std::int32_t> roundToInt32(double value)
{
    return roundInto<std::int32_t>(value);
}

double leadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    text.remove_prefix(i);
    // Greedy scan of sign, digits, "." and digits; an exponent counts only with its digits.
    std::size_t end = 0;
    if (end < text.size() && (text[end] == '+' || text[end] == '-'))
        ++end;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && isDigit(text[end]))
            ++end;
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exp = end + 1;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-'))
            ++exp;
        if (exp < text.size() && isDigit(text[exp])) {
            while (exp < text.size() && isDigit(text[exp]))
                ++exp;
            end = exp;
        }
    }
    const std::string_view number = text.substr(0, end);
    if (const auto value = parseDouble(number, '.'))
        return *value;
    // A number too large or too small for a double: an overflow stays an overflow.
    const std::size_t e = number.find_first_of("eE");
    if (e == std::string_view::npos || number.find_first_of("123456789") > e)
        return 0;
    const bool big = number[e + 1] != '-';
    const double magnitude = big ? std::numeric_limits<double>::infinity() : 0.0;
    return number.front() == '-' ? -magnitude : magnitude;
}

} // namespace quorrix::engine
