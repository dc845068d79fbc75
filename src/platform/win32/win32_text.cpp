#include "platform/win32/win32_text.h"

#include <climits>

#include <windows.h>

#include "platform/win32/win32_error.h"

namespace quorrix::platform {

namespace {

int checkedLength(std::size_t length)
{
    if (length > static_cast<std::size_t>(INT_MAX))
        throw platformError(ERROR_ARITHMETIC_OVERFLOW);
    return static_cast<int>(length);
}

std::wstring toUtf16(const std::string& text, DWORD flags)
{
    if (text.empty())
        return {};
    const int length = checkedLength(text.size());
    const int needed = MultiByteToWideChar(CP_UTF8, flags, text.data(), length, nullptr, 0);
    if (needed <= 0)
        throwLastError();
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    if (MultiByteToWideChar(CP_UTF8, flags, text.data(), length, out.data(), needed) != needed)
        throwLastError();
    return out;
}

} // namespace

std::wstring utf16FromUtf8(const std::string& text)
{
    return toUtf16(text, MB_ERR_INVALID_CHARS);
}

std::wstring utf16FromUtf8Lossy(const std::string& text)
{
    return toUtf16(text, 0);
}

std::string utf8FromUtf16(const wchar_t* text, std::size_t length)
{
    if (length == 0)
        return {};
    const int units = checkedLength(length);
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text, units, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        throwLastError();
    std::string out(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(CP_UTF8, 0, text, units, out.data(), needed, nullptr, nullptr)
        != needed)
        throwLastError();
    return out;
}

std::string utf8FromUtf16(const std::wstring& text)
{
    return utf8FromUtf16(text.data(), text.size());
}

} // namespace quorrix::platform
