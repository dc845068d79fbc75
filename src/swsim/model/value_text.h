#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quorrix::engine {
class IniDocument;
}

namespace quorrix::swsim {

struct Preferences;

// Values of the stand-in's own files (documents and swsim.ini). They are written by hand
// and shared between computers, so numbers always use "." whatever the user's locale, and
// a value that does not read keeps the field's default instead of failing the file.

// A key's value with a trailing comment removed: a ";" after a blank starts one, so
// "Type=3   ; drawing" reads as "3" while "mode=3;facetted=1" stays whole.
std::optional<std::string> readValue(
    const engine::IniDocument& ini, std::string_view section, std::string_view key);
std::string stripComment(std::string_view value);

// Whole numbers: optional sign and decimal digits, blanks around them.
std::optional<std::int32_t> readInt32(std::string_view text);
// Finite decimal numbers with "." as separator and an optional exponent.
std::optional<double> readDouble(std::string_view text);
// "1"/"0" or "true"/"false" in any case.
std::optional<bool> readBool(std::string_view text);

// A comma list, each entry without its surrounding blanks.
std::vector<std::string> splitList(std::string_view text);
// The non-empty entries of a comma list, compared as written.
std::set<std::string> readNameSet(std::string_view text);
// "Member:milliseconds" entries; malformed entries and negative times are skipped, the
// first entry for a member wins.
std::map<std::string, int> readDelays(std::string_view text);

// The number N of a name "<prefix>N" (prefix without regard to case, N decimal digits).
std::optional<std::int32_t> numberedName(std::string_view name, std::string_view prefix);

// Preference values of a section, "Integer.9=300", "Double.48=0.0003", "Toggle.28=1",
// "StringList.1=text", over those already in preferences; values that do not read are
// skipped.
// A refused-preference entry in its canonical spelling: "Integer.9" (family without regard
// to case) or a bare id "9"; nothing for anything else.
std::optional<std::string> refusedPreferenceKey(std::string_view entry);

void readPreferences(
    const engine::IniDocument& ini, std::string_view section, Preferences& preferences);

} // namespace quorrix::swsim
