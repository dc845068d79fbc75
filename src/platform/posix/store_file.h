#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/platform/key_value_store.h"

namespace quorrix::platform {

// The content of one root of the settings store as kept in a text file:
//
//   [SOFTWARE\Velmora\QUORRIX]
//   Language=sz:1
//   Counter=dword:0000012c
//   Blob=hex:01,ff
//
// One section per key, one line per value: name, "=", type, ":", data. Names and texts are
// percent-escaped where a byte could not stand in the line as it is ("%", "=" in names,
// "]" in key paths, control characters). Lines that do not parse are kept where they were,
// so a hand edit gone wrong loses nothing else.
struct StoreKey {
    std::string path;
    std::vector<engine::NamedValue> values;
    std::vector<std::string> foreignLines;
};

struct StoreContent {
    std::vector<StoreKey> keys;
};

StoreContent parseStoreFile(std::string_view text);
std::string serializeStoreFile(const StoreContent& content, std::string_view title);

std::string escapeStoreText(std::string_view text, std::string_view alsoEscape);
std::string unescapeStoreText(std::string_view text);

} // namespace quorrix::platform
