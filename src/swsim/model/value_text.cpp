#include "swsim/model/value_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "engine/platform/ini_document.h"
#include "engine/platform/number_text.h"
#include "swsim/model/installation.h"

namespace quorrix::swsim {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

template <typename T> std::optional<T> readWhole(std::string_view text, T& value)
{
    const std::string trimmed = engine::trimBlanks(text);
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    // from_chars takes "-" but not "+"; a lone sign is still no number.
    if (first != last && *first == '+' && last - first > 1 && first[1] != '-')
        ++first;
    if (first == last)
        return std::nullopt;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last)
        return std::nullopt;
    return value;
}

} // namespace

std::string stripComment(std::string_view value)
{
    for (std::size_t i = 1; i < value.size(); ++i) {
        if (value[i] == ';' && isBlank(value[i - 1]))
            return engine::IniDocument::decodeValue(value.substr(0, i));
    }
    return std::string(value);
}

std::optional<std::string> readValue(
    const engine::IniDocument& ini, std::string_view section, std::string_view key)
{
    const auto raw = ini.get(section, key);
    if (!raw)
        return std::nullopt;
    return stripComment(*raw);
}

std::optional<std::int32_t> readInt32(std::string_view text)
{
    std::int32_t value = 0;
    return readWhole(text, value);
}

std::optional<double> readDouble(std::string_view text)
{
    double value = 0;
    const auto result = readWhole(text, value);
    // from_chars also reads "inf" and "nan", which are no length or scale.
    if (!result || !std::isfinite(*result))
        return std::nullopt;
    return result;
}

std::optional<bool> readBool(std::string_view text)
{
    const std::string word = engine::foldCase(engine::trimBlanks(text));
    if (word == "1" || word == "true")
        return true;
    if (word == "0" || word == "false")
        return false;
    return std::nullopt;
}

std::vector<std::string> splitList(std::string_view text)
{
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        entries.push_back(engine::trimBlanks(text.substr(start, comma - start)));
        if (comma == std::string_view::npos)
            return entries;
        start = comma + 1;
    }
}

std::set<std::string> readNameSet(std::string_view text)
{
    std::set<std::string> names;
    for (std::string& entry : splitList(text)) {
        if (!entry.empty())
            names.insert(std::move(entry));
    }
    return names;
}

std::map<std::string, int> readDelays(std::string_view text)
{
    std::map<std::string, int> delays;
    for (const std::string& entry : splitList(text)) {
        const std::size_t colon = entry.rfind(':');
        if (colon == std::string::npos)
            continue;
        const std::string member = engine::trimBlanks(std::string_view(entry).substr(0, colon));
        const auto milliseconds = readInt32(std::string_view(entry).substr(colon + 1));
        if (!member.empty() && milliseconds && *milliseconds >= 0)
            delays.emplace(member, *milliseconds);
    }
    return delays;
}

std::optional<std::int32_t> numberedName(std::string_view name, std::string_view prefix)
{
    if (name.size() <= prefix.size()
        || !engine::equalsIgnoringCase(name.substr(0, prefix.size()), prefix))
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size());
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    std::int32_t number = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (result.ec != std::errc())
        return std::nullopt;
    return number;
}

void readPreferences(
    const engine::IniDocument& ini, std::string_view section, Preferences& preferences)
{
    for (const auto& [key, rawValue] : ini.sectionEntries(section)) {
        const std::string text = stripComment(rawValue);
        if (const auto id = numberedName(key, "Integer.")) {
            if (const auto number = readInt32(text))
                preferences.integers[*id] = *number;
            continue;
        }
        if (const auto id = numberedName(key, "Double.")) {
            if (const auto number = readDouble(text))
                preferences.doubles[*id] = *number;
            continue;
        }
        if (const auto id = numberedName(key, "Toggle.")) {
            if (const auto on = readBool(text))
                preferences.toggles[*id] = *on;
            continue;
        }
        if (const auto id = numberedName(key, "StringList."))
            preferences.stringLists[*id] = text;
    }
}

} // namespace quorrix::swsim

namespace quorrix::swsim {

std::optional<std::string> refusedPreferenceKey(std::string_view entry)
{
    if (const auto id = readInt32(entry))
        return std::to_string(*id);
    for (const char* family : { "Integer.", "Double.", "Toggle.", "StringList." }) {
        if (const auto id = numberedName(entry, family))
            return family + std::to_string(*id);
    }
    return std::nullopt;
}

} // namespace quorrix::swsim
