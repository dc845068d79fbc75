#pragma once

#include <cstdint>
#include <string>

#include "engine/platform/shell.h"

namespace quorrix::engine {

struct Settings;
class clsMultiLanguage;
class CShellExecute;

inline constexpr int kLanguageGerman = 0;
inline constexpr int kLanguageEnglish = 1;
inline constexpr int kLanguageUser = 2;

// "de", "us" or "user" for the languages 0, 1 and 2; "us" for anything else.
std::string LanguageCode(int language);

// The files that go with a language, all in the program folder:
// QUORRIX-lng_<code>.ini, QUORRIX_<code>.chm, <base>_<code>.txt. Help and text documents
// of the user language are the English ones.
std::string LanguageFilePath(const std::string& programFolder, int language);
std::string HelpFilePath(const std::string& programFolder, int language);
std::string TextDocumentPath(
    const std::string& programFolder, const std::string& baseName, int language);

// The part of a language switch that is not about windows: records the language and opens
// its file (no file when it is missing). Returns the help file of the language.
std::string SwitchLanguage(
    int language, Settings& settings, clsMultiLanguage& texts, const std::string& programFolder);

// Opens the change list ("changes") or the read-me ("readme") of the language with the
// program the desktop uses for text files. Returns CShellExecute's result.
std::int32_t OpenTextDocument(const std::string& baseName, int language,
    const std::string& programFolder, CShellExecute& shell, NativeWindow owner,
    const std::string& currentFolder);

// What to tell the user when the desktop did not open path: why, when the shell's result
// says it, and the path. Empty when result is CShellExecute::kLaunched.
std::string OpenFailureText(clsMultiLanguage& texts, std::int32_t result, const std::string& path);

} // namespace quorrix::engine
