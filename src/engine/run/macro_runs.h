#pragma once

#include <cstdint>
#include <string>

namespace quorrix::engine {

struct ActionContext;
struct RunEnvironment;
struct Settings;
class SwApplication;
class SwDocument;

// Whether the slot names a macro file (that file may still be missing).
bool MacroChosen(const Settings& settings, std::int32_t slot);
// "No macro is chosen for macro slot <slot>" in the user's language.
std::string NoMacroChosenText(ActionContext& context, std::int32_t slot);

// Runs macro slot `slot` on the document (the document procedure of "RUNMACRO").
void RunMacroOnDocument(ActionContext& context, const std::string& action, std::int32_t& slot,
    SwApplication& app, SwDocument* document, bool closeAfter, std::string& messageText,
    const std::string& fileName);

// Runs the slot once on SolidWorks' active document, with its own progress window and
// message box (a multi-job pre-job).
void RunMacroOnce(RunEnvironment& environment, std::int32_t slot);

} // namespace quorrix::engine
