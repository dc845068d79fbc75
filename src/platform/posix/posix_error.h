#pragma once

#include <cerrno>
#include <cstring>
#include <string>

#include "engine/platform/platform_error.h"

namespace quorrix::platform {

// The error of the last failed system call, with the file it concerned.
inline engine::PlatformError lastError(const std::string& what)
{
    const int number = errno;
    return engine::PlatformError(number, std::string(std::strerror(number)) + ": " + what);
}

} // namespace quorrix::platform
