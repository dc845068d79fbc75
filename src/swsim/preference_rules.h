#pragma once

#include <cstdint>

namespace quorrix::swsim {

// Preference ids the stand-in gives a meaning to.
inline constexpr std::int32_t kPrefTiffCapture = 6; // integer: 0 screen, 1 print
inline constexpr std::int32_t kPrefTiffImageType = 7; // integer: 0 bilevel, 1 RGB
inline constexpr std::int32_t kPrefTiffCompression = 8; // integer: 0 none, 1 PackBits, 2 G4
inline constexpr std::int32_t kPrefTiffDpi = 9; // integer
inline constexpr std::int32_t kPrefTiffPaperSize = 10; // integer: paper index 0-12
inline constexpr std::int32_t kPrefTiffScale = 11; // integer: per cent
inline constexpr std::int32_t kPrefTiffScaleToFit = 28; // toggle
inline constexpr std::int32_t kPrefTiffPaperHeight = 8; // double
inline constexpr std::int32_t kPrefTiffPaperWidth = 9; // double
inline constexpr std::int32_t kPrefFirstLineWeight = 48; // doubles 48-55, metres
inline constexpr std::int32_t kPrefLastLineWeight = 55;
inline constexpr std::int32_t kPrefEDrawingsSelection = 1; // string list
inline constexpr std::int32_t kPrefEDrawingsSaveMode = 237; // integer: 3 = selection

inline bool isLineWeightPreference(std::int32_t id)
{
    return id >= kPrefFirstLineWeight && id <= kPrefLastLineWeight;
}

// SolidWorks refuses values outside a preference's range; these are the ranges the
// stand-in checks. Ids it does not know take any value.
bool acceptsIntegerPreference(std::int32_t id, std::int32_t value);
bool acceptsDoublePreference(std::int32_t id, double value);

} // namespace quorrix::swsim

#include <set>
#include <string>

#include "swsim/model/installation.h"

namespace quorrix::swsim {

// Sets a preference unless the id is refused by a fault or the value is out of range.
bool setIntegerPreference(
    Preferences& target, const std::set<std::string>& refused, std::int32_t id, std::int32_t value);
bool setDoublePreference(
    Preferences& target, const std::set<std::string>& refused, std::int32_t id, double value);
bool setTogglePreference(
    Preferences& target, const std::set<std::string>& refused, std::int32_t id, bool value);
bool setStringListPreference(Preferences& target, const std::set<std::string>& refused,
    std::int32_t id, const std::string& value);

// Unknown ids read as 0, False or an empty text.
std::int32_t integerPreference(const Preferences& source, std::int32_t id);
double doublePreference(const Preferences& source, std::int32_t id);
bool togglePreference(const Preferences& source, std::int32_t id);
std::string stringListPreference(const Preferences& source, std::int32_t id);

} // namespace quorrix::swsim
