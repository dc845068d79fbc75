#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/run/batch_run.h"

namespace quorrix::engine {

class PrintList;
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

// The temporary settings file that keeps the user's settings during a multi-job.
std::string multiJobTempSettingsPath(RunEnvironment& environment);

// A multi-job (mnuMultiJobExecute): saves the settings to the temporary settings file, runs
// the three pre-jobs (a "LoadQRXList" adds to the print list), then the job steps over the
// print list or the active document with SolidWorks' own line weights put back afterwards,
// and finally loads the saved settings again. When the settings cannot be saved first
// nothing runs, as they could not be restored afterwards.
RunReport RunMultiJob(RunEnvironment& environment, PrintList& printList);

} // namespace quorrix::engine
