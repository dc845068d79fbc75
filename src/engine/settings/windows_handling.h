#pragma once

#include <cstdint>
#include <string>

#include "engine/platform/shell.h"

namespace quorrix::engine {

// A window that can be kept above all others.
class ZOrderedWindow {
public:
    virtual ~ZOrderedWindow() = default;

    // Puts the window into the topmost band or back into the normal one, without moving,
    // resizing or activating it; asking for the band it is already in changes nothing.
    virtual void setTopmost(bool on) = 0;
};

void SetAlwaysOnTop(ZOrderedWindow& window, bool on);

// Opens the driver settings of the printer; reports nothing.
void ShowPrinterProperties(Shell& shell, const std::string& printerName);

// Opens target with its default program. Returns CShellExecute::kLaunched or the shell's
// error code.
std::int32_t ShellOpen(Shell& shell, NativeWindow activeWindow, const std::string& target);

// The mailto link for the address, with subject and body as query fields. The address is
// taken as it is; subject and body are percent-encoded so that any text survives.
std::string mailToLink(
    const std::string& address, const std::string& subject, const std::string& body);

// Opens a new message in the user's mail program. Returns CShellExecute::kLaunched or the
// shell's error code.
std::int32_t SendMailTo(
    Shell& shell, const std::string& address, const std::string& subject, const std::string& body);

// The folder for temporary files, ending with a path separator; empty when the platform
// names none.
std::string GetTempFolder(Shell& shell);

} // namespace quorrix::engine
