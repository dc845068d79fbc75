#pragma once

#include <string>

#include <windows.h>

#include <oleauto.h>

#include "engine/swlink/solidworks.h"

namespace quorrix::swcom {

// The automation error for a failed HRESULT, with the system's text for it.
engine::AutomationError automationError(HRESULT result);
// Throws automationError(result) when the result is a failure.
void check(HRESULT result);

// Text arrives as UTF-8 and goes to SolidWorks as UTF-16. Paths and names must arrive
// unchanged, so malformed UTF-8 fails as an automation error instead of being replaced.
std::wstring wideText(const std::string& text);
BSTR allocString(const std::string& text);
std::string utf8Text(BSTR text);

} // namespace quorrix::swcom
