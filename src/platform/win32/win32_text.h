#pragma once

#include <cstddef>
#include <string>

namespace quorrix::platform {

// The engine keeps text as UTF-8; the Windows API takes UTF-16 (the W functions).

// Names that address something (paths, registry keys and values) must arrive unchanged, so
// bytes that are not UTF-8 throw PlatformError(ERROR_NO_UNICODE_TRANSLATION) instead of
// silently pointing at another file or key.
std::wstring utf16FromUtf8(const std::string& text);
// For text that is only compared or shown: malformed bytes become U+FFFD.
std::wstring utf16FromUtf8Lossy(const std::string& text);

// Unpaired surrogates, which Windows allows in file names, become U+FFFD.
std::string utf8FromUtf16(const wchar_t* text, std::size_t length);
std::string utf8FromUtf16(const std::wstring& text);

} // namespace quorrix::platform
