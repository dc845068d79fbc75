#include "engine/settings/language_files.h"

#include "engine/platform/path_text.h"
#include "engine/settings/multi_language.h"
#include "engine/settings/settings.h"
#include "engine/settings/shell_execute.h"

namespace quorrix::engine {

namespace {

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

} // namespace quorrix::engine
