#pragma once

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/posix/posix_error.h"

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

// Creates the folder and the folders above it that are missing, for this user only;
// PlatformError when one cannot be made.
inline void makeFolders(const std::string& folder)
{
    for (std::size_t i = 0; i <= folder.size(); ++i) {
        if (i == folder.size() || (folder[i] == '/' && i > 0)) {
            const std::string partial = folder.substr(0, i);
            if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
                throw lastError(partial);
        }
    }
}

} // namespace quorrix::platform
