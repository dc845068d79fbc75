#include "platform/win32/win32_regional_format.h"

#include <climits>

#include <windows.h>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_text.h"

namespace quorrix::platform {

char Win32RegionalFormat::decimalSeparator() const
{
    wchar_t separator[8] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator,
        static_cast<int>(sizeof separator / sizeof separator[0]));
    // The length counts the terminating NUL.
    if (length == 2 && separator[0] > L' ' && separator[0] < 0x7f)
        return static_cast<char>(separator[0]);
    return '.';
}

std::string Win32RegionalFormat::sortKey(const std::string& text) const
{
    const std::wstring wide = utf16FromUtf8Lossy(text);
    if (wide.empty())
        return {}; // LCMapStringEx refuses an empty text; it sorts first anyway
    if (wide.size() > INT_MAX / 8)
        throwPlatformError(ERROR_ARITHMETIC_OVERFLOW);
    const int length = static_cast<int>(wide.size());
    // With LCMAP_SORTKEY the output is bytes, whatever the pointer's type says.
    const int bytes = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE,
        wide.data(), length, nullptr, 0, nullptr, nullptr, 0);
    if (bytes <= 0)
        throwLastError();
    std::string key(static_cast<std::size_t>(bytes), '\0');
    if (LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, wide.data(),
            length, reinterpret_cast<LPWSTR>(key.data()), bytes, nullptr, nullptr, 0)
        <= 0) {
        throwLastError();
    }
    // The key ends in a zero byte that takes no part in the order.
    while (!key.empty() && key.back() == '\0')
        key.pop_back();
    return key;
}

int Win32RegionalFormat::compareText(const std::string& a, const std::string& b) const
{
    const std::wstring wa = utf16FromUtf8Lossy(a);
    const std::wstring wb = utf16FromUtf8Lossy(b);
    if (wa.size() > INT_MAX || wb.size() > INT_MAX)
        throwPlatformError(ERROR_ARITHMETIC_OVERFLOW);
    const int result = CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, wa.data(),
        static_cast<int>(wa.size()), wb.data(), static_cast<int>(wb.size()), nullptr, nullptr, 0);
    switch (result) {
    case CSTR_LESS_THAN:
        return -1;
    case CSTR_EQUAL:
        return 0;
    case CSTR_GREATER_THAN:
        return 1;
    default:
        throwLastError();
    }
}

} // namespace quorrix::platform
