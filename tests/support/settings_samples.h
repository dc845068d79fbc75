#pragma once

#include <string>

#include "engine/settings/settings.h"
#include "engine/settings/settings_schema.h"

namespace quorrix::test {

// A record in which every stored field holds a value other than its default, chosen to be
// hard to store: doubles without a short decimal form, texts with blanks at the ends,
// quotes, "=", ";", "%" and non-ASCII letters. Indices stay inside their tables.
engine::Settings unusualSettings(unsigned seed);

// The names of the stored settings whose values differ between two records, compared
// bit for bit.
std::vector<std::string> differingSettings(const engine::Settings& a, const engine::Settings& b);

} // namespace quorrix::test
