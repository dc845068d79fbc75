#pragma once

#include <stdexcept>
#include <string>

namespace quorrix::engine {

// A failure reported by the operating system (file, registry, process). Carries the
// platform's error number and its description, which the program shows to the user as
// "Error: <number>. <description>".
class PlatformError : public std::runtime_error {
public:
    PlatformError(long number, const std::string& description)
        : std::runtime_error(description)
        , m_number(number)
    {
    }

    long number() const { return m_number; }
    std::string description() const { return what(); }

private:
    long m_number;
};

} // namespace quorrix::engine
