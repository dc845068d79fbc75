#pragma once

#include <string>

#include "engine/platform/platform_error.h"

namespace quorrix::platform {

// The system's description of a Win32 error code, without the line break that
// FormatMessage appends.
std::string systemErrorText(unsigned long code);

engine::PlatformError platformError(unsigned long code);
[[noreturn]] void throwPlatformError(unsigned long code);
// Throws for GetLastError() of the calling thread.
[[noreturn]] void throwLastError();

} // namespace quorrix::platform
