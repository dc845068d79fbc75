#include "swsim/preference_rules.h"

#include <cmath>

namespace quorrix::swsim {

bool acceptsIntegerPreference(std::int32_t id, std::int32_t value)
{
    switch (id) {
    case kPrefTiffCapture:
    case kPrefTiffImageType:
        return value == 0 || value == 1;
    case kPrefTiffCompression:
        return value >= 0 && value <= 2;
    case kPrefTiffDpi:
        return value >= 10 && value <= 2400;
    case kPrefTiffPaperSize:
        return value >= 0 && value <= 12;
    case kPrefTiffScale:
        return value >= 1 && value <= 1000;
    case kPrefEDrawingsSaveMode:
        return value >= 0 && value <= 3;
    default:
        return true;
    }
}

bool acceptsDoublePreference(std::int32_t id, double value)
{
    if (!std::isfinite(value))
        return false;
    if (isLineWeightPreference(id))
        return value > 0.0 && value <= 0.0254; // up to one inch
    if (id == kPrefTiffPaperWidth || id == kPrefTiffPaperHeight)
        return value > 0.0 && value <= 10.0; // metres: a length in millimetres is refused
    return true;
}

} // namespace quorrix::swsim

namespace quorrix::swsim {

namespace {

bool isRefused(const std::set<std::string>& refused, const char* family, std::int32_t id)
{
    const std::string number = std::to_string(id);
    return refused.contains(number) || refused.contains(family + std::string(".") + number);
}

template <typename Value>
bool store(std::map<std::int32_t, Value>& map, const std::set<std::string>& refused,
    const char* family, std::int32_t id, Value value, bool accepted)
{
    if (!accepted || isRefused(refused, family, id))
        return false;
    map[id] = std::move(value);
    return true;
}

template <typename Value> Value lookup(const std::map<std::int32_t, Value>& map, std::int32_t id)
{
    const auto found = map.find(id);
    return found == map.end() ? Value {} : found->second;
}

} // namespace

bool setIntegerPreference(
    Preferences& target, const std::set<std::string>& refused, std::int32_t id, std::int32_t value)
{
    return store(
        target.integers, refused, "Integer", id, value, acceptsIntegerPreference(id, value));
}

bool setDoublePreference(
    Preferences& target, const std::set<std::string>& refused, std::int32_t id, double value)
{
    return store(target.doubles, refused, "Double", id, value, acceptsDoublePreference(id, value));
}

bool setTogglePreference(
    Preferences& target, const std::set<std::string>& refused, std::int32_t id, bool value)
{
    return store(target.toggles, refused, "Toggle", id, value, true);
}

bool setStringListPreference(Preferences& target, const std::set<std::string>& refused,
    std::int32_t id, const std::string& value)
{
    return store(target.stringLists, refused, "StringList", id, value, true);
}

std::int32_t integerPreference(const Preferences& source, std::int32_t id)
{
    return lookup(source.integers, id);
}
double doublePreference(const Preferences& source, std::int32_t id)
{
    return lookup(source.doubles, id);
}
bool togglePreference(const Preferences& source, std::int32_t id)
{
    return lookup(source.toggles, id);
}
std::string stringListPreference(const Preferences& source, std::int32_t id)
{
    return lookup(source.stringLists, id);
}

} // namespace quorrix::swsim
