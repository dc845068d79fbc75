#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorrix::engine {

struct RunEnvironment;
class SwApplication;
class SwDocument;

// Pre-job texts the runner acts on; "Run Macro 0" to "Run Macro 9" run that slot once.
inline constexpr const char* kPreJobNothing = "-";
inline constexpr const char* kPreJobLoadSettings = "LoadSettings";
inline constexpr const char* kPreJobLoadQRXList = "LoadQRXList";
inline constexpr const char* kRunMacroPrefix = "Run Macro ";

// The job step and pre-job vocabularies, in the order the dialog lists them.
const std::vector<std::string>& jobStepVocabulary();
const std::vector<std::string>& preJobVocabulary();

// The macro slot of "Run Macro 0" to "Run Macro 9"; nothing for any other text.
std::optional<std::int32_t> macroSlotOfJobText(const std::string& text);

// The ten job steps on one open document; "Use ..." steps change the settings for the
// following steps of this document only.
void RunJobSteps(RunEnvironment& environment, SwApplication& app, SwDocument& document,
    std::string& messageText, const std::string& fileName);

} // namespace quorrix::engine
