#include "engine/settings/language_files.h"

#include "engine/platform/path_text.h"
#include "engine/settings/multi_language.h"
#include "engine/settings/settings.h"
#include "engine/settings/shell_execute.h"

namespace quorrix::engine {

namespace {

constexpr int kInfoFileNotFound = 101;
constexpr int kInfoNotOpened = 230;
constexpr int kInfoNoProgramToOpen = 231;
constexpr int kInfoAccessDenied = 232;

// The shell's error codes that say why.
constexpr std::int32_t kShellFileNotFound = 2;
constexpr std::int32_t kShellAccessDenied = 5;
constexpr std::int32_t kShellNoAssociation = 31;

std::string documentCode(int language)
{
    return language == kLanguageGerman ? "de" : "us";
}

std::string inFolder(const std::string& folder, const std::string& name)
{
    return folder + kPathSeparator + name;
}

} // namespace

std::string LanguageCode(int language)
{
    switch (language) {
    case kLanguageGerman:
        return "de";
    case kLanguageUser:
        return "user";
    default:
        return "us";
    }
}

std::string LanguageFilePath(const std::string& programFolder, int language)
{
    return inFolder(programFolder, "QUORRIX-lng_" + LanguageCode(language) + ".ini");
}

std::string HelpFilePath(const std::string& programFolder, int language)
{
    return inFolder(programFolder, "QUORRIX_" + documentCode(language) + ".chm");
}

std::string TextDocumentPath(
    const std::string& programFolder, const std::string& baseName, int language)
{
    return inFolder(programFolder, baseName + "_" + documentCode(language) + ".txt");
}

std::string SwitchLanguage(
    int language, Settings& settings, clsMultiLanguage& texts, const std::string& programFolder)
{
    settings.Language = static_cast<std::int16_t>(language);
    texts.IniFile(LanguageFilePath(programFolder, language));
    return HelpFilePath(programFolder, language);
}

std::int32_t OpenTextDocument(const std::string& baseName, int language,
    const std::string& programFolder, CShellExecute& shell, NativeWindow owner,
    const std::string& currentFolder)
{
    constexpr int kShowNormal = 1;
    return shell.LaunchDocument(
        owner, TextDocumentPath(programFolder, baseName, language), currentFolder, kShowNormal);
}

std::string OpenFailureText(clsMultiLanguage& texts, std::int32_t result, const std::string& path)
{
    if (result == CShellExecute::kLaunched)
        return {};
    std::string text = texts.GetInfoText(kInfoNotOpened) + "\n" + path;
    switch (result) {
    case kShellFileNotFound:
        return text + "\n\n" + texts.GetInfoText(kInfoFileNotFound);
    case kShellAccessDenied:
        return text + "\n\n" + texts.GetInfoText(kInfoAccessDenied);
    case kShellNoAssociation:
        return text + "\n\n" + texts.GetInfoText(kInfoNoProgramToOpen);
    default:
        return text + "\n\n(" + std::to_string(result) + ")";
    }
}

} // namespace quorrix::engine
