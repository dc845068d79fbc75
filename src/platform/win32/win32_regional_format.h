#pragma once

#include "engine/platform/regional_format.h"

namespace quorrix::platform {

// The user's locale as set in the Windows regional settings, read on every call so a change
// made while the program runs takes effect.
class Win32RegionalFormat : public engine::RegionalFormat {
public:
    // '.' when the locale's separator is not one ASCII character, since the program writes
    // numbers one byte per character.
    char decimalSeparator() const override;
    int compareText(const std::string& a, const std::string& b) const override;
    std::string sortKey(const std::string& text) const override;
};

} // namespace quorrix::platform
