#include "platform/win32/win32_error.h"

#include <windows.h>

#include "platform/win32/win32_text.h"

namespace quorrix::platform {

std::string systemErrorText(unsigned long code)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring text;
    if (length > 0 && buffer)
        text.assign(buffer, length);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty()
        && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '
            || text.back() == L'\t'))
        text.pop_back();
    if (text.empty())
        return "Unknown error";
    return utf8FromUtf16(text);
}

engine::PlatformError platformError(unsigned long code)
{
    return engine::PlatformError(static_cast<long>(code), systemErrorText(code));
}

void throwPlatformError(unsigned long code)
{
    throw platformError(code);
}

void throwLastError()
{
    throwPlatformError(GetLastError());
}

} // namespace quorrix::platform
