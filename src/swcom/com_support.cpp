#include "swcom/com_support.h"

#include "engine/platform/platform_error.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_text.h"

namespace quorrix::swcom {

engine::AutomationError automationError(HRESULT result)
{
    return engine::AutomationError(
        result, platform::systemErrorText(static_cast<unsigned long>(result)));
}

void check(HRESULT result)
{
    if (FAILED(result))
        throw automationError(result);
}

std::wstring wideText(const std::string& text)
{
    try {
        return platform::utf16FromUtf8(text);
    } catch (const engine::PlatformError& e) {
        throw engine::AutomationError(
            HRESULT_FROM_WIN32(static_cast<unsigned long>(e.number())), e.description());
    }
}

BSTR allocString(const std::string& text)
{
    const std::wstring wide = wideText(text);
    BSTR result = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!result)
        throw automationError(E_OUTOFMEMORY);
    return result;
}

std::string utf8Text(BSTR text)
{
    return text ? platform::utf8FromUtf16(text, SysStringLen(text)) : std::string();
}

} // namespace quorrix::swcom
