#pragma once

#include <string>
#include <vector>

namespace quorrix::engine {

struct RunEnvironment;
class SwApplication;
class SwDocument;

// The job step and pre-job vocabularies, in the order the dialog lists them.
const std::vector<std::string>& jobStepVocabulary();
const std::vector<std::string>& preJobVocabulary();

// The ten job steps on one open document; "Use ..." steps change the settings for the
// following steps of this document only.
void RunJobSteps(RunEnvironment& environment, SwApplication& app, SwDocument& document,
    std::string& messageText, const std::string& fileName);

} // namespace quorrix::engine
