#pragma once

#include <string>
#include <string_view>

namespace quorrix::engine {

bool isValidUtf8(std::string_view bytes);

// Text files are UTF-8 when their bytes are valid UTF-8 (a leading byte-order mark is
// skipped); anything else was written in the Windows ANSI code page by older tools and is
// read as Windows-1252. The result is always UTF-8.
std::string decodeTextFile(std::string_view bytes);

std::string windows1252ToUtf8(std::string_view bytes);

} // namespace quorrix::engine
