#include "engine/actions/output_naming.h"

#include <cstdio>
#include <string_view>

#include "engine/actions/action_context.h"
#include "engine/platform/file_system.h"
#include "engine/platform/ini_document.h"
#include "engine/platform/path_text.h"
#include "engine/platform/platform_error.h"

namespace quorrix::engine {

namespace {

// Where a path splits into folders: the backslash on Windows (which also takes "/"),
// "/" on POSIX, where a backslash may be part of a file name.
constexpr const char* kSeparators = kPathSeparator == '\\' ? "\\/" : "/";

std::string twoDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

void replaceAll(std::string& text, const std::string& token, const std::string& value)
{
    for (std::size_t at = text.find(token); at != std::string::npos;
         at = text.find(token, at + value.size())) {
        text.replace(at, token.size(), value);
    }
}

bool isForbiddenInFileName(unsigned char c)
{
    constexpr std::string_view kForbidden = "<>:\"/\\|?*";
    return c < 0x20 || c == 0x7f || kForbidden.find(static_cast<char>(c)) != std::string_view::npos;
}

bool isReservedDeviceName(std::string_view stem)
{
    // Windows ignores blanks before the extension when it looks for a device name.
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    const std::string folded = foldCase(stem);
    for (const char* name : { "con", "prn", "aux", "nul", "conin$", "conout$" }) {
        if (folded == name)
            return true;
    }
    return folded.size() == 4 && (folded.starts_with("com") || folded.starts_with("lpt"))
        && folded[3] >= '0' && folded[3] <= '9';
}

} // namespace

std::string safeFileName(const std::string& name)
{
    std::string safe = name;
    for (char& c : safe) {
        if (isForbiddenInFileName(static_cast<unsigned char>(c)))
            c = '_';
    }
    for (auto c = safe.rbegin(); c != safe.rend() && (*c == '.' || *c == ' '); ++c)
        *c = '_';
    if (isReservedDeviceName(std::string_view(safe).substr(0, safe.find('.'))))
        safe.insert(0, 1, '_');
    return safe;
}

std::string GetNamePart(std::string& path)
{
    const std::size_t separator = path.find_last_of(kSeparators);
    if (separator != std::string::npos)
        path.erase(0, separator + 1);
    const std::size_t dot = path.find_last_of('.');
    return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string documentFolder(const std::string& documentPath)
{
    const std::size_t separator = documentPath.find_last_of(kSeparators);
    return separator == std::string::npos ? std::string() : documentPath.substr(0, separator + 1);
}

bool DirExists(FileSystem& files, const std::string& folder)
{
    if (folder.empty())
        return false;
    try {
        return files.folderExists(folder);
    } catch (const PlatformError&) {
        return false;
    }
}

std::string ExpandDateTokens(const std::string& text, const LocalDateTime& now)
{
    std::string result = text;
    char year[16];
    std::snprintf(year, sizeof year, "%04d", now.year);
    replaceAll(result, ":d", twoDigits(now.day));
    replaceAll(result, ":m", twoDigits(now.month));
    replaceAll(result, ":y", year);
    replaceAll(result, ":h", twoDigits(now.hour));
    replaceAll(result, ":n", twoDigits(now.minute));
    replaceAll(result, ":s", twoDigits(now.second));
    return result;
}

std::string ApplyPrePostfix(
    const Settings& settings, const std::string& base, const LocalDateTime& now)
{
    if (settings.PrePostUseit == 0)
        return base;
    const int index = settings.PrePostIndex;
    if (index < 0 || index >= kPrePostSets)
        return base;
    const auto set = static_cast<std::size_t>(index);
    return ExpandDateTokens(settings.PrePostPrefix[set], now)
        + (settings.PrePostIgnoreSWXFilename[set] != 0 ? std::string() : base)
        + ExpandDateTokens(settings.PrePostPostfix[set], now);
}

std::string outputFolder(ActionContext& context, std::int16_t saveInDocumentFolder,
    const std::string& configuredFolder, const std::string& documentPath, std::string& errorText,
    const std::string& fileName, std::int32_t missingFolderInfo)
{
    if (saveInDocumentFolder == 1)
        return documentFolder(documentPath);
    if (DirExists(context.files, configuredFolder))
        return configuredFolder + kPathSeparator;
    appendErrorLine(context, errorText, fileName, missingFolderInfo);
    return documentFolder(documentPath);
}

PrePostWorkingCopy::PrePostWorkingCopy(const Settings& settings)
    : m_prefix(settings.PrePostPrefix)
    , m_postfix(settings.PrePostPostfix)
    , m_ignore(settings.PrePostIgnoreSWXFilename)
    , m_current(settings.PrePostIndex >= 0 && settings.PrePostIndex < kPrePostSets
              ? settings.PrePostIndex
              : 0)
    , m_useIt(settings.PrePostUseit != 0)
{
}

const std::string& PrePostWorkingCopy::prefix() const
{
    return m_prefix[static_cast<std::size_t>(m_current)];
}

const std::string& PrePostWorkingCopy::postfix() const
{
    return m_postfix[static_cast<std::size_t>(m_current)];
}

bool PrePostWorkingCopy::ignoreName() const
{
    return m_ignore[static_cast<std::size_t>(m_current)] != 0;
}

void PrePostWorkingCopy::setFields(
    const std::string& prefix, const std::string& postfix, bool ignoreName)
{
    const auto set = static_cast<std::size_t>(m_current);
    m_prefix[set] = prefix;
    m_postfix[set] = postfix;
    m_ignore[set] = ignoreName ? 1 : 0;
}

void PrePostWorkingCopy::select(int index)
{
    if (index >= 0 && index < kPrePostSets)
        m_current = index;
}

void PrePostWorkingCopy::store(Settings& settings) const
{
    settings.PrePostPrefix = m_prefix;
    settings.PrePostPostfix = m_postfix;
    settings.PrePostIgnoreSWXFilename = m_ignore;
    settings.PrePostIndex = static_cast<std::int16_t>(m_current);
    settings.PrePostUseit = m_useIt ? 1 : 0;
}

} // namespace quorrix::engine
