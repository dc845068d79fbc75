#include "engine/settings/windows_handling.h"

#include "engine/platform/percent_encoding.h"

#include <string_view>

#include "engine/platform/path_text.h"
#include "engine/settings/shell_execute.h"

namespace quorrix::engine {

namespace {

constexpr int kShowNormal = 1;
constexpr int kShow = 5;
constexpr std::string_view kMailToScheme = "mailto:";

bool startsWithMailTo(const std::string& text)
{
    if (text.size() < kMailToScheme.size())
        return false;
    for (std::size_t i = 0; i < kMailToScheme.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != kMailToScheme[i])
            return false;
    }
    return true;
}

} // namespace

void SetAlwaysOnTop(ZOrderedWindow& window, bool on)
{
    window.setTopmost(on);
}

void ShowPrinterProperties(Shell& shell, const std::string& printerName)
{
    shell.showPrinterProperties(printerName);
}

std::int32_t ShellOpen(Shell& shell, NativeWindow activeWindow, const std::string& target)
{
    ShellRequest request;
    request.owner = activeWindow;
    request.verb = "Open";
    request.file = target;
    request.showMode = kShowNormal;
    return launchResult(shell.execute(request).instance);
}

std::string mailToLink(
    const std::string& address, const std::string& subject, const std::string& body)
{
    std::string link = startsWithMailTo(address) ? address : std::string(kMailToScheme) + address;
    if (!subject.empty())
        link += "?subject=" + percentEncode(subject);
    if (!body.empty())
        link += (link.find('?') != std::string::npos ? "&body=" : "?body=") + percentEncode(body);
    return link;
}

std::int32_t SendMailTo(
    Shell& shell, const std::string& address, const std::string& subject, const std::string& body)
{
    ShellRequest request;
    request.verb = "open";
    request.file = mailToLink(address, subject, body);
    request.showMode = kShow;
    return launchResult(shell.execute(request).instance);
}

std::string GetTempFolder(Shell& shell)
{
    std::string folder = shell.temporaryFolder();
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += kPathSeparator;
    return folder;
}

} // namespace quorrix::engine
