#pragma once

#include <cstdlib>
#include <string>

namespace quorrix::platform {

// The program's folder under an XDG base directory: $variable/QUORRIX when the variable
// holds an absolute path, otherwise $HOME/fallback/QUORRIX.
inline std::string xdgFolder(const char* variable, const char* fallback)
{
    const char* base = std::getenv(variable);
    if (base && *base == '/')
        return std::string(base) + "/QUORRIX";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/" + fallback + "/QUORRIX";
}

} // namespace quorrix::platform
