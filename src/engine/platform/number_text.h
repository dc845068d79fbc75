#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorrix::engine {

// Numbers as the user reads them: stored settings, settings files and logs hold numbers as
// text in the user's regional format.

// The shortest digits that read back to exactly the same double, with the given decimal
// separator, in plain notation from 0.00001 to below 1E+15 and in exponent notation
// otherwise: 0.00025 -> "0.00025" (or "0,00025"), 300.0 -> "300", 2.5e-06 -> "2.5E-06".
std::string formatDouble(double value, char decimalSeparator);

// Reads a number written by formatDouble or typed by a user: blanks around it, a sign, digits,
// one decimal separator, an exponent. The user's separator is expected; a text that holds only
// the other of "." and "," uses that one as decimal separator too, since the program never
// writes digit grouping (a file written on a computer with other regional settings still
// reads right). Anything else does not convert.
std::optional<double> parseDouble(std::string_view text, char decimalSeparator);

// Whole numbers the way the program stores them: optional sign and decimal digits, blanks
// around them; a fractional number is rounded half to even. Out of range does not convert.
std::optional<std::int16_t> parseInt16(std::string_view text, char decimalSeparator);
std::optional<std::int32_t> parseInt32(std::string_view text, char decimalSeparator);

// A plain decimal reader: skips leading blanks, reads the longest leading number ("." is the
// only separator) and ignores what follows; no digits give 0.
double leadingNumber(std::string_view text);

// Rounds half to even and checks the 32-bit range.
std::optional<std::int32_t> roundToInt32(double value);

std::string trimBlanks(std::string_view text);

} // namespace quorrix::engine
