#pragma once

#include <string>

namespace quorrix::engine {

// The user's regional settings as far as the program writes and compares text.
class RegionalFormat {
public:
    virtual ~RegionalFormat() = default;

    // The character the user's locale writes between the whole and the fractional part.
    virtual char decimalSeparator() const = 0;
    // Orders two texts the way the user's locale sorts them, without regard to letter case:
    // negative, zero or positive.
    virtual int compareText(const std::string& a, const std::string& b) const = 0;
    // A key whose byte order is compareText's order: sorting many texts builds each key
    // once instead of asking the locale for every comparison.
    virtual std::string sortKey(const std::string& text) const = 0;
};

} // namespace quorrix::engine
