#pragma once

#include <filesystem>
#include <string>

namespace quorrix::engine {

// The engine keeps paths as UTF-8 text. std::filesystem::path built from a plain std::string
// would take the bytes in the Windows ANSI code page, so convert explicitly.
inline std::filesystem::path pathFromUtf8(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

// The separator between folder and file names on this platform.
inline constexpr char kPathSeparator
    = static_cast<char>(std::filesystem::path::preferred_separator);

} // namespace quorrix::engine
